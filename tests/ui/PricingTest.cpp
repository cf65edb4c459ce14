// Auto-pricing from the window: the double-click on the "Unit Price" frame and
// Tools, "Auto-Price All", driven as a player does.

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QSignalSpy>

#include "storage/PricesFile.h"
#include "tests/ui/MainWindowFixture.h"

using namespace brenta;

namespace {

const QString kAfterburner2 = QStringLiteral("100MN Afterburner II Blueprint");
using Texts = std::vector<std::string>;

class Pricing : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        previousQuestion = ui::SetQuestionHook([this](const QString& caption, const QString& text) {
            questions.push_back(caption.toStdString() + "|" + text.toStdString());
            return answer;
        });
    }
    void TearDown() override
    {
        ui::SetQuestionHook(previousQuestion);
        MainWindowTest::TearDown();
    }

    // A double-click on the frame itself, beside the price boxes.
    static void DoubleClickFrame(ui::frmMain& w)
    {
        const QPoint spot(2, w.ControlsForTests().fraPPU->height() - 2);
        ASSERT_EQ(w.ControlsForTests().fraPPU->childAt(spot), nullptr);
        QTest::mouseDClick(w.ControlsForTests().fraPPU, Qt::LeftButton, {}, spot);
    }

    // The selector as a search leaves it: only the entries kept.
    static void KeepEntries(ui::frmMain& w, const std::function<bool(int k, const QString& name)>& keep)
    {
        for (int k = w.ControlsForTests().cboBP->count() - 1; k >= 0; --k) {
            if (keep(k, w.ControlsForTests().cboBP->itemText(k)))
                continue;
            w.ControlsForTests().cboBP->removeItem(k);
        }
        w.ControlsForTests().cboBP->setCurrentIndex(-1);
    }

    static Texts Boxes(const ui::frmMain& w)
    {
        Texts boxes;
        for (QLineEdit* box : w.ControlsForTests().txtPPU)
            boxes.push_back(box->text().toStdString());
        return boxes;
    }

    bool answer = true;
    std::vector<std::string> questions;
    ui::QuestionHook previousQuestion;
};
BRENTA_BOTH_LOCALES(Pricing);

TEST_P(Pricing, DoubleClickOnTheFramePricesTheShownRows)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    const Texts waste = Column(w.ControlsForTests().lblWaste, 15);
    const QString cost = w.ControlsForTests().lblBuildCost->text();
    DoubleClickFrame(w);

    // Built from their blueprints at ML 0 and Production Efficiency 0: the Plasma
    // Thruster from 5 + 5 + 2 units (7, 7 and 3 with waste), the first-tech
    // afterburner from six minerals at 35 % waste.
    EXPECT_EQ(w.ControlsForTests().txtPPU[11]->text().toStdString(), L("11290.00"));
    EXPECT_EQ(w.ControlsForTests().txtPPU[14]->text().toStdString(), L("47922.00"));
    EXPECT_EQ(w.Cat().dblPrices[11530], 11290);
    EXPECT_EQ(w.Cat().dblPrices[12066], 47922);
    // Minerals have no builder and skills are not priced: their boxes keep their text.
    EXPECT_EQ(w.ControlsForTests().txtPPU[0]->text(), "2");
    EXPECT_EQ(w.ControlsForTests().txtPPU[6]->text(), "20000");
    EXPECT_EQ(w.ControlsForTests().txtPPU[8]->text(), "250000");
    EXPECT_EQ(w.Cat().dblPrices[3380], 20000);
    // The sheet is recomputed with the shown blueprint's own waste factor.
    EXPECT_EQ(w.ComparisonInput().input.baseWastageFactor, 0.1);
    EXPECT_EQ(Column(w.ControlsForTests().lblWaste, 15), waste);
    EXPECT_NE(w.ControlsForTests().lblBuildCost->text(), cost);
}

TEST_P(Pricing, ABoxThatIsNoNumberKeepsItsStoredPrice)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    const QString separator(QChar::fromLatin1(fmt.decSep));
    w.ControlsForTests().txtPPU[0]->setText(separator); // Tritanium: no builder, the text stays
    w.ControlsForTests().txtPPU[1]->setText(QString()); // Pyerite: an empty box stores 0
    DoubleClickFrame(w);
    EXPECT_EQ(w.Cat().dblPrices[34], 2);
    EXPECT_EQ(w.ControlsForTests().txtPPU[0]->text(), separator);
    EXPECT_EQ(w.Cat().dblPrices[35], 0);
    EXPECT_EQ(w.ControlsForTests().txtPPU[1]->text(), "0");
    EXPECT_EQ(w.Cat().dblPrices[12066], 47922 - 432 * 8); // 432 Pyerite with waste, now at 0
}

TEST_P(Pricing, FindMaterialBPNamesTheBuilder)
{
    ui::frmMain& w = Start();
    EXPECT_EQ(w.FindMaterialBP("Tritanium"), std::nullopt);
    EXPECT_EQ(w.FindMaterialBP("100mm Reinforced Steel Plates I"), std::optional<std::int16_t>(0));
    EXPECT_EQ(w.FindMaterialBP("100mm Reinforced Steel Plates I Blueprint"), std::nullopt);

    // AutoPrice alone writes the box and stores nothing.
    SelectBlueprint(kAfterburner2);
    w.AutoPrice(11);
    EXPECT_EQ(w.ControlsForTests().txtPPU[11]->text().toStdString(), L("11290.00"));
    EXPECT_EQ(w.Cat().dblPrices[11530], 8000);
}

