// The input fields as a player uses them: typed, pasted and dragged prices and run
// counts, the levels of owned blueprints and the ownership box.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include "tests/ui/MainWindowFixture.h"

using namespace brenta;

namespace {

const QString kPlates = QStringLiteral("100mm Reinforced Steel Plates I Blueprint"); // index 0, 11294
const QString kPlatesII = QStringLiteral("100mm Reinforced Steel Plates II Blueprint"); // index 1, 12380
const QString kCeramic = QStringLiteral("100mm Sintered Ceramic Plates I Blueprint"); // index 2, 15975

class Inputs : public test::MainWindowTest {
protected:
    QLineEdit* Price(int r) const { return window->ControlsForTests().txtPPU[static_cast<std::size_t>(r)]; }

    // Replaces a box's text by keys, without the Backspace that Type() sends first.
    static void Keys(QLineEdit* box, const QString& keys)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, keys);
    }
};
BRENTA_BOTH_LOCALES(Inputs);

TEST_P(Inputs, PriceBoxTakesDigitsAndOneSeparatorAndEnterSavesIt)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    const char other = fmt.decSep == ',' ? '.' : ',';
    Keys(Price(0), QString("1") + fmt.decSep + other + "5" + fmt.decSep + "x-");
    EXPECT_EQ(Price(0)->text().toStdString(), L("1.5"));
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(w.ControlsForTests().lblBuildCost->text().toStdString(), L("26,482.00 ISK"));
    QTest::keyClick(Price(0), Qt::Key_Return);
    EXPECT_EQ(w.Cat().dblPrices[34], 1.5);
    EXPECT_EQ(messages, (std::vector<std::string>{L("Saved value (1.5 ISK) to [[Raw] Tritanium]")}));
    EXPECT_EQ(w.ControlsForTests().lblBuildCost->text().toStdString(),
        L("26,025.50 ISK")); // 913 Tritanium at 1.5 instead of 2

    // An emptied box stores 0 and says so; the keypad's Enter works the same.
    Keys(Price(1), "");
    QTest::keyClick(Price(1), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Price(1)->text().toStdString(), "0");
    EXPECT_EQ(w.Cat().dblPrices[35], 0);
    EXPECT_EQ(messages.back(), "Saved value (0 ISK) to [[Raw] Pyerite]");
}

TEST_P(Inputs, APriceThatIsNoNumberStoresNothing)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    Keys(Price(0), QString(fmt.decSep));
    QTest::keyClick(Price(0), Qt::Key_Return);
    EXPECT_EQ(w.Cat().dblPrices[34], 2);
    EXPECT_EQ(Price(0)->text().toStdString(), "2");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
        std::string("Not saved: \"") + fmt.decSep + "\" is not a price; [[Raw] Tritanium] keeps 2 ISK");
    EXPECT_EQ(w.ControlsForTests().txtWF->text().toStdString(),
        L("0.1000000000000")); // the sheet goes on with the kept price
}

TEST_P(Inputs, EnterWithNothingShownChangesNothing)
{
    ui::frmMain& w = Start();
    const std::vector<double> prices = w.Cat().dblPrices;
    Keys(Price(0), "7");
    QTest::keyClick(Price(0), Qt::Key_Return);

    SelectBlueprint(kPlates);
    QTest::mouseClick(w.ControlsForTests().cmdClear, Qt::LeftButton);
    Keys(Price(0), "7");
    QTest::keyClick(Price(0), Qt::Key_Return);
    EXPECT_EQ(w.Cat().dblPrices, prices);
    EXPECT_TRUE(messages.empty());
}

