// The sheet and the blueprint display, reached as a player does: pick a blueprint
// in the selector, type into the fields, choose skills and arrays.

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>

#include <filesystem>

#include "calc/Sheet.h"
#include "catalogue/BlueprintRecord.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/main/Look.h"

using namespace brenta;

namespace {

const QString kPlates = QStringLiteral("100mm Reinforced Steel Plates I Blueprint");
using Texts = std::vector<std::string>;

class Sheet : public test::MainWindowTest {};
BRENTA_BOTH_LOCALES(Sheet);

TEST_P(Sheet, PlatesAtProductionEfficiencyFive)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    Choose(w.ControlsForTests().cboPE, 5);

    EXPECT_EQ(Column(w.ControlsForTests().lblWaste, 6), (Texts{"68", "20", "28", "4", "0", "0"}));
    EXPECT_EQ(Column(w.ControlsForTests().lblTotal, 6), (Texts{"744", "223", "308", "43", "2", "1"}));
    // Totals times unit prices; the waste column alone costs 1,704, so the job
    // without waste costs 20,000 and the efficiency is 20,000 / 21,704.
    EXPECT_EQ(w.ControlsForTests().lblBuildCost->text().toStdString(), L("21,704.00 ISK"));
    EXPECT_EQ(w.ControlsForTests().lblBuildWaste->text().toStdString(), L("1,704.00 ISK"));
    EXPECT_EQ(w.ControlsForTests().lblCostPerUnit->text().toStdString(), L("21,704.00 ISK"));
    EXPECT_EQ(w.ControlsForTests().lblEfficiency->text().toStdString(), L("92.1489126428%"));
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text().toStdString(), "0D 0H 10M 0S");
}

TEST_P(Sheet, EditsRecomputeTheWaste)
{
    const struct {
        const char* name;
        int pe;
        const char* ml;
        const char* runs;
        int array;
        Texts waste;
    } cases[] = {
        {"PE 0", 0, "0", "1", 0, {"237", "71", "98", "14", "1", "0"}},
        {"ML 10", 5, "10", "1", 0, {"6", "2", "3", "0", "0", "0"}},
        {"three runs", 5, "0", "3", 0, {"204", "60", "84", "12", "0", "0"}},
        {"Rapid Equipment", 5, "0", "1", 2, {"203", "61", "84", "12", "1", "0"}},
        {"Adv. Small Ship", 5, "0", "1", 12, {"135", "41", "56", "8", "0", "0"}},
        {"ML -4", 5, "-4", "1", 0, {"338", "102", "140", "20", "1", "1"}},
    };
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    for (const auto& c : cases) {
        Choose(w.ControlsForTests().cboPE, c.pe);
        Choose(w.ControlsForTests().cboAssemblyArray, c.array);
        Type(w.ControlsForTests().txtML, c.ml);
        Type(w.ControlsForTests().txtRuns, c.runs);
        EXPECT_EQ(Column(w.ControlsForTests().lblWaste, 6), c.waste) << c.name;
    }
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text().toStdString(), "0D 0H 10M 0S");
    Choose(w.ControlsForTests().cboAssemblyArray, 12); // Adv. Small Ship: a quarter off the build time
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text().toStdString(), "0D 0H 7M 30S");

    // Three runs scale the amounts; the array's tool tip names its multipliers.
    Choose(w.ControlsForTests().cboAssemblyArray, 2);
    Type(w.ControlsForTests().txtRuns, "3");
    EXPECT_EQ(Column(w.ControlsForTests().lblAmount, 6), (Texts{"2028", "609", "840", "117", "6", "3"}));
    EXPECT_EQ(w.ControlsForTests().cboAssemblyArray->toolTip().toStdString(),
        "Time * " + L("0.65") + ", Materials * " + L("1.2"));
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text().toStdString(), "0D 0H 19M 30S"); // 3 x 600 s x 0.65
}

