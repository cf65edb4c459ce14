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

class frmContextMenu : public QWidget {
    Q_OBJECT
public:
    // What the options do in the window the menu belongs to, and what it says of itself.
    struct Actions {
        std::function<void(std::int16_t row)> graph; // "ML vs. Waste"
        std::function<void(std::int16_t row)> findBP; // "Find BP"
        // True once the owner's shut-down has begun: the menu closing then leaves it as it is.
        std::function<bool()> ownerUnloading;
        // "Copy Sheet" puts the shown sheet on the clipboard; the entry is disabled without it.
        std::function<void()> copySheet;
    };

    // The menu of grid row row, a window of owner's; findBP: the row's material has a builder.
    frmContextMenu(QWidget& owner, std::int16_t row, bool findBP, Actions actions);

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

    QWidget& owner_;
    Actions actions_;
    std::int16_t row_ = 0;
    bool findBP_ = false;
    int pressed_ = 0;
    int current_ = 0; // the option shown selected, 0 for none
    bool unloading_ = false;
};

} // namespace brenta::ui