TEST_P(Pricing, AutoPriceAllAsksFirstAndNoChangesNothing)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kAfterburner2);
    const std::vector<double> prices = w.Cat().dblPrices;
    const Texts boxes = Boxes(w);

    answer = false;
    w.ControlsForTests().AutoPriceAll->trigger();
    ASSERT_EQ(questions.size(), 1U);
    EXPECT_EQ(questions[0],
        "Are you sure?|WARNING: This will overwrite the price of all buildable components with the new computed "
        "price, and it WILL take a long time.\r\nThe program may freeze for several minutes.  If you don't get an "
        "error message, it's working!\r\nContinue?");
    EXPECT_EQ(w.Cat().dblPrices, prices);
    EXPECT_EQ(Boxes(w), boxes);

    // Yes with nothing listed (a search that found nothing).
    answer = true;
    KeepEntries(w, [](int, const QString&) { return false; });
    w.ControlsForTests().AutoPriceAll->trigger();
    EXPECT_EQ(questions.size(), 2U);
    EXPECT_EQ(w.Cat().dblPrices, prices);
    EXPECT_EQ(Boxes(w), boxes);
}

// The menu's pass leaves prices, owned records and the window exactly as showing
// each listed blueprint in turn and double-clicking the frame does.
TEST_P(Pricing, AutoPriceAllEqualsDoubleClickingEachListedBlueprint)
{
    const auto keep = [](int k, const QString& name) { return k % 9 == 0 || name.contains("Afterburner"); };
    // Records the display rewrites when it shows them (levels in another form).
    WriteFile("ownedbps.dat", "12067{04{1\r\n12069{1e1{3\r\n12380{2{ 5\r\n");
    WriteFile("skills.dat", "1,2,3,2\r\n");

    ui::frmMain& w = Start();
    KeepEntries(w, keep);
    w.ControlsForTests().AutoPriceAll->trigger();

    QTemporaryDir otherFolder;
    for (const char* name : {"ownedbps.dat", "skills.dat"})
        storage::WriteFileAtomically(otherFolder.path().toStdString() + "/" + name, ReadFile(name));
    test::MemorySettingsStore otherSettings;
    ui::frmMain other(otherFolder.path().toStdString(), otherSettings, fmt);
    KeepEntries(other, keep);
    for (int k = 0; k < other.ControlsForTests().cboBP->count(); ++k) {
        other.ControlsForTests().cboBP->setCurrentIndex(k);
        other.cboBP_Click();
        DoubleClickFrame(other);
    }

    ASSERT_GT(w.ControlsForTests().cboBP->count(), 250);
    EXPECT_EQ(w.Cat().dblPrices, other.Cat().dblPrices);
    EXPECT_EQ(w.Cat().strOwned, other.Cat().strOwned);
    EXPECT_EQ(w.Cat().strOwned[6].text, "12067{4{1");
    EXPECT_EQ(w.Cat().strOwned[7].text, "12069{10{3");
    EXPECT_EQ(w.ControlsForTests().cboBP->currentIndex(), w.ControlsForTests().cboBP->count() - 1);
    EXPECT_EQ(w.ShownIndex(), other.ShownIndex());
    EXPECT_EQ(Boxes(w), Boxes(other));
    EXPECT_EQ(Column(w.ControlsForTests().lblTotal, 25), Column(other.ControlsForTests().lblTotal, 25));
    EXPECT_EQ(w.ControlsForTests().lblBuildCost->text(), other.ControlsForTests().lblBuildCost->text());
    EXPECT_EQ(w.ControlsForTests().txtML->text(), other.ControlsForTests().txtML->text());
    EXPECT_EQ(w.ControlsForTests().txtPL->text(), other.ControlsForTests().txtPL->text());
    EXPECT_EQ(w.ControlsForTests().chkOwnThis->isChecked(), other.ControlsForTests().chkOwnThis->isChecked());
    other.hide();
}

TEST_P(Pricing, AutoPriceAllRecomputesTheSheetOnceAtTheEnd)
{
    WriteFile("ownedbps.dat", "11294{5{2\r\n");
    ui::frmMain& w = Start();
    KeepEntries(w, [](int k, const QString&) { return k < 3; });
    QSignalSpy recomputed(&w, &ui::frmMain::SheetChanged);
    w.ControlsForTests().AutoPriceAll->trigger();
    EXPECT_EQ(recomputed.count(), 1);
    EXPECT_EQ(w.ControlsForTests().cboBP->currentIndex(), 2);
}

TEST_P(Pricing, ThePricesFileHoldsThePassAfterAClose)
{
    ui::frmMain& w = Start();
    w.ControlsForTests().AutoPriceAll->trigger();
    EXPECT_EQ(w.ControlsForTests().cboBP->currentIndex(), w.ControlsForTests().cboBP->count() - 1);
    EXPECT_EQ(w.Cat().dblPrices[12066], 47922);
    const std::string expected = storage::PricesText(w.Cat().strItemNames, w.Cat().dblPrices, fmt);
    w.close();
    EXPECT_EQ(ReadFile("matprices.dat"), expected);
    EXPECT_NE(expected.find("\r\n12066{47922\r\n"), std::string::npos);
}

} // namespace