// The grid shows the job; nothing written into its captions goes back into it.
TEST_P(Sheet, TheSheetComputesFromTheJobNotFromTheGridsCaptions)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    Type(w.ControlsForTests().txtRuns, "3");
    const Texts totals = Column(w.ControlsForTests().lblTotal, 6);
    const QString cost = w.ControlsForTests().lblBuildCost->text();
    w.ControlsForTests().lblAmount[0]->setText(QStringLiteral("1"));
    w.ControlsForTests().lblPrefix[1]->setText(QStringLiteral("[Skill] Not A Mineral"));
    Type(w.ControlsForTests().txtML, "1");
    Type(w.ControlsForTests().txtML, "0");
    EXPECT_EQ(Column(w.ControlsForTests().lblTotal, 6), totals);
    EXPECT_EQ(w.ControlsForTests().lblBuildCost->text(), cost);
    EXPECT_EQ(w.ComparisonInput().input.rows[0].amount, "2028");
    EXPECT_EQ(w.ComparisonInput().rows[1].caption.toStdString(), "[Raw] Pyerite");
}

TEST_P(Sheet, BadInputIsAnsweredInTheWastageFactorBox)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    Type(w.ControlsForTests().txtML, "71582788");
    // The highest ML the sheet accepts: 71,582,788 levels at 12,000 s each make
    // 858,993,456,000 s.
    EXPECT_EQ(w.ControlsForTests().lblTime->text().toStdString(), "9942053D 21H 20M 0S");
    const Texts wastes = Column(w.ControlsForTests().lblWaste, 6);

    Type(w.ControlsForTests().txtML, "71582789");
    EXPECT_EQ(w.ControlsForTests().txtWF->text().toStdString(), "Invalid ML");
    EXPECT_EQ(Column(w.ControlsForTests().lblWaste, 6), wastes);

    Type(w.ControlsForTests().txtML, "5");
    EXPECT_EQ(w.ControlsForTests().txtWF->text().toStdString(), L("0.0166666666667")); // 0.1 / (1 + 5)

    // Only digits reach the run count; an empty one is unusable.
    Type(w.ControlsForTests().txtRuns, "2x.5");
    EXPECT_EQ(w.ControlsForTests().txtRuns->text().toStdString(), "25");
    QTest::keyClick(w.ControlsForTests().txtRuns, Qt::Key_Return);
    QTest::keyClick(w.ControlsForTests().txtRuns, Qt::Key_Home);
    QTest::keyClick(w.ControlsForTests().txtRuns, Qt::Key_Delete);
    EXPECT_EQ(w.ControlsForTests().txtRuns->text().toStdString(), "5");
    w.ControlsForTests().txtRuns->setFocus();
    w.ControlsForTests().txtRuns->selectAll();
    QTest::keyClick(w.ControlsForTests().txtRuns, Qt::Key_Backspace);
    EXPECT_EQ(w.ControlsForTests().txtWF->text().toStdString(), "Invalid Runs");
    QTest::keyClicks(w.ControlsForTests().txtRuns, "1234567");
    EXPECT_EQ(w.ControlsForTests().txtRuns->text().toStdString(), "1000000");
    EXPECT_EQ(w.ControlsForTests().txtRuns->cursorPosition(), 7);
    EXPECT_EQ(w.ControlsForTests().lblAmount[0]->text().toStdString(), "676000000"); // 676 Tritanium a run
}

