// The owned blueprints out and back in through the menus and the program's own
// dialogs: File, Export, "Owned BPs (*.txt)" and File, Import, "Purchased BP List".

#include <QAction>
#include <QCheckBox>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "tests/ui/FileDialogDriver.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/main/SignalCloser.h"

using namespace brenta;

namespace {

class BPListMenu : public test::MainWindowTest {
protected:
    // File -> Export -> "Owned BPs (*.txt)", the name typed, then "Save".
    void Export(const QString& name)
    {
        window->ControlsForTests().OwnedBPListExport->trigger();
        QDialog* dialog = test::ShownDialog("frmSave");
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(window->isEnabled());
        test::TypeName(*dialog, name);
        test::Press(*dialog, "cmdSave");
        EXPECT_TRUE(window->isEnabled());
    }

    // File -> Import -> "Purchased BP List", the entry picked, then "Open".
    void Import(const QString& name)
    {
        window->ControlsForTests().PurchasedBPList->trigger();
        QDialog* dialog = test::ShownDialog("frmOpen");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(test::Entries(*dialog).contains(name), true);
        test::Pick(*dialog, name);
        test::Press(*dialog, "cmdOpen");
        EXPECT_TRUE(window->isEnabled());
    }
};
BRENTA_BOTH_LOCALES(BPListMenu);

TEST_P(BPListMenu, ExportThenImportGivesTheOwnedRecordsBack)
{
    WriteFile("ownedbps.dat", "11294{5{2\r\n");
    ui::frmMain& w = Start();
    ASSERT_TRUE(w.Cat().bOwned[0]);

    Export("owned.txt");
    ASSERT_EQ(messages, std::vector<std::string>{"Exported successfully."});
    const std::string report = ReadFile("owned.txt");
    EXPECT_TRUE(report.starts_with("POS Research: False\r\nPOS Assembly: 1 / 1\r\n")) << report;
    EXPECT_NE(report.find("         Name: 100mm Reinforced Steel Plates I Blueprint\r\n           ML: 5\r\n"),
        std::string::npos);

    // The player lets the blueprint go after changing its ML.
    SelectBlueprint(QStringLiteral("100mm Reinforced Steel Plates I Blueprint"));
    Type(w.ControlsForTests().txtML, "9");
    QTest::mouseClick(w.ControlsForTests().chkOwnThis, Qt::LeftButton);
    ASSERT_FALSE(w.Cat().bOwned[0]);
    ASSERT_EQ(w.Cat().strOwned[0].text, "11294{9{2");
    Import("owned.txt");
    EXPECT_TRUE(w.Cat().bOwned[0]);
    EXPECT_EQ(w.Cat().strOwned[0].text, "11294{5{2");
    EXPECT_EQ(messages.size(), 1u); // the import reports nothing when it succeeds
}

TEST_P(BPListMenu, AReportThatCannotBeWrittenIsReportedAndNotCalledExported)
{
    Start();
    const auto previous = storage::SetWriteFault([](storage::WriteStep step, const std::string&) {
        return step == storage::WriteStep::Flush ? ENOSPC : 0;
    });
    Export("full.txt");
    storage::SetWriteFault(previous);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("The owned blueprints could not be exported")) << messages[0];
    EXPECT_FALSE(std::filesystem::exists(Path("full.txt")));
}

