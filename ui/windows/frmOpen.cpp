#include "ui/windows/frmOpen.h"

#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/main/Look.h"

namespace brenta::ui {

frmOpen::frmOpen(QWidget* owner)
    : FileDialog(owner, QStringLiteral("frmOpen"), QStringLiteral("Open"), 2595, storage::NameMatch::Ending)
{
}

void frmOpen::SetReader(std::int16_t mode, std::function<void()> reader)
{
    if (reader)
        readers_[mode] = std::move(reader);
    else
        readers_.erase(mode);
}

void frmOpen::ShowOpen() { Show(); }

void frmOpen::AddControls(QDialog& window)
{
    open_ = AddButton(window, "cmdOpen", QStringLiteral("Open"), 3960, [this] { cmdOpen_Click(); });
    SetTabOrder({drive_, directory_, files_, open_, cancel_});
}

void frmOpen::cmdOpen_Click()
{
    const QString entry = SelectedEntry();
    if (entry.isEmpty()) {
        Cancel();
        return;
    }
    FileName = storage::JoinPath(DirectoryPath(), NameBytes(entry));
    Finish();
    // Looked up only now: a reader may register others, or show the dialog again.
    const auto reader = readers_.find(Mode);
    if (reader != readers_.end()) {
        const std::function<void()> read = reader->second;
        read();
    }
}

} // namespace brenta::ui