TEST_P(Sheet, IdealAndNextImprovementColumns)
{
    settings.values = {{"Options/ShowNextImprovement", "True"}};
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    EXPECT_EQ(Column(w.ControlsForTests().lblIdeal, 6), (Texts{"135", "40", "56", "7", "0", "0"}));
    EXPECT_EQ(Column(w.ControlsForTests().lblImprove, 4), (Texts{"1", "1", "1", "1"}));
    EXPECT_EQ(ui::ForeColour(w.ControlsForTests().lblImprove[0]), ui::BgrColour(ui::Colour::White));
    EXPECT_EQ(ui::ForeColour(w.ControlsForTests().lblImprove[4]), ui::BgrColour(ui::Colour::Green));

    Type(w.ControlsForTests().txtML, "2");
    EXPECT_EQ(w.ControlsForTests().lblImprove[3]->text().toStdString(), "7"); // waste stays 1 from level 3 to 6
    Type(w.ControlsForTests().txtML, "135");
    EXPECT_EQ(w.ControlsForTests().lblImprove[0]->text().toStdString(), "135");
    EXPECT_EQ(ui::ForeColour(w.ControlsForTests().lblImprove[0]), ui::BgrColour(ui::Colour::Green));

    Type(w.ControlsForTests().txtML, "");
    EXPECT_EQ(w.ControlsForTests().lblImprove[0]->text().toStdString(), "135");

    // Switching the column off clears it; switching it on fills it at once.
    Type(w.ControlsForTests().txtML, "2");
    w.ControlsForTests().Improvements->trigger();
    EXPECT_EQ(Column(w.ControlsForTests().lblImprove, 6), (Texts{"0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(ui::ForeColour(w.ControlsForTests().lblImprove[5]), ui::BgrColour(ui::Colour::White));
    w.ControlsForTests().Improvements->trigger();
    EXPECT_EQ(Column(w.ControlsForTests().lblImprove, 6), (Texts{"3", "3", "3", "7", "0", "0"}));
}

// The toggle writes the column by the same rule as every recomputation: a row
// without waste (a first-tech item, say) has no improvement, whatever the ML.
TEST_P(Sheet, TheImprovementToggleFillsTheColumnAsARecomputationDoes)
{
    ui::frmMain& w = Start();
    // The blueprint whose row without waste has the largest amount: at a negative
    // ML the level-by-level search would find a level for it.
    QString name;
    int noWasteRow = -1;
    std::int32_t largest = 0;
    for (const std::string_view rec : w.Cat().strBPs) {
        const auto materials = sheet::ShownMaterials(rec, fmt);
        for (std::size_t r = 0; r < materials.size(); ++r) {
            const std::string& item = w.Cat().strItemNames.at(static_cast<std::size_t>(materials[r].typeId));
            if (sheet::ClassifyRow(item) == sheet::RowKind::NoWaste && materials[r].quantity > largest) {
                largest = materials[r].quantity;
                name = QString::fromStdString(std::string(record::Field(rec, 0)));
                noWasteRow = static_cast<int>(r);
            }
        }
    }
    ASSERT_GE(noWasteRow, 0);
    SelectBlueprint(name);
    const int rows = 25;
    for (const char* ml : {"-3", "0", "4"}) {
        Type(w.ControlsForTests().txtML, ml);
        w.ControlsForTests().Improvements->trigger(); // on
        const Texts toggled = Column(w.ControlsForTests().lblImprove, rows);
        Type(w.ControlsForTests().txtML, ml); // the same level again: a recomputation
        EXPECT_EQ(toggled, Column(w.ControlsForTests().lblImprove, rows)) << "ML " << ml;
        EXPECT_EQ(toggled[static_cast<std::size_t>(noWasteRow)], "0") << "ML " << ml;
        w.ControlsForTests().Improvements->trigger(); // off: cleared
        EXPECT_EQ(Column(w.ControlsForTests().lblImprove, rows), Texts(rows, "0")) << "ML " << ml;
    }
}

class Display : public test::MainWindowTest {
protected:
    // A blueprint of the catalogue with the given number of materials.
    QString BlueprintWithMaterials(const ui::frmMain& w, std::size_t count)
    {
        for (const std::string_view rec : w.Cat().strBPs)
            if (record::Materials(rec).size() == count + 1)
                return QString::fromStdString(std::string(record::Field(rec, 0)));
        return {};
    }
};
BRENTA_BOTH_LOCALES(Display);

TEST_P(Display, GridAndWindowFitTheFilledRows)
{
    ui::frmMain& w = Start();
    SelectBlueprint(BlueprintWithMaterials(w, 3));
    EXPECT_EQ(w.ComparisonInput().input.baseQty.size(), 3u);
    EXPECT_TRUE(w.ControlsForTests().lblPrefix[2]->isVisibleTo(&w));
    EXPECT_FALSE(w.ControlsForTests().lblPrefix[3]->isVisibleTo(&w));
    EXPECT_EQ(w.ControlsForTests().fraMats->height(), ui::TwipsToPixels(1095));
    EXPECT_EQ(w.ControlsForTests().fraNextImprovement->height(), ui::TwipsToPixels(1095));
    EXPECT_EQ(w.WindowHeightTwips(), 4470);

    const QString most = BlueprintWithMaterials(w, 22);
    ASSERT_FALSE(most.isEmpty());
    SelectBlueprint(most);
    EXPECT_EQ(w.ControlsForTests().fraWaste->height(), ui::TwipsToPixels(5655));

    w.ClearMaterialRows();
    EXPECT_EQ(w.ControlsForTests().cboBP->currentIndex(), -1);
    EXPECT_TRUE(w.ControlsForTests().lblPrefix[0]->isVisibleTo(&w));
    EXPECT_FALSE(w.ControlsForTests().lblPrefix[1]->isVisibleTo(&w));
    EXPECT_EQ(w.ControlsForTests().lblPrefix[0]->text(), QString());
    EXPECT_EQ(w.ControlsForTests().lblAmount[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(RowMaterials(), std::vector<std::int32_t>(25, 0));

    // The wastage factor of nothing on display is the start-up's, not that of the
    // blueprint shown last (this one wastes 5 %).
    SelectBlueprint(QStringLiteral("Advanced Research Laboratory Blueprint"));
    EXPECT_EQ(w.ControlsForTests().txtWF->text().toStdString(), L("0.0500000000000"));
    w.ClearMaterialRows();
    EXPECT_EQ(w.ControlsForTests().txtWF->text().toStdString(), L("0.1000000000000"));
}

TEST_P(Display, RowsShowNamesAmountsPricesAndKindColours)
{
    ui::frmMain& w = Start();
    Type(w.ControlsForTests().txtRuns, "4");
    SelectBlueprint(QStringLiteral("100MN Afterburner II Blueprint"));
    EXPECT_EQ(w.ControlsForTests().txtRuns->text(), QStringLiteral("1"));
    EXPECT_EQ(w.RowMaterial(0), 34);
    EXPECT_EQ(w.ControlsForTests().lblAmount[0]->text().toStdString(), "19000");
    EXPECT_EQ(w.ControlsForTests().txtPPU[0]->text().toStdString(), "2");
    EXPECT_EQ(ui::ForeColour(w.ControlsForTests().lblPrefix[0]), ui::BgrColour(ui::Colour::Cyan));
    EXPECT_EQ(w.ControlsForTests().txtBatchSize->text(), QStringLiteral("1"));
    EXPECT_EQ(w.ComparisonInput().input.times, "80000{120000{20000");

    const auto row = [&](const char* name) {
        for (int r = 0; r < 25; ++r)
            if (w.ControlsForTests().lblPrefix[r]->text() == QLatin1String(name))
                return r;
        ADD_FAILURE() << name;
        return 0;
    };
    const int skill = row("[Skill] Industry");
    EXPECT_EQ(w.ControlsForTests().lblAmount[skill]->text(), QStringLiteral("5"));
    EXPECT_EQ(w.ControlsForTests().lblTotal[skill]->text(), QStringLiteral("0"));
    EXPECT_EQ(ui::ForeColour(w.ControlsForTests().lblAmount[skill]), ui::BgrColour(ui::Colour::Yellow));
    const int ram = row("[RAM] R.A.M.- Armor/Hull Tech");
    EXPECT_EQ(ui::ForeColour(w.ControlsForTests().lblPrefix[ram]), ui::BgrColour(ui::Colour::White));
    EXPECT_EQ(w.ControlsForTests().lblWaste[ram]->text(), QStringLiteral("0"));

    Type(w.ControlsForTests().txtRuns, "3");
    EXPECT_EQ(w.ControlsForTests().lblAmount[skill]->text(), QStringLiteral("5"));
    EXPECT_EQ(w.ControlsForTests().lblAmount[0]->text().toStdString(), "57000");
}

TEST_P(Display, OwnedBlueprintsRestoreTheirLevels)
{
    WriteFile("ownedbps.dat", "11294{5{2\r\n");
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    EXPECT_TRUE(w.ControlsForTests().chkOwnThis->isChecked());
    EXPECT_TRUE(w.ControlsForTests().chkOwnThis->isEnabled());
    EXPECT_EQ(w.ControlsForTests().txtML->text(), QStringLiteral("5"));
    EXPECT_EQ(w.ControlsForTests().txtPL->text(), QStringLiteral("2"));

    SelectBlueprint(QStringLiteral("100MN Afterburner II Blueprint"));
    EXPECT_FALSE(w.ControlsForTests().chkOwnThis->isChecked());
    EXPECT_EQ(w.ControlsForTests().txtML->text(), QStringLiteral("0"));
    EXPECT_EQ(w.ControlsForTests().txtPL->text(), QStringLiteral("0"));
}

// Clearing the sheet recomputes it once, whichever boxes it sets back, and leaves
// the wastage factor of ML 0 as the empty sheet shows it.
TEST_P(Display, ClearingTheSheetRecomputesItOnce)
{
    WriteFile("ownedbps.dat", "11294{5{2\r\n");
    ui::frmMain& w = Start();
    const QString emptyFactor = w.ControlsForTests().txtWF->text();
    SelectBlueprint(kPlates);
    Type(w.ControlsForTests().txtRuns, "4");
    ASSERT_EQ(w.ControlsForTests().txtML->text(), QStringLiteral("5"));
    QSignalSpy recomputed(&w, &ui::frmMain::SheetChanged);
    w.ClearMaterialRows();
    EXPECT_EQ(recomputed.count(), 1);
    EXPECT_EQ(w.ControlsForTests().txtML->text(), QStringLiteral("0"));
    EXPECT_EQ(w.ControlsForTests().txtPL->text(), QStringLiteral("0"));
    EXPECT_EQ(w.ControlsForTests().txtRuns->text(), QStringLiteral("1"));
    EXPECT_EQ(w.ControlsForTests().txtWF->text(), emptyFactor);
}

// Showing a blueprint writes the whole display first and then recomputes the sheet
// once, whichever boxes it changes on the way (here the ML, the PL and the runs).
TEST_P(Display, ShowingABlueprintRecomputesTheSheetOnce)
{
    WriteFile("ownedbps.dat", "11294{5{2\r\n");
    ui::frmMain& w = Start();
    Type(w.ControlsForTests().txtRuns, "4");
    QSignalSpy recomputed(&w, &ui::frmMain::SheetChanged);
    // LoadBP takes a blueprint index, which the selector's entry keeps as its data.
    const int entry = w.ControlsForTests().cboBP->findText(kPlates);
    ASSERT_GE(entry, 0);
    const auto plates
        = static_cast<std::int16_t>(w.ControlsForTests().cboBP->itemData(entry, Qt::UserRole).toInt());
    ASSERT_TRUE(w.LoadBP(plates));
    EXPECT_EQ(recomputed.count(), 1);
    ASSERT_EQ(w.ControlsForTests().txtML->text(), QStringLiteral("5"));
    ASSERT_EQ(w.ControlsForTests().txtPL->text(), QStringLiteral("2"));
    ASSERT_EQ(w.ControlsForTests().txtRuns->text(), QStringLiteral("1"));

    // That one recomputation saw the finished display: another changes nothing.
    const Texts total = Column(w.ControlsForTests().lblTotal, 6);
    const QString cost = w.ControlsForTests().lblBuildCost->text();
    const QString time = w.ControlsForTests().lblBuildTime->text();
    w.UpdateML();
    EXPECT_EQ(Column(w.ControlsForTests().lblTotal, 6), total);
    EXPECT_EQ(w.ControlsForTests().lblBuildCost->text(), cost);
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text(), time);

    // The selector shows through the same path: one recomputation per showing.
    recomputed.clear();
    w.ControlsForTests().cboBP->setCurrentIndex(
        w.ControlsForTests().cboBP->findText(QStringLiteral("100MN Afterburner II Blueprint")));
    w.cboBP_Click();
    EXPECT_EQ(recomputed.count(), 1);
    EXPECT_EQ(w.ControlsForTests().txtML->text(), QStringLiteral("0"));
}

// The efficiency is written only when the job costs something: within one blueprint a
// sheet priced at nothing keeps the last figure, but a newly shown blueprint starts
// from the empty value and never shows the figure of the one before it.
TEST_P(Display, AnUnpricedBlueprintNeverShowsTheEfficiencyOfTheOneBefore)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    QString lastFigure;
    for (int r = 0; r < 6; ++r) {
        lastFigure = w.ControlsForTests().lblEfficiency->text();
        ASSERT_NE(lastFigure, QStringLiteral("0%"));
        Type(w.ControlsForTests().txtPPU[r], QStringLiteral("0"));
        QTest::keyClick(w.ControlsForTests().txtPPU[r], Qt::Key_Return);
    }
    ASSERT_EQ(w.ControlsForTests().lblBuildCost->text().toStdString(), L("0.00 ISK"));
    EXPECT_EQ(w.ControlsForTests().lblEfficiency->text(), lastFigure);

    SelectBlueprint(QStringLiteral("100MN Afterburner II Blueprint"));
    const QString afterburnerFigure = w.ControlsForTests().lblEfficiency->text();
    ASSERT_NE(afterburnerFigure, QStringLiteral("0%"));
    SelectBlueprint(kPlates); // every material now priced 0
    EXPECT_EQ(w.ControlsForTests().lblEfficiency->text(), QStringLiteral("0%"));
    ShowAsFindBPDoes(IndexOf("100MN Afterburner II Blueprint"));
    EXPECT_EQ(w.ControlsForTests().lblEfficiency->text(), afterburnerFigure);
    QTest::mouseClick(w.ControlsForTests().cmdBack, Qt::LeftButton);
    EXPECT_EQ(w.ControlsForTests().lblEfficiency->text(), QStringLiteral("0%"));
}

TEST_P(Display, IconFallsBackToUnknownOrNothing)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    EXPECT_TRUE(w.ControlsForTests().pctIcon->pixmap().isNull());

    std::filesystem::create_directory(Path("icons"));
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    ASSERT_TRUE(picture.save(QString::fromStdString(Path("icons/unknown.jpg")), "JPG"));
    WriteFile("icons/11294.jpg", "not a picture");
    SelectBlueprint(QStringLiteral("100MN Afterburner II Blueprint"));
    SelectBlueprint(kPlates);
    EXPECT_FALSE(w.ControlsForTests().pctIcon->pixmap().isNull());
    EXPECT_EQ(w.ControlsForTests().lblWaste[0]->text(), QStringLiteral("237"));
}

TEST_P(Display, ClickingARowSelectsItAndClickingAgainClears)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    const QColor navy = ui::BgrColour(ui::Colour::Navy);
    QTest::mouseClick(w.ControlsForTests().lblWaste[2], Qt::LeftButton);
    EXPECT_EQ(ui::BackColour(w.ControlsForTests().lblPrefix[2]), navy);
    EXPECT_EQ(ui::BackColour(w.ControlsForTests().lblImprove[2]), navy);
    EXPECT_EQ(ui::BackColour(w.ControlsForTests().txtPPU[2]), ui::BgrColour(ui::Colour::StripeEven));

    QTest::mouseClick(w.ControlsForTests().lblPrefix[5], Qt::LeftButton);
    EXPECT_EQ(ui::BackColour(w.ControlsForTests().lblPrefix[2]), ui::BgrColour(ui::Colour::StripeEven));
    EXPECT_EQ(ui::BackColour(w.ControlsForTests().lblTotal[5]), navy);

    QTest::mouseClick(w.ControlsForTests().lblIdeal[5], Qt::LeftButton);
    EXPECT_EQ(ui::BackColour(w.ControlsForTests().lblPrefix[5]), ui::BgrColour(ui::Colour::StripeOdd));

    QTest::mouseClick(w.ControlsForTests().lblImprove[3], Qt::LeftButton); // the improvement cell selects nothing
    EXPECT_EQ(ui::BackColour(w.ControlsForTests().lblPrefix[3]), ui::BgrColour(ui::Colour::StripeOdd));
}

} // namespace