// The report never goes over the program, its own files, what is not an ordinary
// file or a write-protected file: one message says why, and the target keeps its
// bytes (or its kind).
TEST_P(BPListMenu, TheReportIsNeverWrittenOverWhatItMustNotReplace)
{
    namespace fs = std::filesystem;
    for (const char* own :
        {"brenta", "ownedbps.dat", "skills.dat", "matprices.dat", "brenta.png", "brenta.desktop"})
        WriteFile(own, "keep");
    fs::create_directory(Path("icons"));
    fs::create_directory(Path("folder.txt"));
    ASSERT_EQ(::mkfifo(Path("pipe.txt").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", Path("device.txt"));
    WriteFile("locked.txt", "keep");
    fs::permissions(Path("locked.txt"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_symlink(Path("skills.dat"), Path("alias.txt")); // a link to one of the program's files
    Start();

    const struct {
        const char* name;
        const char* why;
    } refused[] = {
        {"brenta", "Brenta keeps its own data under that name"},
        {"ownedbps.dat", "Brenta keeps its own data under that name"},
        {"skills.dat", "Brenta keeps its own data under that name"},
        {"matprices.dat", "Brenta keeps its own data under that name"}, // the prices file in use
        {"brenta.png", "Brenta keeps its own data under that name"},
        {"brenta.desktop", "Brenta keeps its own data under that name"},
        {"icons", "Brenta keeps its own data under that name"},
        {"alias.txt", "Brenta keeps its own data under that name"},
        {"folder.txt", "it is not an ordinary file"},
        {"pipe.txt", "it is not an ordinary file"},
        {"device.txt", "it is not an ordinary file"},
        {"locked.txt", "it is write-protected"},
    };
    for (const auto& target : refused) {
        messages.clear();
        Export(QString::fromUtf8(target.name));
        ASSERT_EQ(messages.size(), 1u) << target.name;
        EXPECT_TRUE(messages[0].starts_with(std::string(target.name) + " cannot be used for the report"))
            << messages[0];
        EXPECT_NE(messages[0].find(target.why), std::string::npos) << messages[0];
    }
    for (const char* own :
        {"brenta", "ownedbps.dat", "skills.dat", "matprices.dat", "brenta.png", "brenta.desktop", "locked.txt"})
        EXPECT_EQ(ReadFile(own), "keep") << own;
    EXPECT_TRUE(fs::is_directory(Path("icons")));
    EXPECT_TRUE(fs::is_fifo(Path("pipe.txt")));
    EXPECT_TRUE(fs::is_symlink(Path("device.txt")));
}

// With another prices file in use, the default one is still the player's; the
// pictures are the program's at any depth and through any link. None of them is
// ever offered for replacing, whatever the player would answer.
TEST_P(BPListMenu, TheReportNeverGoesOverThePlayersPricesOrThePictures)
{
    namespace fs = std::filesystem;
    WriteFile("matprices.dat", "34{3\r\n");
    WriteFile("mine.dat", "34{4\r\n");
    fs::create_directories(Path("icons/sub"));
    WriteFile("icons/1001.jpg", "picture");
    WriteFile("icons/sub/7.png", "picture");
    fs::create_directory(Path("elsewhere"));
    fs::create_symlink(Path("icons/1001.jpg"), Path("picture.txt"));
    fs::create_symlink(Path("icons"), Path("elsewhere/pictures"));
    fs::create_hard_link(Path("matprices.dat"), Path("elsewhere/prices.txt"));
    settings.values["Options/PricesFile"] = "mine.dat";
    ui::frmMain& w = Start();
    ASSERT_EQ(w.PricesFileName(), "mine.dat");
    std::vector<std::string> questions;
    const auto previous = ui::SetQuestionHook([&](const QString&, const QString& text) {
        questions.push_back(text.toStdString());
        return true;
    });
    for (const char* name : {"matprices.dat", "mine.dat", "picture.txt", "icons/1001.jpg", "icons/sub/7.png",
             "icons/new.jpg", "elsewhere/pictures/1001.jpg", "elsewhere/prices.txt"}) {
        messages.clear();
        Export(QString::fromUtf8(name));
        ASSERT_EQ(messages.size(), 1u) << name;
        EXPECT_NE(messages[0].find("cannot be used for the report: Brenta keeps its own data under that name"),
            std::string::npos)
            << messages[0];
    }
    // The plan's save asks the same question of the main window.
    messages.clear();
    EXPECT_FALSE(w.AcceptExportTarget(Path("elsewhere/pictures/sub/7.png"), QStringLiteral("the plan")));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
        "7.png cannot be used for the plan: Brenta keeps its own data under that name. "
        "Please choose another name.");
    ui::SetQuestionHook(previous);
    EXPECT_TRUE(questions.empty()) << questions.front();
    EXPECT_EQ(ReadFile("matprices.dat"), "34{3\r\n");
    EXPECT_EQ(ReadFile("mine.dat"), "34{4\r\n");
    EXPECT_EQ(ReadFile("icons/1001.jpg"), "picture");
    EXPECT_EQ(ReadFile("icons/sub/7.png"), "picture");
    EXPECT_FALSE(fs::exists(Path("icons/new.jpg")));
}

// A list replaced by a pipe between the listing and Open, or grown beyond any real
// list, is reported as not read; the program neither waits nor runs out of memory.
TEST_P(BPListMenu, AListThatIsAPipeOrHugeIsReportedAndChangesNothing)
{
    WriteFile("list.txt", "Name: 100mm Reinforced Steel Plates I Blueprint\r\n");
    {
        std::ofstream huge(Path("huge.txt"), std::ios::binary);
        huge << "Name: 100mm Reinforced Steel Plates I Blueprint\r\n";
        huge.seekp(static_cast<std::streamoff>(storage::kMaxFileBytes) + 1);
        huge.put('\n');
    }
    ui::frmMain& w = Start();
    for (const char* name : {"list.txt", "huge.txt"}) {
        messages.clear();
        window->ControlsForTests().PurchasedBPList->trigger();
        QDialog* dialog = test::ShownDialog("frmOpen");
        ASSERT_NE(dialog, nullptr);
        test::Pick(*dialog, QString::fromUtf8(name));
        if (std::string(name) == "list.txt") {
            std::filesystem::remove(Path(name));
            ASSERT_EQ(::mkfifo(Path(name).c_str(), 0600), 0);
        }
        test::Press(*dialog, "cmdOpen");
        ASSERT_EQ(messages.size(), 1u) << name;
        EXPECT_TRUE(messages[0].starts_with("The blueprint list could not be read, so nothing was imported"))
            << messages[0];
        EXPECT_FALSE(w.Cat().bOwned[0]) << name;
    }
}

// Another existing file is replaced only when the player says Yes.
TEST_P(BPListMenu, AnExistingFileIsReplacedOnlyAfterAYes)
{
    WriteFile("report.txt", "earlier");
    Start();
    std::vector<std::string> questions;
    bool answer = false;
    const auto previous = ui::SetQuestionHook([&](const QString& caption, const QString& text) {
        questions.push_back(caption.toStdString() + "|" + text.toStdString());
        return answer;
    });
    Export("report.txt");
    EXPECT_EQ(ReadFile("report.txt"), "earlier");
    EXPECT_TRUE(messages.empty());
    answer = true;
    Export("report.txt");
    ui::SetQuestionHook(previous);
    EXPECT_TRUE(ReadFile("report.txt").starts_with("POS Research: "));
    EXPECT_EQ(messages, std::vector<std::string>{"Exported successfully."});
    const std::string asked = "Brenta|report.txt already exists.\n\nDo you want to replace it?";
    EXPECT_EQ(questions, (std::vector<std::string>{asked, asked}));
}

// A termination signal while the export asks whether to replace a file: the
// player's files are written as at any close, and the report's old file stays.
TEST_P(BPListMenu, ASignalWhileTheExportAsksLosesNothing)
{
    WriteFile("report.txt", "earlier");
    WriteFile("ownedbps.dat", "11294{5{2\r\n");
    ui::frmMain& w = Start();
    ui::SignalCloser closer(&w);
    bool saved = false;
    const auto previous = ui::SetQuestionHook([&](const QString&, const QString&) {
        std::raise(SIGTERM);
        saved = QTest::qWaitFor([&] { return std::filesystem::exists(Path("skills.dat")); });
        return false;
    });
    Export("report.txt");
    ui::SetQuestionHook(previous);
    EXPECT_TRUE(saved);
    EXPECT_EQ(ReadFile("ownedbps.dat"), "11294{5{2\r\n");
    EXPECT_TRUE(std::filesystem::exists(Path("matprices.dat")));
    EXPECT_EQ(ReadFile("report.txt"), "earlier");
}

} // namespace
