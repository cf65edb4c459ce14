#include "ui/windows/FileDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>

#include "ui/main/Look.h"
#include "ui/main/Placement.h"

namespace brenta::ui {

namespace {

FileDialogHook& Hook()
{
    static FileDialogHook hook;
    return hook;
}

QString Q(const std::string& s) { return FileDialog::NameText(s); }
std::string S(const QString& s) { return FileDialog::NameBytes(s); }

constexpr int kPathRole = Qt::UserRole;

std::vector<std::string> MountedDrives()
{
    std::vector<storage::Volume> volumes;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady())
            volumes.push_back({S(v.rootPath()), v.fileSystemType().toStdString()});
    return storage::PlayerDrives(volumes, S(QDir::homePath()));
}

// A folder list that is always open: the indentation shows the levels, without
// branch arrows to fold them.
class FolderTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}
};

// A button that Enter presses while it has the focus. Buttons are never the dialog's
// default, so Enter in the name box or a list does only what that control does.
class EnterButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            event->accept();
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

} // namespace

FileDialogHook SetFileDialogHook(FileDialogHook hook)
{
    FileDialogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

// The window: Escape is Cancel, the close box discards the window.
class FileDialog::DialogWindow : public QDialog {
public:
    DialogWindow(FileDialog& dialog, QWidget* parent) : QDialog(parent), dialog_(dialog) {}

    void reject() override { dialog_.Cancel(); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        dialog_.Discarded();
    }

private:
    FileDialog& dialog_;
};

FileDialog::FileDialog(
    QWidget* owner, QString objectName, QString caption, int filesHeight, storage::NameMatch match)
    : owner_(owner), objectName_(std::move(objectName)), caption_(std::move(caption)), filesHeight_(filesHeight),
      match_(match)
{
}

FileDialog::~FileDialog() { delete window_.data(); }

QDialog* FileDialog::Window() const { return window_.data(); }

void FileDialog::Build()
{
    auto* window = new DialogWindow(*this, owner_);
    window_ = window;
    window->setObjectName(objectName_);
    window->setWindowTitle(caption_);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::MSWindowsFixedSizeDialogHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(TwipsToPixels(6600), TwipsToPixels(3375));
    KeepOnScreen(window);

    drive_ = new QComboBox(window);
    drive_->setObjectName(QStringLiteral("Drive"));
    drive_->setGeometry(TwipRect(120, 120, 3735, 315));
    drives_ = MountedDrives();
    for (const std::string& d : drives_)
        drive_->addItem(window->style()->standardIcon(QStyle::SP_DriveHDIcon), Q(d));
    QObject::connect(drive_, &QComboBox::activated, window, [this](int index) { DriveChosen(index); });

    directory_ = new FolderTree(window);
    directory_->setObjectName(QStringLiteral("Directory"));
    directory_->setGeometry(TwipRect(120, 480, 3735, 2790));
    directory_->setHeaderHidden(true);
    directory_->setRootIsDecorated(false);
    directory_->setItemsExpandable(false);
    directory_->setIndentation(TwipsToPixels(180));
    // A double click or Enter opens the folder, as in a classic folder list.
    QObject::connect(directory_, &QTreeWidget::itemActivated, window,
        [this](QTreeWidgetItem* item) { GoTo(S(item->data(0, kPathRole).toString())); });

    files_ = new QListWidget(window);
    files_->setObjectName(QStringLiteral("lstFiles"));
    files_->setGeometry(TwipRect(3960, 120, 2535, filesHeight_));
    files_->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(files_, &QListWidget::itemActivated, window, [this](QListWidgetItem* item) {
        // Enter on the entry under the cursor chooses it even when it was not yet selected.
        files_->setCurrentItem(item);
        EntryActivated();
    });
    QObject::connect(files_, &QListWidget::itemSelectionChanged, window, [this] { SelectionChanged(); });

    cancel_ = AddButton(*window, "cmdCancel", QStringLiteral("Cancel"), 5280, [this] { Cancel(); });

    AddControls(*window);
}

void FileDialog::Show()
{
    if (!window_)
        Build();
    GoTo(InitDir);
    Prepare();
    if (owner_) {
        owner_->setEnabled(false);
        // The dialog is the owner's child window; it stays usable on its own.
        window_->setEnabled(true);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (QWidget* first = FirstFocus())
        first->setFocus();
    if (Hook())
        Hook()(*window_);
}

void FileDialog::Finish()
{
    if (owner_)
        owner_->setEnabled(true);
    if (window_)
        window_->hide();
    if (owner_)
        owner_->activateWindow();
}

void FileDialog::Cancel()
{
    FileName.clear();
    Finish();
}

void FileDialog::Discarded()
{
    if (owner_)
        owner_->setEnabled(true);
    // The window deletes itself once the close is done.
    window_ = nullptr;
    drive_ = nullptr;
    directory_ = nullptr;
    files_ = nullptr;
    cancel_ = nullptr;
}

// Names are the file system's bytes, and not every name is UTF-8 (a file saved
// under another system's code page, say). A byte that is no part of valid UTF-8
// becomes the lone surrogate U+DC00 + byte and turns back into that byte, so every
// name comes back as the same bytes after it was shown, picked or joined to a path.
QString FileDialog::NameText(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
        const unsigned lead = byte(i);
        std::size_t length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
            least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
            least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
            least = 0x10000;
        }
        bool valid = length > 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
            code = (code << 6) | (byte(i + k) & 0x3F);
        }
        valid = valid && code >= least && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        if (!valid) {
            text += QChar(static_cast<char16_t>(0xDC00 + lead));
            ++i;
            continue;
        }
        const char32_t one[] = {code};
        text += QString::fromUcs4(one, 1);
        i += length;
    }
    return text;
}

