#pragma once

// The context menu of a material row: a small borderless window of six labels drawn
// over the row the player right-clicked (or opened it on from the keyboard). "ML vs.
// Waste" draws the row's waste graph, "Find BP" shows the blueprint that builds the
// material (Back returns), "Cancel" does nothing. The arrow keys move between the
// options and Enter or Space chooses one. A choice, Escape or the menu losing the
// focus closes it; the main window is disabled while it is open and enabled and
// brought back on every way out.

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class QLabel;

namespace brenta::ui {

class frmMain;

class frmContextMenu : public QWidget {
    Q_OBJECT
public:
    // The menu of grid row row; findBP: the row's material has a builder.
    frmContextMenu(frmMain& main, std::int16_t row, bool findBP);

    // The grid row the menu was opened on.
    std::int16_t Row() const { return row_; }

    // lblContextOption(1) .. lblContextOption(6); element 0 is unused.
    std::array<QLabel*, 7> lblContextOption{};

    // Enables "Find BP" when the row's material has a builder, shows the menu
    // topmost and gives it the focus.
    void FormLoad();

    static constexpr int kOptionMLvWaste = 1;
    static constexpr int kOptionFindBP = 2;
    static constexpr int kOptionCopySheet = 3;
    static constexpr int kOptionCancel = 6;

    // "Copy Sheet" puts the shown sheet on the clipboard; enabled when set before FormLoad.
    std::function<void()> CopySheet;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int OptionOf(const QObject* widget) const;
    void lblContextOption_MouseMove(int Index);
    int NextOption(int step) const;
    void lblContextOption_Click(int Index);

    frmMain& main_;
    std::int16_t row_ = 0;
    bool findBP_ = false;
    int pressed_ = 0;
    int current_ = 0; // the option shown selected, 0 for none
    bool unloading_ = false;
};

} // namespace brenta::ui
