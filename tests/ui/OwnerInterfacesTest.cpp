// The secondary windows over an owner that is no main window: each needs only the
// widget it belongs to and the few calls its interface names, and gives the owner
// back on every way out.

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/main/Look.h"
#include "ui/windows/frmButton.h"
#include "ui/windows/frmComparison.h"
#include "ui/windows/frmContextMenu.h"

using namespace brenta;

namespace {

// A two-row job as a window would hand it to the comparison.
ui::ComparisonSource TwoRows()
{
    ui::ComparisonSource source;
    source.name = QStringLiteral("Test Blueprint");
    source.ml = QStringLiteral("0");
    const QColor cyan = ui::BgrColour(ui::Colour::Cyan);
    source.rows = {{QStringLiteral("[Raw] Tritanium"), QStringLiteral("1000"), cyan},
        {QStringLiteral("[Raw] Pyerite"), QStringLiteral("100"), cyan}};
    source.input.baseQty = {1000, 100};
    source.input.times = "80000{120000{20000";
    source.input.rows[0] = {"[Raw] Tritanium", "1000", "2"};
    source.input.rows[1] = {"[Raw] Pyerite", "100", "8"};
    return source;
}

TEST(OwnerInterfaces, TheComparisonWorksOnItsFeedAlone)
{
    auto owner = std::make_unique<QWidget>();
    owner->show();
    int valuesRead = 0;
    const ui::ComparisonFeed feed{TwoRows, [&valuesRead] {
                                      ++valuesRead;
                                      return TwoRows().input;
                                  }};
    QPointer<ui::frmComparison> c = new ui::frmComparison(*owner, feed);
    EXPECT_FALSE(owner->isEnabled());
    EXPECT_EQ(c->windowTitle(), QStringLiteral("ML to ML Comparison - Test Blueprint"));
    EXPECT_EQ(c->lblPrefix[1]->text(), QStringLiteral("[Raw] Pyerite"));
    EXPECT_EQ(ui::ForeColour(c->lblAmount[0]), ui::BgrColour(ui::Colour::Cyan));
    EXPECT_TRUE(!c->lblPrefix[1]->isHidden() && c->lblPrefix[2]->isHidden());
    EXPECT_EQ(c->lblWaste[0]->text(), QStringLiteral("350")); // 1000 × (0.1 + 0.25) at Production Efficiency 0
    EXPECT_EQ(valuesRead, 2); // both sides when it opens

    // Every recomputation reads the owner's live values anew.
    QTest::keyClicks(c->txtToML, QStringLiteral("9"));
    EXPECT_EQ(valuesRead, 3);
    EXPECT_NE(c->lblSavings[0]->text(), QStringLiteral("0"));

    c->close();
    EXPECT_TRUE(owner->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.isNull(); }));

    // The owner going away takes an open comparison along.
    owner->setEnabled(true);
    c = new ui::frmComparison(*owner, feed);
    owner.reset();
    EXPECT_TRUE(c.isNull());
}

TEST(OwnerInterfaces, TheContextMenuCallsItsActionsAndGivesTheOwnerBack)
{
    for (const bool unloading : {false, true}) {
        QWidget owner;
        owner.show();
        std::vector<std::string> calls;
        const ui::frmContextMenu::Actions actions{
            [&calls](std::int16_t row) { calls.push_back("graph " + std::to_string(row)); },
            [&calls](std::int16_t row) { calls.push_back("find " + std::to_string(row)); },
            [unloading] { return unloading; }, [&calls] { calls.emplace_back("copy"); }};

        QPointer<ui::frmContextMenu> menu = new ui::frmContextMenu(owner, 3, true, actions);
        owner.setEnabled(false); // as its opener does
        menu->FormLoad();
        if (unloading)
            owner.hide();
        QTest::mouseClick(menu->lblContextOption[ui::frmContextMenu::kOptionFindBP], Qt::LeftButton);
        EXPECT_EQ(calls, std::vector<std::string>{"find 3"}) << unloading;
        EXPECT_TRUE(owner.isEnabled()) << unloading;
        // Brought back, except while its shut-down has begun.
        EXPECT_EQ(owner.isVisible(), !unloading) << unloading;
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isNull(); })) << unloading;
    }
}

TEST(OwnerInterfaces, TheFloatingButtonHidesItsOwnerAndBringsItBack)
{
    for (const bool unloading : {false, true}) {
        QWidget owner;
        owner.show();
        int onTopAsked = 0;
        QPointer<ui::frmButton> button = new ui::frmButton(owner,
            ui::frmButton::Owner{[unloading] { return unloading; },
                [&onTopAsked] {
                    ++onTopAsked;
                    return false;
                }});
        button->FormLoad();
        EXPECT_FALSE(owner.isVisible()) << unloading;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(owner.isVisible(), !unloading) << unloading;
        EXPECT_EQ(onTopAsked, unloading ? 0 : 1) << unloading;
        ASSERT_TRUE(QTest::qWaitFor([&] { return button.isNull(); })) << unloading;
    }
}

} // namespace
