// Following a material down to the blueprint that builds it and back: the context
// menu of a name cell, "Find BP", Back, and the sheet of whatever blueprint is shown.

#include <QPushButton>

#include <algorithm>

#include "tests/ui/MainWindowFixture.h"

using namespace brenta;

namespace {

const QString kAfterburner2 = QStringLiteral("100MN Afterburner II Blueprint");
constexpr const char* kAfterburner1 = "100MN Afterburner I Blueprint";
using Texts = std::vector<std::string>;

class DrillDown : public test::MainWindowTest {
protected:
    std::int16_t IndexOf(const std::string& name) const
    {
        const auto& names = window->lstBPs;
        const auto it = std::find(names.begin(), names.end(), name);
        EXPECT_NE(it, names.end()) << name;
        return static_cast<std::int16_t>(it - names.begin());
    }

    // The first afterburner owned at PL 3, so its build time depends on its own
    // productivity modifier (504 s; the second one's is 4000 s).
    void OwnFirstAfterburner() const { WriteFile("ownedbps.dat", "12067{0{3\r\n"); }
};
INSTANTIATE_TEST_SUITE_P(Point, DrillDown, ::testing::Values('.'), test::LocaleName);

// 2520 s per run less 504 s x 3/4: 2142 s. The second afterburner's modifier would
// make it 2520 - 3000 s.
constexpr const char* kFirstAfterburnerBuildTime = "0D 0H 35M 42S";

TEST_P(DrillDown, TheSheetAndItsTimesBelongToTheShownBlueprint)
{
    OwnFirstAfterburner();
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);

    // Shown without the selector, as "Find BP" and Back show a blueprint.
    w.LoadBP(IndexOf(kAfterburner1));
    EXPECT_EQ(w.ui.cboBP->currentText(), kAfterburner2);
    EXPECT_EQ(w.ui.txtPL->text(), "3");
    EXPECT_EQ(w.ui.lblBuildTime->text().toStdString(), kFirstAfterburnerBuildTime);
    EXPECT_EQ(w.ui.lblPLTime->text().toStdString(), "1D 18H 0M 0S"); // 3 x its own 50400 s

    // With the grid cleared and nothing selected, a blueprint shown is computed in full.
    w.ClearMaterialRows();
    ASSERT_EQ(w.ui.cboBP->currentIndex(), -1);
    w.LoadBP(IndexOf(kAfterburner1));
    EXPECT_EQ(Column(w.ui.lblWaste, 6), (Texts{"388", "112", "174", "23", "1", "1"}));
    EXPECT_EQ(w.ui.lblBuildTime->text().toStdString(), kFirstAfterburnerBuildTime);

    // Cleared again: edits compute the wastage factor and nothing else.
    w.ClearMaterialRows();
    Type(w.ui.txtML, "5");
    EXPECT_EQ(w.ui.lblWaste[0]->text(), "0");
    EXPECT_EQ(w.ui.lblBuildTime->text().toStdString(), kFirstAfterburnerBuildTime);
}

} // namespace
