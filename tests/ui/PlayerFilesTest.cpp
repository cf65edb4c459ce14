// The player's files at start-up and shut-down: what a program folder holds is
// what the window starts with, and what it writes back reads the same.

#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLabel>

#include <filesystem>

#include <sys/stat.h>

#include "tests/ui/MainWindowFixture.h"

using namespace brenta;

namespace {

class PlayerFiles : public test::MainWindowTest {};
BRENTA_BOTH_LOCALES(PlayerFiles);

TEST_P(PlayerFiles, StartWithTheFilesAndWriteThemBack)
{
    WriteFile("ownedbps.dat", "11294{5{2\r\n");
    WriteFile("skills.dat", "4,3,5,2\r\n");
    WriteFile("matprices.dat", "34{5\r\n");
    ui::frmMain& w = Start();
    EXPECT_EQ(w.ControlsForTests().cboMetallurgy->currentIndex(), 4);
    EXPECT_EQ(w.ControlsForTests().cboResearch->currentIndex(), 3);
    EXPECT_EQ(w.ControlsForTests().cboIndustry->currentIndex(), 5);
    EXPECT_EQ(w.ControlsForTests().cboPE->currentIndex(), 2);
    EXPECT_EQ(w.Cat().dblPrices[34], 5);
    EXPECT_EQ(w.Cat().dblPrices[35], 8); // every other item keeps its default
    EXPECT_TRUE(w.Cat().bOwned[0]);
    EXPECT_EQ(w.Cat().strOwned[0].text, "11294{5{2");
    EXPECT_EQ(w.windowTitle().toStdString(), "Brenta 1.9.5 - matprices.dat");
    w.close();

    EXPECT_EQ(ReadFile("ownedbps.dat"), "11294{5{2\r\n");
    EXPECT_EQ(ReadFile("skills.dat"), "4,3,5,2\r\n");
    const std::string prices = ReadFile("matprices.dat");
    const auto lines = storage::SplitLines(prices);
    EXPECT_EQ(lines.size(), 913u);
    EXPECT_EQ(lines.front().substr(0, 3), "18{");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "34{5"), lines.end());
    EXPECT_EQ(prices.substr(prices.size() - 2), "\r\n");
}

TEST_P(PlayerFiles, DecimalPricesUseTheLocaleSeparatorAndReadBack)
{
    WriteFile("matprices.dat", L("34{2.35\r36{0.5\r\n")); // a lone CR ends a line too
    ui::frmMain& w = Start();
    EXPECT_EQ(w.Cat().dblPrices[34], 2.35);
    EXPECT_EQ(w.Cat().dblPrices[36], 0.5);
    w.close();
    const auto lines = storage::SplitLines(ReadFile("matprices.dat"));
    EXPECT_NE(std::find(lines.begin(), lines.end(), L("34{2.35")), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), L("36{0.5")), lines.end());
}

TEST_P(PlayerFiles, FilesWithLinuxLineEndsOrAByteOrderMarkLoseNothing)
{
    WriteFile("ownedbps.dat", "11294{5{2\n12380{1{3\n");
    WriteFile("skills.dat", "4,3,5,2\n");
    WriteFile("matprices.dat",
        "\xEF\xBB\xBF"
        "34{5\n35{7\n");
    ui::frmMain& w = Start();
    EXPECT_EQ(w.ControlsForTests().cboPE->currentIndex(), 2);
    EXPECT_EQ(w.Cat().dblPrices[34], 5);
    EXPECT_EQ(w.Cat().dblPrices[35], 7);
    EXPECT_EQ(w.Cat().strOwned[0].text, "11294{5{2");
    EXPECT_EQ(w.Cat().strOwned[1].text, "12380{1{3");
    w.close();
    EXPECT_EQ(ReadFile("ownedbps.dat"), "11294{5{2\r\n12380{1{3\r\n");
    EXPECT_EQ(ReadFile("skills.dat"), "4,3,5,2\r\n");
    const auto lines = storage::SplitLines(ReadFile("matprices.dat"));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "34{5"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "35{7"), lines.end());
}

TEST_P(PlayerFiles, BadLinesNeverStopStartUpOrTouchAnythingElse)
{
    WriteFile("ownedbps.dat", "34{9{9\r\nabc{1{1\r\n99999{1{1\r\nx\r\n");
    WriteFile("skills.dat", "9,x\r\n");
    WriteFile("matprices.dat", "34\r\nx{5\r\n40{y\r\n31000{5\r\n");
    ui::frmMain& w = Start();
    EXPECT_FALSE(w.Cat().bOwned[0]);
    EXPECT_EQ(w.ControlsForTests().cboMetallurgy->currentIndex(), 0);
    EXPECT_EQ(w.ControlsForTests().cboResearch->currentIndex(), 0);
    EXPECT_EQ(w.Cat().dblPrices[34], 2);
    EXPECT_EQ(w.Cat().dblPrices[40], 8192);
    EXPECT_EQ(w.ControlsForTests().cboBP->count(), 2579);
}

