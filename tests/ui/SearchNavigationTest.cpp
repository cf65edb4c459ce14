// The selector's view as the player builds it (search, Clear, the owned filter)
// and Back from a blueprint reached without the selector.

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

#include <functional>

#include "ui/main/Look.h"

#include "tests/ui/MainWindowFixture.h"

using namespace brenta;

namespace {

const QString kPlates = QStringLiteral("100mm Reinforced Steel Plates I Blueprint"); // index 0

class Navigation : public test::MainWindowTest {
protected:
    void Search(const QString& query)
    {
        Type(window->ControlsForTests().txtSearch, query);
        QTest::keyClick(window->ControlsForTests().txtSearch, Qt::Key_Return);
    }

    // The selector's names, checked against each entry's blueprint index on the way.
    std::vector<std::string> View() const
    {
        const ui::frmMain& w = *window;
        std::vector<std::string> names;
        for (int k = 0; k < w.ControlsForTests().cboBP->count(); ++k) {
            const std::string name = w.ControlsForTests().cboBP->itemText(k).toStdString();
            const QVariant index = w.ControlsForTests().cboBP->itemData(k);
            EXPECT_TRUE(index.isValid()) << name;
            EXPECT_EQ(NameOf(index.value<std::int16_t>()), name);
            names.push_back(name);
        }
        return names;
    }

    // Nothing shown, nothing selected, "Own this BPO" unchecked and disabled.
    void ExpectNothingShown() const
    {
        const ui::frmMain& w = *window;
        EXPECT_EQ(w.ControlsForTests().cboBP->currentIndex(), -1);
        EXPECT_FALSE(w.ControlsForTests().chkOwnThis->isChecked());
        EXPECT_FALSE(w.ControlsForTests().chkOwnThis->isEnabled());
        EXPECT_TRUE(w.ControlsForTests().lblPrefix[0]->text().isEmpty());
        EXPECT_EQ(RowMaterials(), std::vector<std::int32_t>(25, 0));
    }
};
BRENTA_BOTH_LOCALES(Navigation);

// Every computed caption and level box, as a new window shows them.
std::vector<std::string> ComputedTexts(const ui::frmMain& w)
{
    std::vector<std::string> texts;
    for (const QLabel* label :
        {w.ControlsForTests().lblEfficiency, w.ControlsForTests().lblBuildCost, w.ControlsForTests().lblBuildWaste,
            w.ControlsForTests().lblCostPerUnit, w.ControlsForTests().lblWastePerUnit,
            w.ControlsForTests().lblBuildTime, w.ControlsForTests().lblTime, w.ControlsForTests().lblPLTime})
        texts.push_back(label->objectName().toStdString() + "=" + label->text().toStdString());
    for (const QLineEdit* box : {w.ControlsForTests().txtML, w.ControlsForTests().txtPL,
             w.ControlsForTests().txtRuns, w.ControlsForTests().txtBatchSize})
        texts.push_back(box->objectName().toStdString() + "=" + box->text().toStdString());
    return texts;
}

// Search, Clear and the owned filter take the blueprint off the display: nothing
// of its sheet may stay behind to be read as the next one's.
TEST_P(Navigation, TakingTheBlueprintOffTheDisplayLeavesNothingOfItsSheet)
{
    WriteFile("ownedbps.dat", "11294{5{2\r\n"); // the plates, owned at ML 5 and PL 2
    ui::frmMain& w = Start();
    const auto empty = ComputedTexts(w);
    const std::function<void()> takeOff[] = {
        [this] { Search(QStringLiteral("Plates")); },
        [&w] { QTest::mouseClick(w.ControlsForTests().cmdClear, Qt::LeftButton); },
        [&w] { w.ControlsForTests().ShowUnowned->trigger(); },
    };
    for (const auto& action : takeOff) {
        if (!w.ControlsForTests().ShowUnowned->isChecked())
            w.ControlsForTests().ShowUnowned->trigger(); // the whole catalogue
        SelectBlueprint(kPlates);
        Type(w.ControlsForTests().txtRuns, "7");
        QTest::mouseClick(w.ControlsForTests().lblPrefix[1], Qt::LeftButton); // selects the row
        ASSERT_EQ(ui::BackColour(w.ControlsForTests().lblPrefix[1]), ui::BgrColour(ui::Colour::Navy));
        ASSERT_NE(ComputedTexts(w), empty);

        action();
        EXPECT_EQ(ComputedTexts(w), empty);
        for (std::size_t r = 0; r < 25; ++r)
            EXPECT_NE(ui::BackColour(w.ControlsForTests().lblPrefix[r]), ui::BgrColour(ui::Colour::Navy))
                << "row " << r;
        ExpectNothingShown();
    }
}

TEST_P(Navigation, SearchListsMatchesInCatalogueOrderWithNothingSelected)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    Search("afterburner");
    const auto afterburners = View();
    EXPECT_EQ(afterburners.size(), 27u);
    for (const std::string& name : afterburners)
        EXPECT_NE(name.find("Afterburner"), std::string::npos) << name;
    ExpectNothingShown();

