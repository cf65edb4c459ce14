// The program's own open and save dialogs, driven as a player drives them: what
// they list, what each way out leaves in FileName, whom it calls, and that the
// owner is usable again afterwards.
#include "ui/windows/frmOpen.h"
#include "ui/windows/frmSave.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QWidget>

#include <filesystem>
#include <fstream>

#include "tests/TempFolder.h"
#include "tests/ui/FileDialogDriver.h"
#include "tests/ui/Placement.h"
#include "ui/main/Look.h"

namespace fs = std::filesystem;
using namespace brenta;
using test::Entries;
using test::OpenFolder;
using test::Pick;
using test::Press;

namespace {

QStringList Sorted(QStringList names)
{
    names.sort();
    return names;
}

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.show();
        for (const char* name : {"a.dat", "B.DAT", "c.txt", "mine.dat.bak", "owned.txt.old"})
            std::ofstream(folder.Path() / name) << "x";
        fs::create_directory(folder.Path() / "x.dat");
        fs::create_directory(folder.Path() / "other");
        std::ofstream(folder.Path() / "other" / "z.dat") << "x";

        open.InitDir = Dir();
        open.Filter = ".dat";
        open.Mode = 2;
        open.SetReader(2, [this] { read.push_back(open.FileName); });
        save.InitDir = Dir();
        save.Filter = ".txt";
        save.Writer = [this] { written.push_back(save.FileName); };
    }

    std::string Dir() const { return folder.Path().string(); }
    std::string In(const std::string& name) const { return (folder.Path() / name).string(); }

    QDialog& ShowOpen()
    {
        open.ShowOpen();
        return *open.Window();
    }
    QDialog& ShowSave()
    {
        save.ShowSave();
        return *save.Window();
    }

    test::TempFolder folder{"dialogs"};
    QWidget owner;
    ui::frmOpen open{&owner};
    ui::frmSave save{&owner};
    std::vector<std::string> read;
    std::vector<std::string> written;
};

TEST_F(FileDialogs, OpenListsNamesEndingInTheFilterCaseSensitivelyFoldersToo)
{
    QDialog& d = ShowOpen();
    EXPECT_EQ(Sorted(Entries(d)), (QStringList{"a.dat", "x.dat"})); // not B.DAT, not mine.dat.bak
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(d.isEnabled());
    EXPECT_TRUE(d.isVisible());
}

TEST_F(FileDialogs, SaveListsNamesContainingTheFilter)
{
    QDialog& d = ShowSave();
    EXPECT_EQ(Sorted(Entries(d)), (QStringList{"c.txt", "owned.txt.old"}));
}

TEST_F(FileDialogs, OpenConfirmsTheSelectedEntryThenCallsTheModesReader)
{
    open.FileName = "earlier";
    QDialog& d = ShowOpen();
    Press(d, "cmdOpen"); // nothing selected: as Cancel
    EXPECT_EQ(open.FileName, "");
    EXPECT_TRUE(read.empty());
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_FALSE(d.isVisible());

    ShowOpen();
    Pick(d, "a.dat");
    Press(d, "cmdOpen");
    EXPECT_EQ(read, std::vector<std::string>{In("a.dat")});
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(open.Window(), &d); // only hidden

    open.Mode = 1; // no reader for it
    ShowOpen();
    QListWidget* files = test::Control<QListWidget>(d, "lstFiles");
    files->setFocus();
    files->setCurrentRow(static_cast<int>(Entries(d).indexOf("x.dat")), QItemSelectionModel::NoUpdate);
    QTest::keyClick(files, Qt::Key_Return); // Enter on the entry under the cursor confirms it
    EXPECT_EQ(open.FileName, In("x.dat"));
    EXPECT_EQ(read.size(), 1u);
}

