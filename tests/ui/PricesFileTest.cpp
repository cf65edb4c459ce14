// Switching to another prices file from the menu, through the program's own open
// dialog: only the chosen name counts, the program folder's file of that name is
// read, and it is the one written at shut-down and read at the next start.

#include <QAction>

#include <filesystem>

#include "tests/ui/FileDialogDriver.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/windows/frmOpen.h"

using namespace brenta;

namespace {

const QString kAfterburner = QStringLiteral("100MN Afterburner II Blueprint"); // row 0: Tritanium, 34

class PricesFile : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        std::filesystem::create_directory(Path("elsewhere"));
    }

    // File -> Import -> Material List -> "Prices *.dat File", then, in the dialog,
    // into the folder "elsewhere", the entry name and the button.
    void ChoosePricesFile(const QString& name, const char* button = "cmdOpen")
    {
        window->ControlsForTests().PricesDatFile->trigger();
        QDialog* dialog = test::ShownDialog("frmOpen");
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(window->isEnabled());
        EXPECT_EQ(window->OpenDialog().DirectoryPath(), folder.path().toStdString());
        test::OpenFolder(*dialog, Path("elsewhere"));
        if (!name.isEmpty())
            test::Pick(*dialog, name);
        test::Press(*dialog, button);
        EXPECT_TRUE(window->isEnabled());
    }
};
BRENTA_BOTH_LOCALES(PricesFile);

TEST_P(PricesFile, TheChosenNameIsReadFromTheProgramFolderAndKept)
{
    WriteFile("mine.dat", L("34{5.5\r\n"));
    WriteFile("elsewhere/mine.dat", "34{7\r\n");
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner);
    ASSERT_EQ(w.ControlsForTests().txtPPU[0]->text(), "2");

    ChoosePricesFile("mine.dat");
    EXPECT_EQ(w.PricesFileName(), "mine.dat");
    EXPECT_EQ(w.ControlsForTests().txtPPU[0]->text().toStdString(), L("5.5")); // shown at once
    EXPECT_EQ(w.windowTitle().toStdString(), "Brenta 1.9.5 - mine.dat");
    w.close();

    const auto lines = storage::SplitLines(ReadFile("mine.dat"));
    EXPECT_EQ(lines.size(), 913u);
    EXPECT_NE(std::find(lines.begin(), lines.end(), L("34{5.5")), lines.end());
    EXPECT_EQ(settings.values["Options/PricesFile"], "mine.dat");
    EXPECT_EQ(ReadFile("elsewhere/mine.dat"), "34{7\r\n");
    EXPECT_FALSE(std::filesystem::exists(Path("matprices.dat"))); // the file used before is not written
    EXPECT_TRUE(messages.empty());

    ui::frmMain& next = Start();
    EXPECT_EQ(next.windowTitle().toStdString(), "Brenta 1.9.5 - mine.dat");
    EXPECT_EQ(next.Cat().dblPrices[34], 5.5);
}

TEST_P(PricesFile, TheBlueprintOnDisplayShowsTheNewPricesWhateverTheSelectorHolds)
{
    WriteFile("mine.dat", L("34{5.5\r\n"));
    WriteFile("elsewhere/mine.dat", "34{7\r\n");
    ui::frmMain& w = Start();
    SelectBlueprint(QStringLiteral("100mm Reinforced Steel Plates I Blueprint"));
    const std::int16_t index = IndexOf(kAfterburner.toStdString());
    ASSERT_GE(index, 0);
    ShowAsFindBPDoes(index);

    ChoosePricesFile("mine.dat");
    EXPECT_EQ(w.ShownIndex(), index);
    EXPECT_EQ(w.RowMaterial(0), 34);
    EXPECT_EQ(w.ControlsForTests().txtPPU[0]->text().toStdString(), L("5.5"));
}

TEST_P(PricesFile, ANameWithoutAFileKeepsThePricesAndCancelChangesNothing)
{
    WriteFile("elsewhere/new.dat", "34{7\r\n");
    ui::frmMain& w = Start();
    ChoosePricesFile("new.dat", "cmdCancel");
    EXPECT_EQ(w.PricesFileName(), "matprices.dat");
    EXPECT_EQ(w.windowTitle().toStdString(), "Brenta 1.9.5 - matprices.dat");

    ChoosePricesFile("new.dat");
    EXPECT_EQ(w.PricesFileName(), "new.dat");
    EXPECT_EQ(w.Cat().dblPrices[34], 2); // no file of that name beside the program
    EXPECT_EQ(w.windowTitle().toStdString(), "Brenta 1.9.5 - new.dat");
    w.close();
    EXPECT_EQ(storage::SplitLines(ReadFile("new.dat")).size(), 913u);
}

