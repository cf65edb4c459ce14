#include "ui/windows/frmSave.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/main/Look.h"

namespace brenta::ui {

frmSave::frmSave(QWidget* owner)
    : FileDialog(owner, QStringLiteral("frmSave"), QStringLiteral("Save"), 2205, storage::NameMatch::Anywhere)
{
}

void frmSave::ShowSave() { Show(); }

void frmSave::Prepare()
{
    // Only the name: a previous save's full path would otherwise be joined to the
    // folder a second time.
    name_->setText(NameText(storage::NamePart(FileName)));
    name_->selectAll();
}

// A save is named first: the name box has the focus, its text ready to be typed over.
QWidget* frmSave::FirstFocus() const { return name_; }

void frmSave::AddControls(QDialog& window)
{
    name_ = new QLineEdit(&window);
    name_->setObjectName(QStringLiteral("txtFilename"));
    name_->setGeometry(TwipRect(3960, 2400, 2535, 285));
    QObject::connect(name_, &QLineEdit::returnPressed, &window, [this] { cmdSave_Click(); });

    save_ = AddButton(window, "cmdSave", QStringLiteral("Save"), 3960, [this] { cmdSave_Click(); });
    SetTabOrder({drive_, directory_, save_, cancel_, files_, name_});
}

void frmSave::SelectionChanged()
{
    const QString entry = SelectedEntry();
    if (!entry.isEmpty())
        name_->setText(entry);
}

void frmSave::EntryActivated()
{
    SelectionChanged();
    cmdSave_Click();
}

void frmSave::cmdSave_Click()
{
    const QString name = name_->text();
    if (name.isEmpty()) {
        Cancel();
        return;
    }
    FileName = storage::JoinPath(DirectoryPath(), NameBytes(name));
    Finish();
    if (Writer) {
        const std::function<void()> write = Writer;
        write();
    }
}

} // namespace brenta::ui