// Names are bytes: one that is no UTF-8 (Latin-1 "café") is listed, entered,
// opened and saved to under exactly its own bytes, never under a look-alike.
TEST_F(FileDialogs, NamesThatAreNotUtf8KeepTheirBytesFromListToPath)
{
    const std::string cafe = "caf\xE9";
    std::ofstream(In(cafe + ".dat")) << "x";
    std::ofstream(In(cafe + ".txt")) << "x";
    fs::create_directory(In("d\xE9p\xF4t"));
    std::ofstream(In("d\xE9p\xF4t/in.dat")) << "x";

    QDialog& d = ShowOpen();
    const QString shown = ui::FileDialog::NameText(cafe + ".dat");
    ASSERT_TRUE(Entries(d).contains(shown));
    Pick(d, shown);
    Press(d, "cmdOpen");
    EXPECT_EQ(read, std::vector<std::string>{In(cafe + ".dat")});

    ShowOpen();
    OpenFolder(d, In("d\xE9p\xF4t"));
    EXPECT_EQ(open.DirectoryPath(), In("d\xE9p\xF4t"));
    EXPECT_EQ(Entries(d), QStringList{"in.dat"});
    Pick(d, QStringLiteral("in.dat"));
    Press(d, "cmdOpen");
    EXPECT_EQ(read.back(), In("d\xE9p\xF4t/in.dat"));

    QDialog& s = ShowSave();
    Pick(s, ui::FileDialog::NameText(cafe + ".txt"));
    Press(s, "cmdSave");
    EXPECT_EQ(written, std::vector<std::string>{In(cafe + ".txt")});

    // Every byte string comes back as itself; valid UTF-8 reads as its text.
    for (const std::string& bytes : {std::string("caf\xC3\xA9"), std::string("\xFF\xFE"), std::string("a\xC3"),
             std::string("\xED\xA0\x80"), std::string("\xF0\x9F\x99\x82 ok"), std::string("\xC0\xAF")})
        EXPECT_EQ(ui::FileDialog::NameBytes(ui::FileDialog::NameText(bytes)), bytes);
    EXPECT_EQ(ui::FileDialog::NameText("caf\xC3\xA9"), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(ui::FileDialog::NameBytes(QStringLiteral("caf\u00E9.txt")), "caf\xC3\xA9.txt");
}

enum class WayOut { Confirm, Cancel, Escape, CloseBox };

struct WayOutCase {
    const char* name;
    WayOut way;
    bool saving;
    std::string fileName; // expected; "=" for unchanged
    int calls;
};

void PrintTo(const WayOutCase& c, std::ostream* os) { *os << c.name; }

class WaysOut : public FileDialogs, public ::testing::WithParamInterface<WayOutCase> {};

TEST_P(WaysOut, EnableTheOwnerAgain)
{
    const WayOutCase& c = GetParam();
    ui::FileDialog& dialog = c.saving ? static_cast<ui::FileDialog&>(save) : open;
    dialog.FileName = "earlier";
    QDialog& d = c.saving ? ShowSave() : ShowOpen();
    ASSERT_FALSE(owner.isEnabled());
    switch (c.way) {
    case WayOut::Confirm:
        if (c.saving) {
            test::TypeName(d, "owned");
            Press(d, "cmdSave");
        } else {
            Pick(d, "a.dat");
            Press(d, "cmdOpen");
        }
        break;
    case WayOut::Cancel:
        Press(d, "cmdCancel");
        break;
    case WayOut::Escape:
        QTest::keyClick(test::Control<QWidget>(d, "lstFiles"), Qt::Key_Escape);
        break;
    case WayOut::CloseBox:
        d.close();
        break;
    }
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(dialog.FileName, c.fileName == "=" ? "earlier" : c.fileName.empty() ? "" : In(c.fileName));
    EXPECT_EQ(static_cast<int>((c.saving ? written : read).size()), c.calls);
    if (c.way == WayOut::CloseBox) {
        // The window is gone; the next use builds it again, variables intact.
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Window() == nullptr; }));
        QDialog& again = c.saving ? ShowSave() : ShowOpen();
        EXPECT_TRUE(again.isVisible());
        EXPECT_EQ(Entries(again).size(), 2);
        EXPECT_FALSE(owner.isEnabled());
    } else {
        EXPECT_FALSE(d.isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(FileDialogs, WaysOut,
    ::testing::Values(WayOutCase{"OpenConfirm", WayOut::Confirm, false, "a.dat", 1},
        WayOutCase{"OpenCancel", WayOut::Cancel, false, "", 0},
        WayOutCase{"OpenEscape", WayOut::Escape, false, "", 0},
        WayOutCase{"OpenCloseBox", WayOut::CloseBox, false, "=", 0},
        WayOutCase{"SaveConfirm", WayOut::Confirm, true, "owned", 1},
        WayOutCase{"SaveCancel", WayOut::Cancel, true, "", 0},
        WayOutCase{"SaveEscape", WayOut::Escape, true, "", 0},
        WayOutCase{"SaveCloseBox", WayOut::CloseBox, true, "=", 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(FileDialogs, SaveUsesTheTypedNameExactlyAndOffersOnlyItsNameNextTime)
{
    QDialog& d = ShowSave();
    QLineEdit* name = test::Control<QLineEdit>(d, "txtFilename");
    EXPECT_EQ(name->text(), "");
    EXPECT_EQ(d.focusWidget(), name);
    Pick(d, "c.txt");
    EXPECT_EQ(name->text(), "c.txt"); // a click on an entry offers its name
    test::TypeName(d, "owned");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(written, std::vector<std::string>{In("owned")});

    ShowSave();
    EXPECT_EQ(name->text(), "owned"); // not the previous full path
    EXPECT_EQ(d.focusWidget(), name);
    QPushButton* saveButton = test::Control<QPushButton>(d, "cmdSave");
    saveButton->setFocus();
    QTest::keyClick(saveButton, Qt::Key_Return); // Enter presses the focused button
    EXPECT_EQ(written.back(), In("owned"));

    ShowSave();
    test::TypeName(d, "");
    Press(d, "cmdSave"); // an empty name: as Cancel
    EXPECT_EQ(save.FileName, "");
    EXPECT_EQ(written.size(), 2u);
}

TEST_F(FileDialogs, TheFolderTreeWalksDownAndUp)
{
    QDialog& d = ShowOpen();
    QTreeWidget* tree = test::Control<QTreeWidget>(d, "Directory");
    EXPECT_EQ(tree->toolTip().toStdString(), Dir());
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "/");
    EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toString().toStdString(), Dir());

    OpenFolder(d, In("other"));
    EXPECT_EQ(open.DirectoryPath(), In("other"));
    EXPECT_EQ(Entries(d), QStringList{"z.dat"});
    EXPECT_EQ(tree->toolTip().toStdString(), In("other"));
    Pick(d, "z.dat");
    Press(d, "cmdOpen");
    EXPECT_EQ(read, std::vector<std::string>{In("other/z.dat")});

    ShowOpen(); // each use starts in InitDir again
    EXPECT_EQ(open.DirectoryPath(), Dir());
    OpenFolder(d, folder.Path().parent_path().string());
    EXPECT_EQ(open.DirectoryPath(), folder.Path().parent_path().string());
}

TEST_F(FileDialogs, AFolderThatCannotBeReadKeepsThePreviousOneAndListsNothing)
{
    QDialog& d = ShowOpen();
    Press(d, "cmdCancel");
    for (const std::string& bad : {In("missing"), In("a.dat")}) {
        open.InitDir = bad;
        ShowOpen();
        EXPECT_EQ(open.DirectoryPath(), Dir()) << bad;
        EXPECT_TRUE(Entries(d).isEmpty()) << bad;
        EXPECT_EQ(test::Control<QTreeWidget>(d, "Directory")->toolTip().toStdString(), Dir());
        Press(d, "cmdCancel");
    }
}

TEST_F(FileDialogs, TheRootDriveComesFirstAndARootPathGetsOneSeparator)
{
    open.Filter = "";
    QDialog& d = ShowOpen();
    QComboBox* drive = test::Control<QComboBox>(d, "Drive");
    ASSERT_GE(drive->count(), 1);
    EXPECT_EQ(drive->itemText(0), "/");
    EXPECT_EQ(drive->currentIndex(), 0); // the temporary folder lies on the root volume
    // A player's choice, even of the entry shown: open the list, move to it, Enter.
    drive->showPopup();
    drive->view()->setCurrentIndex(drive->model()->index(0, 0));
    QTest::keyClick(drive->view()->viewport(), Qt::Key_Return);
    EXPECT_EQ(open.DirectoryPath(), "/");
    const QStringList entries = Entries(d);
    ASSERT_FALSE(entries.isEmpty());
    Pick(d, entries.front());
    Press(d, "cmdOpen");
    EXPECT_EQ(open.FileName, "/" + entries.front().toStdString());
}

TEST_F(FileDialogs, TheHookGetsTheShownDialogWithItsListsFilled)
{
    int seen = 0;
    const ui::FileDialogHook previous = ui::SetFileDialogHook([&](QDialog& d) {
        ++seen;
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(owner.isEnabled());
        EXPECT_EQ(d.objectName(), "frmOpen");
        Pick(d, "a.dat");
        Press(d, "cmdOpen");
    });
    open.ShowOpen();
    ui::SetFileDialogHook(previous);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(read, std::vector<std::string>{In("a.dat")});
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(FileDialogs, LayoutCaptionsAndTabOrder)
{
    const auto check = [](QDialog& d, const char* caption, const std::vector<const char*>& tabs) {
        EXPECT_EQ(d.windowTitle(), caption);
        EXPECT_EQ(d.size(), QSize(ui::TwipsToPixels(6600), ui::TwipsToPixels(3375)));
        EXPECT_EQ(d.minimumSize(), d.maximumSize());
        EXPECT_FALSE(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        // Every control the player tabs through is on the dialog, inside it, and
        // uncovered by any other.
        for (const char* name : tabs)
            ASSERT_NE(test::Control<QWidget>(d, name), nullptr) << name;
        EXPECT_GE(test::ExpectInsideAndApart(&d), static_cast<int>(tabs.size()));
        QWidget* w = test::Control<QWidget>(d, tabs.front());
        for (std::size_t i = 1; i < tabs.size(); ++i) {
            w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus || w->parentWidget() != &d)
                w = w->nextInFocusChain(); // the parts inside a control
            EXPECT_EQ(w->objectName(), tabs[i]) << "after " << tabs[i - 1];
        }
    };
    check(ShowOpen(), "Open", {"Drive", "Directory", "lstFiles", "cmdOpen", "cmdCancel"});
    check(ShowSave(), "Save", {"Drive", "Directory", "cmdSave", "cmdCancel", "lstFiles", "txtFilename"});
}

} // namespace