TEST_P(PricesFile, AFileThatCannotServeOrBeReadChangesNothing)
{
    WriteFile("elsewhere/skills.dat", "34{7\r\n");
    WriteFile("elsewhere/ownedbps.dat", "34{7\r\n");
    WriteFile("elsewhere/broken.dat", "34{7\r\n");
    // An ordinary file that fails on reading: the running process's own memory.
    std::filesystem::create_symlink("/proc/self/mem", Path("broken.dat"));
    // A folder of a prices file's name, listed like one: it could never be written.
    std::filesystem::create_directory(Path("x.dat"));
    std::filesystem::create_directory(Path("elsewhere/x.dat"));
    WriteFile("matprices.dat", "34{3\r\n");
    ui::frmMain& w = Start();
    for (const char* name : {"skills.dat", "ownedbps.dat", "broken.dat", "x.dat"}) {
        messages.clear();
        ChoosePricesFile(name);
        ASSERT_EQ(messages.size(), 1u) << name;
        EXPECT_NE(messages[0].find(name), std::string::npos) << messages[0];
        EXPECT_EQ(w.PricesFileName(), "matprices.dat");
        EXPECT_EQ(w.Cat().dblPrices[34], 3);
        EXPECT_EQ(w.windowTitle().toStdString(), "Brenta 1.9.5 - matprices.dat");
    }

    // The program's own names, however they were chosen.
    for (const std::string& name : {executable, std::string("brenta.png"), std::string(".hidden.dat")}) {
        messages.clear();
        w.OpenDialog().FileName = Path(name);
        w.OpenPricesFile();
        EXPECT_EQ(messages.size(), 1u) << name;
        EXPECT_EQ(w.PricesFileName(), "matprices.dat");
    }

    messages.clear();
    w.close();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(Path("broken.dat")));
    EXPECT_EQ(ReadFile("skills.dat"), "0,0,0,0\r\n");
    EXPECT_EQ(storage::SplitLines(ReadFile("matprices.dat")).size(), 913u);
}

// A stored name that became a folder is never the prices file: the prices are
// read from and written to the default file, not lost at every close.
TEST_P(PricesFile, AStoredNameThatIsAFolderGivesTheDefaultFile)
{
    std::filesystem::create_directory(Path("x.dat"));
    settings.values["Options/PricesFile"] = "x.dat";
    WriteFile("matprices.dat", "34{3\r\n");
    ui::frmMain& w = Start();
    EXPECT_EQ(w.PricesFileName(), "matprices.dat");
    EXPECT_EQ(w.Cat().dblPrices[34], 3);
    w.close();
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(settings.values["Options/PricesFile"], "matprices.dat");
    EXPECT_TRUE(std::filesystem::is_directory(Path("x.dat")));
}

// A prices file of a usable name that is a link to a picture or to the skills
// would have every close write the prices over that file: it is refused when
// chosen, and a stored one gives the default file.
TEST_P(PricesFile, ALinkToAnotherOfTheProgramsFilesNeverTakesThePrices)
{
    namespace fs = std::filesystem;
    fs::create_directory(Path("icons"));
    WriteFile("icons/1001.jpg", "picture");
    WriteFile("skills.dat", "1,2,3,4\r\n");
    fs::create_symlink("icons/1001.jpg", Path("picture.dat"));
    fs::create_symlink(Path("skills.dat"), Path("levels.dat"));
    fs::create_symlink("icons", Path("pictures"));
    for (const char* name : {"picture.dat", "levels.dat"})
        WriteFile(std::string("elsewhere/") + name, "34{7\r\n");
    WriteFile("matprices.dat", "34{3\r\n");
    settings.values["Options/PricesFile"] = "picture.dat";
    ui::frmMain& w = Start();
    EXPECT_EQ(w.PricesFileName(), "matprices.dat");
    EXPECT_TRUE(messages.empty()) << messages.front();

    for (const char* name : {"picture.dat", "levels.dat"}) {
        messages.clear();
        ChoosePricesFile(name);
        ASSERT_EQ(messages.size(), 1u) << name;
        EXPECT_NE(messages[0].find(std::string(name)
                      + " cannot be used as a prices file: it leads to one of "
                        "Brenta's own files"),
            std::string::npos)
            << messages[0];
        EXPECT_EQ(w.PricesFileName(), "matprices.dat");
        EXPECT_EQ(w.Cat().dblPrices[34], 3);
    }
    w.close();
    EXPECT_EQ(ReadFile("icons/1001.jpg"), "picture");
    EXPECT_EQ(ReadFile("skills.dat"), "1,2,3,4\r\n");
    EXPECT_TRUE(fs::is_symlink(Path("picture.dat")));
    EXPECT_EQ(settings.values["Options/PricesFile"], "matprices.dat");
}

TEST_P(PricesFile, ClosingTheProgramClosesTheDialogAndSaves)
{
    ui::frmMain& w = Start();
    w.ControlsForTests().PricesDatFile->trigger();
    ASSERT_NE(test::ShownDialog("frmOpen"), nullptr);
    w.close();
    EXPECT_EQ(test::ShownDialog("frmOpen"), nullptr);
    EXPECT_EQ(storage::SplitLines(ReadFile("matprices.dat")).size(), 913u);
}

} // namespace
