#pragma once

// What the program's own open and save dialogs share: a drive list (`Drive`), a
// folder tree (`Directory`), the file list (`lstFiles`) and "Cancel" (`cmdCancel`)
// in a small fixed-size window that disables its owner while it is shown.
//
// A dialog object lives as long as its owner; its window is built on first use,
// only hidden after "Open"/"Save", Cancel or Escape, and discarded by the close
// box (the next use builds it again). The public variables keep their values
// throughout. Showing returns at once; the dialog works by itself from there.

#include <QPointer>
#include <QString>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "storage/Folders.h"

class QComboBox;
class QDialog;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace brenta::ui {

// Receives each file dialog's window once it is shown with its lists filled, as the
// very last step of ShowOpen / ShowSave. Tests (and anything else driving the
// program) answer it from there as a player would, through the controls' object
// names; they may also leave it open and act later. Returns the hook installed
// before; an empty hook installs none.
using FileDialogHook = std::function<void(QDialog& dialog)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);

class FileDialog {
public:
    virtual ~FileDialog();
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    // The folder the dialog starts in each time it is shown.
    std::string InitDir;
    // Which names the file list shows; compared case-sensitively.
    std::string Filter;
    // The full path the player confirmed; "" after Cancel.
    std::string FileName;

    // A path or name in the file system's bytes as text, and back.
    static QString NameText(const std::string& bytes);
    static std::string NameBytes(const QString& text);

    // The window while it exists (from the first show until its close box), else nullptr.
    QDialog* Window() const;
    // The folder the dialog shows, clean and absolute; "" before the first show.
    const std::string& DirectoryPath() const { return folder_; }

protected:
    // owner is disabled while the dialog is shown; filesHeight is the file list's
    // height in twips; match says how names are compared with Filter.
    FileDialog(QWidget* owner, QString objectName, QString caption, int filesHeight, storage::NameMatch match);

    // Builds the window if needed, goes to InitDir, prepares the dialog's own
    // controls, disables the owner, shows the window and hands it to the hook.
    void Show();
    // Hides the window and enables the owner again, FileName as it is.
    void Finish();
    // "Cancel" and Escape: FileName := "", then Finish.
    void Cancel();

    // The dialog's own controls, added to a newly built window; they come before
    // the window is shown and the tab order is theirs to set.
    virtual void AddControls(QDialog& window) = 0;
    // Sets the dialog's own controls for this use, before the window is shown.
    virtual void Prepare() {}
    // The control that has the focus when the window opens; nullptr leaves the window's own choice.
    virtual QWidget* FirstFocus() const { return nullptr; }
    // An entry of the file list was chosen with a double click or Enter.
    virtual void EntryActivated() = 0;
    // The file list's selection changed.
    virtual void SelectionChanged() {}

    // The selected entry of the file list, "" when none is selected.
    QString SelectedEntry() const;

    // A button of the bottom row at left (twips); Enter elsewhere never presses it.
    static QPushButton* AddButton(
        QDialog& window, const char* name, const QString& caption, int left, std::function<void()> onClick);
    // Tab moves through controls in this order.
    static void SetTabOrder(std::initializer_list<QWidget*> controls);

    QComboBox* drive_ = nullptr;
    QTreeWidget* directory_ = nullptr;
    QListWidget* files_ = nullptr;
    QPushButton* cancel_ = nullptr;

private:
    class DialogWindow;
    friend class DialogWindow;

    void Build();
    void Discarded();
    void DriveChosen(int index);
    // Shows folder in the tree and its matching entries in the file list. A folder
    // that cannot be listed keeps the previous folder and drive and leaves the file
    // list empty; false then.
    bool GoTo(const std::string& folder);
    void FillTree(const std::vector<std::string>& subFolders);
    void ShowDrive();

    QPointer<QWidget> owner_;
    QString objectName_;
    QString caption_;
    int filesHeight_;
    storage::NameMatch match_;
    QPointer<QDialog> window_;
    std::string folder_;
    std::vector<std::string> drives_;
};

} // namespace brenta::ui