TEST_P(Inputs, PastedOrDroppedTextObeysTheKeyFilters)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    QLineEdit* runs = w.ControlsForTests().txtRuns;
    QClipboard* clipboard = QApplication::clipboard();
    const auto paste = [&](QLineEdit* box, const QString& text) {
        clipboard->setText(text);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    };
    const auto menuPaste = [&](QLineEdit* box, const QString& text) {
        clipboard->setText(text);
        box->selectAll();
        std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        const QList<QAction*> actions = menu->actions();
        const auto action = std::find_if(actions.begin(), actions.end(),
            [](const QAction* a) { return a->text().startsWith(QStringLiteral("&Paste")); });
        ASSERT_NE(action, actions.end());
        (*action)->trigger();
    };
    const auto drop = [&](QLineEdit* box, const QString& text) {
        QMimeData mime;
        mime.setText(text);
        QDropEvent event(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
    };

    for (const char* bad : {"-5", "1.5", "1,5", "2x"}) {
        paste(runs, bad);
        menuPaste(runs, bad);
        drop(runs, bad);
        EXPECT_EQ(runs->text().toStdString(), "1") << bad;
    }
    EXPECT_EQ(w.ControlsForTests().lblAmount[0]->text().toStdString(), "676");
    paste(runs, "25");
    EXPECT_EQ(runs->text().toStdString(), "25");
    EXPECT_EQ(w.ControlsForTests().lblAmount[0]->text().toStdString(), "16900");
    menuPaste(runs, "3");
    EXPECT_EQ(w.ControlsForTests().lblAmount[0]->text().toStdString(), "2028");

    const QString twoSeparators = QString("1") + fmt.decSep + "5" + fmt.decSep;
    for (const QString& bad : {QString("-5"), QString("abc"), twoSeparators, QString(fmt.digSep) + "5"}) {
        paste(Price(0), bad);
        drop(Price(0), bad);
        EXPECT_EQ(Price(0)->text().toStdString(), "2") << bad.toStdString();
    }
    paste(Price(0), QString("2") + fmt.decSep + "25");
    EXPECT_EQ(Price(0)->text().toStdString(), L("2.25"));
}

TEST_P(Inputs, UsualShortcutsWorkInEveryBox)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    QClipboard* clipboard = QApplication::clipboard();
    for (QLineEdit* box :
        {w.ControlsForTests().txtRuns, Price(0), w.ControlsForTests().txtML, w.ControlsForTests().txtSearch}) {
        const std::string name = box->objectName().toStdString();
        Keys(box, "12");
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(box->selectedText().toStdString(), "12") << name;
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard->text().toStdString(), "12") << name;
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text().toStdString(), "1212") << name;
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box->text().toStdString(), "12") << name;
    }
}

TEST_P(Inputs, OwnedLevelsFollowTheBoxesRoundedHalfToEven)
{
    WriteFile("ownedbps.dat", "11294{3{2\r\n");
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    const struct {
        QLineEdit* box;
        const char* typed;
        const char* record;
    } cases[] = {
        {w.ControlsForTests().txtML, "7.5", "11294{8{2"},
        {w.ControlsForTests().txtML, "6.5", "11294{6{2"},
        {w.ControlsForTests().txtPL, "4abc", "11294{6{4"},
        {w.ControlsForTests().txtML, "x", "11294{0{4"},
        {w.ControlsForTests().txtML, "9999999999",
            "11294{999999999{4"}, // the last digit overflows: the record stays
        {w.ControlsForTests().txtML, "-3", "11294{-3{4"},
    };
    for (const auto& c : cases) {
        Type(c.box, c.typed);
        EXPECT_EQ(w.Cat().strOwned[0].text, c.record) << c.typed;
    }

    // An unowned blueprint keeps no record but recomputes.
    SelectBlueprint(kCeramic);
    const std::string record = w.Cat().strOwned[2].text;
    const std::string waste = w.ControlsForTests().lblWaste[0]->text().toStdString();
    Type(w.ControlsForTests().txtML, "10");
    EXPECT_EQ(w.Cat().strOwned[2].text, record);
    EXPECT_FALSE(w.Cat().bOwned[2]);
    EXPECT_NE(w.ControlsForTests().lblWaste[0]->text().toStdString(), waste);
}

TEST_P(Inputs, OwnershipBoxReactsToThePlayerOnly)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kCeramic);
    QCheckBox* own = w.ControlsForTests().chkOwnThis;
    Type(w.ControlsForTests().txtML, "10");
    Type(w.ControlsForTests().txtPL, "2");
    QTest::mouseClick(own, Qt::LeftButton);
    EXPECT_TRUE(w.Cat().bOwned[2]);
    EXPECT_EQ(w.Cat().strOwned[2].text, "15975{10{2");

    QTest::mouseClick(own, Qt::LeftButton);
    EXPECT_FALSE(w.Cat().bOwned[2]);
    EXPECT_EQ(w.Cat().strOwned[2].text, "15975{10{2");

    Type(w.ControlsForTests().txtML, "5");
    EXPECT_EQ(w.Cat().strOwned[2].text, "15975{10{2"); // not owned: edits keep no record
    own->setFocus();
    QTest::keyClick(own, Qt::Key_Space);
    EXPECT_TRUE(w.Cat().bOwned[2]);
    EXPECT_EQ(w.Cat().strOwned[2].text, "15975{5{2");

    // Levels beyond any record leave the blueprint as it was, the box with it.
    QTest::mouseClick(own, Qt::LeftButton);
    Type(w.ControlsForTests().txtPL, "99999999999");
    QTest::mouseClick(own, Qt::LeftButton);
    EXPECT_FALSE(own->isChecked());
    EXPECT_FALSE(w.Cat().bOwned[2]);
    EXPECT_EQ(w.Cat().strOwned[2].text, "15975{5{2");
    Type(w.ControlsForTests().txtPL, "2");
    QTest::mouseClick(own, Qt::LeftButton);

    // Showing blueprints sets the box without any reaction.
    SelectBlueprint(kPlates);
    EXPECT_FALSE(own->isChecked());
    SelectBlueprint(kCeramic);
    EXPECT_TRUE(own->isChecked());
    EXPECT_FALSE(w.Cat().bOwned[0]);
    EXPECT_EQ(w.Cat().strOwned[2].text, "15975{5{2");
}