std::string FileDialog::NameBytes(const QString& text)
{
    std::string bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit >= 0xDC80 && unit <= 0xDCFF) {
            bytes += static_cast<char>(unit - 0xDC00); // a byte that was no UTF-8
            continue;
        }
        const qsizetype length
            = QChar::isHighSurrogate(unit) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())
            ? 2
            : 1;
        bytes += text.mid(i, length).toUtf8().toStdString();
        i += length - 1;
    }
    return bytes;
}

QPushButton* FileDialog::AddButton(
    QDialog& window, const char* name, const QString& caption, int left, std::function<void()> onClick)
{
    auto* button = new EnterButton(caption, &window);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(TwipRect(left, 2760, 1215, 495));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &window, std::move(onClick));
    return button;
}

void FileDialog::SetTabOrder(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

QString FileDialog::SelectedEntry() const
{
    if (!files_)
        return {};
    const QList<QListWidgetItem*> selected = files_->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void FileDialog::DriveChosen(int index)
{
    if (index >= 0 && index < static_cast<int>(drives_.size()))
        GoTo(drives_[static_cast<std::size_t>(index)]);
}

bool FileDialog::GoTo(const std::string& folder)
{
    const std::string clean = storage::CleanFolderPath(folder);
    const auto entries = storage::ListFolder(clean);
    files_->clear();
    if (!entries) {
        // A new window still shows the folder it had before.
        if (directory_->topLevelItemCount() == 0 && !folder_.empty())
            if (const auto previous = storage::ListFolder(folder_))
                FillTree(storage::SubFolderNames(*previous));
        ShowDrive();
        return false;
    }
    folder_ = clean;
    FillTree(storage::SubFolderNames(*entries));
    for (const std::string& name : storage::MatchingNames(*entries, Filter, match_))
        files_->addItem(Q(name));
    ShowDrive();
    return true;
}

void FileDialog::FillTree(const std::vector<std::string>& subFolders)
{
    directory_->clear();
    const QIcon open = directory_->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = directory_->style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parent = nullptr;
    for (const std::string& step : storage::FolderChain(folder_)) {
        const std::string name = storage::NamePart(step);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(directory_);
        item->setText(0, Q(name.empty() ? step : name));
        item->setIcon(0, open);
        item->setData(0, kPathRole, Q(step));
        parent = item;
    }
    for (const std::string& name : subFolders) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, Q(name));
        item->setIcon(0, closed);
        item->setData(0, kPathRole, Q(storage::JoinPath(folder_, name)));
    }
    directory_->expandAll();
    directory_->setCurrentItem(parent);
    directory_->scrollToTop();
    directory_->scrollToItem(parent);
    // The whole path of the folder shown, whatever the list scrolls to.
    directory_->setToolTip(Q(folder_));
}

void FileDialog::ShowDrive()
{
    const QSignalBlocker quiet(drive_);
    drive_->setCurrentIndex(storage::DriveOf(drives_, folder_));
}

} // namespace brenta::ui
