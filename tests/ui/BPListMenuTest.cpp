// The owned blueprints out and back in through the menus and the program's own
// dialogs: File, Export, "Owned BPs (*.txt)" and File, Import, "Purchased BP List".

#include <QAction>

#include <filesystem>

#include "tests/ui/FileDialogDriver.h"
#include "tests/ui/MainWindowFixture.h"

using namespace brenta;

namespace {

class BPListMenu : public test::MainWindowTest {
protected:
    // File -> Export -> "Owned BPs (*.txt)", the name typed, then "Save".
    void Export(const QString& name)
    {
        window->ui.OwnedBPListExport->trigger();
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
        window->ui.PurchasedBPList->trigger();
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
    ASSERT_TRUE(w.cat.bOwned[0]);

    Export("owned.txt");
    ASSERT_EQ(messages, std::vector<std::string>{"Exported successfully."});
    const std::string report = ReadFile("owned.txt");
    EXPECT_TRUE(report.starts_with("POS Research: False\r\nPOS Assembly: 1 / 1\r\n")) << report;
    EXPECT_NE(report.find("         Name: 100mm Reinforced Steel Plates I Blueprint\r\n           ML: 5\r\n"),
        std::string::npos);

    w.cat.bOwned[0] = false;
    w.cat.strOwned[0].clear();
    Import("owned.txt");
    EXPECT_TRUE(w.cat.bOwned[0]);
    EXPECT_EQ(w.cat.strOwned[0], "11294{5{2");
    EXPECT_EQ(messages.size(), 1u); // the import reports nothing when it succeeds
}

TEST_P(BPListMenu, AReportThatCannotBeWrittenIsReportedAndNotCalledExported)
{
    Start();
    std::filesystem::create_directory(Path("taken.txt")); // a folder where the file would go
    Export("taken.txt");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("The owned blueprints could not be exported")) << messages[0];
    EXPECT_TRUE(std::filesystem::is_directory(Path("taken.txt")));
}

} // namespace