    Search("^10mn");
    EXPECT_EQ(View(),
        (std::vector<std::string>{"10MN Afterburner I Blueprint", "10MN Afterburner II Blueprint",
            "10MN Vector Trim Unit I Blueprint", "10MN Vector Trim Unit II Blueprint"}));
    QTest::keyClick(w.ControlsForTests().txtSearch, Qt::Key_Return); // the same query again: the same list
    EXPECT_EQ(View().size(), 4u);
    EXPECT_EQ(w.ControlsForTests().txtSearch->text().toStdString(), "^10mn");

    Search("^");
    EXPECT_EQ(View().size(), 2579u);
    Search("no such blueprint");
    EXPECT_TRUE(View().empty());

    // Picking from a searched view shows the entry's own blueprint.
    Search("^10mn");
    SelectBlueprint("10MN Vector Trim Unit I Blueprint");
    EXPECT_EQ(NameOf(*w.ShownIndex()), "10MN Vector Trim Unit I Blueprint");
    EXPECT_TRUE(w.ControlsForTests().chkOwnThis->isEnabled());
}

TEST_P(Navigation, ClearEmptiesTheBoxAndListsEveryCandidate)
{
    ui::frmMain& w = Start();
    Search("armor");
    SelectBlueprint(QStringLiteral("'Abatis' Armor Blast Coating I Blueprint"));
    QTest::mouseClick(w.ControlsForTests().cmdClear, Qt::LeftButton);
    EXPECT_TRUE(w.ControlsForTests().txtSearch->text().isEmpty());
    EXPECT_EQ(View().size(), 2579u);
    ExpectNothingShown();
}

TEST_P(Navigation, OwnedFilterListsOwnedBlueprintsWhateverTheQuery)
{
    WriteFile("ownedbps.dat", "15975{1{1\r\n11294{5{2\r\n");
    ui::frmMain& w = Start();
    QAction* showUnowned = w.ControlsForTests().ShowUnowned;
    Search("armor");
    showUnowned->trigger();
    EXPECT_FALSE(showUnowned->isChecked());
    EXPECT_EQ(View(),
        (std::vector<std::string>{
            "100mm Reinforced Steel Plates I Blueprint", "100mm Sintered Ceramic Plates I Blueprint"}));
    EXPECT_EQ(w.ControlsForTests().txtSearch->text().toStdString(), "armor");
    ExpectNothingShown();

    // Searches now look among the owned ones only.
    Search("ceramic");
    EXPECT_EQ(View(), (std::vector<std::string>{"100mm Sintered Ceramic Plates I Blueprint"}));
    Search("armor");
    EXPECT_TRUE(View().empty());

    showUnowned->trigger();
    EXPECT_TRUE(showUnowned->isChecked());
    EXPECT_TRUE(w.ControlsForTests().txtSearch->text().isEmpty());
    EXPECT_EQ(View().size(), 2579u);
    ExpectNothingShown();
}

