#pragma once

// The program's own save dialog. The caller sets InitDir, Filter and FileName (the
// name to offer; only its file-name part is shown), sets Writer once, and calls
// ShowSave, which returns at once. When the player saves a name, FileName holds the
// folder's path joined with the name exactly as typed (no ending is added), the
// owner is enabled, the dialog hidden, and then Writer is called; it reads FileName
// back. Cancel, Escape and "Save" with an empty name set FileName to "" and call
// nothing; the close box leaves FileName as it was and calls nothing.

#include <functional>

#include "ui/windows/FileDialog.h"

class QLineEdit;
class QPushButton;

namespace brenta::ui {

class frmSave : public FileDialog {
public:
    // owner: the window disabled while the dialog is shown (the main window).
    explicit frmSave(QWidget* owner);

    // Called after the player saves a name.
    std::function<void()> Writer;

    // Folder := InitDir; the name box := the file-name part of FileName (so a
    // previous save's full path is offered as its name alone); lists the entries
    // whose names contain Filter; disables the owner and shows the dialog.
    void ShowSave();

private:
    void AddControls(QDialog& window) override;
    void Prepare() override;
    QWidget* FirstFocus() const override;
    void EntryActivated() override;
    void SelectionChanged() override;
    void cmdSave_Click();

    QLineEdit* name_ = nullptr;
    QPushButton* save_ = nullptr;
};

} // namespace brenta::ui