TEST_P(Inputs, EditsActOnTheShownBlueprintNeverTheSelectorsOther)
{
    WriteFile("ownedbps.dat", "11294{3{2\r\n12380{1{1\r\n");
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    ShowAsFindBPDoes(1); // Plates II on display, the selector still on Plates I
    EXPECT_EQ(w.ControlsForTests().cboBP->currentText(), kPlates);
    Type(w.ControlsForTests().txtML, "9");
    EXPECT_EQ(w.Cat().strOwned[1].text, "12380{9{1");
    EXPECT_EQ(w.Cat().strOwned[0].text, "11294{3{2");
    QTest::mouseClick(w.ControlsForTests().chkOwnThis, Qt::LeftButton);
    EXPECT_FALSE(w.Cat().bOwned[1]);
    EXPECT_TRUE(w.Cat().bOwned[0]);

    // Nothing shown: no record changes, whatever the boxes do.
    QTest::mouseClick(w.ControlsForTests().cmdClear, Qt::LeftButton);
    Type(w.ControlsForTests().txtML, "4");
    Type(w.ControlsForTests().txtPL, "4");
    EXPECT_EQ(w.Cat().strOwned[0].text, "11294{3{2");
    EXPECT_EQ(w.Cat().strOwned[1].text, "12380{9{1");
}

TEST_P(Inputs, OwnedFileAfterARestartHoldsTheSessionsRecords)
{
    WriteFile("ownedbps.dat", "12380{1{1\r\n11294{5{2\r\n");
    {
        ui::frmMain& w = Start();
        SelectBlueprint(kCeramic); // newly owned at 7/3
        Type(w.ControlsForTests().txtML, "7");
        Type(w.ControlsForTests().txtPL, "3");
        QTest::mouseClick(w.ControlsForTests().chkOwnThis, Qt::LeftButton);
        SelectBlueprint(kPlatesII); // given up
        QTest::mouseClick(w.ControlsForTests().chkOwnThis, Qt::LeftButton);
        SelectBlueprint(kPlates); // researched further
        Type(w.ControlsForTests().txtML, "6");
        w.close();
    }
    EXPECT_EQ(ReadFile("ownedbps.dat"), "11294{6{2\r\n15975{7{3\r\n");

    ui::frmMain& again = Start();
    EXPECT_TRUE(again.Cat().bOwned[0]);
    EXPECT_FALSE(again.Cat().bOwned[1]);
    EXPECT_TRUE(again.Cat().bOwned[2]);
    SelectBlueprint(kCeramic);
    EXPECT_EQ(again.ControlsForTests().txtML->text().toStdString(), "7");
    EXPECT_EQ(again.ControlsForTests().txtPL->text().toStdString(), "3");
    EXPECT_TRUE(again.ControlsForTests().chkOwnThis->isChecked());
}

// Showing an owned blueprint whose stored ML is not in the boxes' own form: the ML
// box's reaction rewrites the record, and the PL box still gets the stored PL.
TEST_P(Inputs, ShowingAStoredLevelInAnotherFormKeepsTheOtherLevel)
{
    WriteFile("ownedbps.dat", "11294{1e3{2\r\n12380{0000000000000000004{3\r\n");
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    EXPECT_EQ(w.ControlsForTests().txtPL->text().toStdString(), "2");
    EXPECT_EQ(w.Cat().strOwned[0].text, "11294{1000{2");
    SelectBlueprint(QStringLiteral("100mm Reinforced Steel Plates II Blueprint"));
    EXPECT_EQ(w.ControlsForTests().txtPL->text().toStdString(), "3");
    EXPECT_EQ(w.Cat().strOwned[1].text, "12380{4{3");
}

} // namespace