TEST_P(Navigation, WithNothingOwnedTheOwnedViewStaysEmpty)
{
    ui::frmMain& w = Start();
    w.ControlsForTests().ShowUnowned->trigger();
    EXPECT_TRUE(View().empty());
    for (const char* query : {"", "^", "armor"}) {
        Search(query);
        EXPECT_TRUE(View().empty()) << query;
    }
}

TEST_P(Navigation, BackReturnsToTheBlueprintShownBeforeFindBP)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    const auto waste = Column(w.ControlsForTests().lblWaste, 6);
    const std::string cost = w.ControlsForTests().lblBuildCost->text().toStdString();
    ShowAsFindBPDoes(2);
    EXPECT_EQ(w.ShownIndex(), 2);

    // A search keeps Back as it was.
    Search("afterburner");
    EXPECT_TRUE(w.ControlsForTests().cmdBack->isEnabled());
    QTest::mouseClick(w.ControlsForTests().cmdBack, Qt::LeftButton);
    EXPECT_EQ(w.ShownIndex(), 0);
    EXPECT_EQ(w.ControlsForTests().lblPrefix[0]->text().toStdString(), "[Raw] Tritanium");
    EXPECT_FALSE(w.ControlsForTests().cmdBack->isEnabled());
    EXPECT_EQ(w.BackIndex(), 2);
    EXPECT_EQ(w.ControlsForTests().cboBP->currentIndex(), -1); // the selector is not touched
    // The sheet is the shown blueprint's, whatever the selector holds.
    EXPECT_EQ(Column(w.ControlsForTests().lblWaste, 6), waste);
    EXPECT_EQ(w.ControlsForTests().lblBuildCost->text().toStdString(), cost);
    QLineEdit* tritanium = w.ControlsForTests().txtPPU[0];
    tritanium->setFocus();
    tritanium->selectAll();
    QTest::keyClicks(tritanium, "3");
    QTest::keyClick(tritanium, Qt::Key_Return);
    EXPECT_EQ(w.Cat().dblPrices[34], 3);
    EXPECT_EQ(messages, (std::vector<std::string>{"Saved value (3 ISK) to [[Raw] Tritanium]"}));
    EXPECT_NE(w.ControlsForTests().lblBuildCost->text().toStdString(), cost);

    // The owned filter forgets where Back would go.
    SelectBlueprint(QStringLiteral("10MN Afterburner I Blueprint"));
    ShowAsFindBPDoes(0);
    w.ControlsForTests().ShowUnowned->trigger();
    EXPECT_EQ(w.BackIndex(), std::nullopt);
    EXPECT_FALSE(w.ControlsForTests().cmdBack->isEnabled());
}

// A blueprint that cannot be shown (here an index past the catalogue's last)
// changes nothing: the sheet stays, and so does Back.
TEST_P(Navigation, AJumpToABlueprintThatCannotBeShownKeepsBackAsItWas)
{
    ui::frmMain& w = Start();
    SelectBlueprint(QStringLiteral("10MN Afterburner I Blueprint"));
    const auto shown = w.ShownIndex();
    ASSERT_TRUE(shown);
    w.ShowWithBack(static_cast<std::int16_t>(kBlueprintCount));
    EXPECT_EQ(w.ShownIndex(), shown);
    EXPECT_FALSE(w.ControlsForTests().cmdBack->isEnabled());
    EXPECT_EQ(w.BackIndex(), std::nullopt);
}

TEST_P(Navigation, ASheetReachedWithoutTheSelectorIsTheShownBlueprints)
{
    WriteFile("ownedbps.dat", "12380{0{3\r\n");
    ui::frmMain& w = Start();
    SelectBlueprint(QStringLiteral("100mm Reinforced Steel Plates II Blueprint"));
    const std::string buildTime = w.ControlsForTests().lblBuildTime->text().toStdString();
    SelectBlueprint(kPlates);
    ShowAsFindBPDoes(1); // Plates II at PL 3, the selector still on Plates I
    EXPECT_EQ(w.ControlsForTests().lblBuildTime->text().toStdString(), buildTime);
}

} // namespace
