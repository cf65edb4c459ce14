#pragma once

// The program's own open dialog. The caller sets InitDir, Filter and Mode, registers
// the reader for its mode once, and calls ShowOpen, which returns at once. When the
// player confirms an entry, FileName holds its full path, the owner is enabled, the
// dialog hidden, and then the reader registered for Mode is called; it reads
// FileName back. Cancel, Escape and "Open" with nothing selected set FileName to ""
// and call nothing; the close box leaves FileName as it was and calls nothing.

#include <cstdint>
#include <functional>
#include <map>

#include "ui/windows/FileDialog.h"

class QPushButton;

namespace brenta::ui {

class frmOpen : public FileDialog {
public:
    // owner: the window disabled while the dialog is shown (the main window).
    explicit frmOpen(QWidget* owner);

    // Which reader "Open" calls: 1 the purchased blueprint list, 2 the prices file;
    // a mode without a registered reader calls nothing.
    std::int16_t Mode = 0;

    // Registers (or, with an empty function, removes) the reader for mode.
    void SetReader(std::int16_t mode, std::function<void()> reader);

    // Folder := InitDir; lists the entries whose names end with Filter; disables
    // the owner and shows the dialog.
    void ShowOpen();

private:
    void AddControls(QDialog& window) override;
    void EntryActivated() override { cmdOpen_Click(); }
    void cmdOpen_Click();

    QPushButton* open_ = nullptr;
    std::map<std::int16_t, std::function<void()>> readers_;
};

} // namespace brenta::ui