TEST_P(PlayerFiles, AFileThatCouldNotBeReadIsReportedAtStartAndNotOverwritten)
{
    // An ordinary file that fails on reading: the running process's own memory.
    std::filesystem::create_symlink("/proc/self/mem", Path("ownedbps.dat"));
    std::filesystem::create_symlink("/proc/self/mem", Path("skills.dat"));
    ui::frmMain& w = Start();
    EXPECT_FALSE(w.Cat().bOwned[0]);
    // Said once at start-up, naming every such file, before the player works on defaults.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("ownedbps.dat"), std::string::npos);
    EXPECT_NE(messages[0].find("skills.dat"), std::string::npos);
    w.close();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find("ownedbps.dat"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_symlink(Path("ownedbps.dat")));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("skills.dat")));
    EXPECT_TRUE(std::filesystem::is_regular_file(Path("matprices.dat")));
}

// A folder, a pipe or a device under a player's file's name is said at start-up
// with the files that could not be read, not first at the close; each keeps its kind.
TEST_P(PlayerFiles, AFolderOrAPipeUnderAPlayersFileNameIsReportedAtStart)
{
    namespace fs = std::filesystem;
    fs::create_directory(Path("matprices.dat"));
    ASSERT_EQ(::mkfifo(Path("ownedbps.dat").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", Path("skills.dat"));
    ui::frmMain& w = Start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("Brenta could not read some of your files")) << messages[0];
    for (const char* line : {"matprices.dat: it is a folder", "ownedbps.dat: it is not an ordinary file",
             "skills.dat: it is not an ordinary file"})
        EXPECT_NE(messages[0].find(line), std::string::npos) << line << " in " << messages[0];
    w.close();
    ASSERT_EQ(messages.size(), 2u);
    for (const char* name : {"matprices.dat", "ownedbps.dat", "skills.dat"})
        EXPECT_NE(
            messages[1].find(std::string(name) + ": it could not be read when Brenta started"), std::string::npos)
            << messages[1];
    EXPECT_TRUE(fs::is_directory(Path("matprices.dat")));
    EXPECT_TRUE(fs::is_fifo(Path("ownedbps.dat")));
    EXPECT_TRUE(fs::is_symlink(Path("skills.dat")));
}

// A stored prices file name that is one of the program's own files would have the
// close write prices over the program or over another of the player's files.
TEST_P(PlayerFiles, TheProgramsOwnFilesNeverServeAsThePricesFile)
{
    for (const std::string name : {"brenta", "skills.dat", "ownedbps.dat"}) {
        WriteFile("brenta",
            "\x7f"
            "ELF program");
        WriteFile("skills.dat", "4,3,5,2\r\n");
        WriteFile("ownedbps.dat", "11294{5{2\r\n");
        settings.values["Options/PricesFile"] = name;
        ui::frmMain& w = Start();
        EXPECT_EQ(w.PricesFileName(), "matprices.dat") << name;
        EXPECT_EQ(w.windowTitle().toStdString(), "Brenta 1.9.5 - matprices.dat");
        w.close();
        EXPECT_EQ(ReadFile("brenta"),
            "\x7f"
            "ELF program");
        EXPECT_EQ(ReadFile("skills.dat"), "4,3,5,2\r\n");
        EXPECT_EQ(ReadFile("ownedbps.dat"), "11294{5{2\r\n");
        EXPECT_EQ(storage::SplitLines(ReadFile("matprices.dat")).size(), 913u);
        EXPECT_EQ(settings.values["Options/PricesFile"], "matprices.dat");
    }
    EXPECT_TRUE(messages.empty());
}

TEST_P(PlayerFiles, ChoosingOneOfTheProgramsOwnFilesAsPricesFileIsRefusedOnce)
{
    ui::frmMain& w = Start();
    for (const std::string name : {"brenta", "skills.dat", "ownedbps.dat"}) {
        messages.clear();
        EXPECT_FALSE(w.AcceptPricesFileName(name));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(name), std::string::npos);
    }
    messages.clear();
    EXPECT_TRUE(w.AcceptPricesFileName("mine.dat"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(w.PricesFileName(), "matprices.dat");
}

// A program folder named in Latin-1 is no valid UTF-8: its files and icons are still
// the ones found, through the folder's own bytes.
TEST_P(PlayerFiles, AFolderWhoseNameIsNotUtf8KeepsItsFilesAndIcons)
{
    const std::string latin1 = Path("Br\xE9nta");
    std::filesystem::create_directories(latin1 + "/icons");
    std::ofstream(latin1 + "/skills.dat", std::ios::binary) << "4,3,5,2\r\n";
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    ASSERT_TRUE(picture.save(&buffer, "JPG"));
    std::ofstream(latin1 + "/icons/11294.jpg", std::ios::binary) << jpeg.toStdString();

    window = std::make_unique<ui::frmMain>(latin1, settings, fmt, executable);
    EXPECT_EQ(window->ControlsForTests().cboPE->currentIndex(), 2);
    SelectBlueprint(QStringLiteral("100mm Reinforced Steel Plates I Blueprint"));
    EXPECT_FALSE(window->ControlsForTests().pctIcon->pixmap().isNull());
    window->close();
    EXPECT_TRUE(std::filesystem::is_regular_file(latin1 + "/matprices.dat"));
    EXPECT_TRUE(messages.empty());
}

} // namespace
