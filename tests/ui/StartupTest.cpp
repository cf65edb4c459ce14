// Start-up and shut-down of the main window: defaults, stored options, window
// position, separators, and everything written back on every kind of close.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <csignal>
#include <filesystem>

#include "app/FileIcon.h"
#include "tests/TempFolder.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/main/Look.h"
#include "ui/main/Placement.h"
#include "ui/main/SignalCloser.h"

using namespace brenta;

namespace {

// The application icon is read when its pixels are first asked for, not when it is
// set: an icon made before its file exists still shows the file's image.
TEST(ApplicationIcon, IsReadWhenFirstAskedForAndShowsTheFile)
{
    test::TempFolder temp("brenta-icon");
    const QString file = QString::fromStdString((temp.Path() / "brenta.png").string());
    const QIcon icon = app::IconFromFile(file);
    EXPECT_FALSE(icon.isNull());

    QImage drawn(64, 64, QImage::Format_ARGB32);
    drawn.fill(Qt::red);
    ASSERT_TRUE(drawn.save(file));
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(64, 64)});
    const QImage shown = icon.pixmap(32).toImage();
    EXPECT_EQ(shown.size(), QSize(32, 32));
    EXPECT_EQ(shown.pixelColor(16, 16), QColor(Qt::red));
}

class Startup : public test::MainWindowTest {};
BRENTA_BOTH_LOCALES(Startup);

TEST_P(Startup, FirstRunStartsWithDefaultsAndAnEmptySheet)
{
    ui::frmMain& w = Start();
    EXPECT_EQ(w.windowTitle().toStdString(), "Brenta 1.9.5 - matprices.dat");
    EXPECT_FALSE(w.ControlsForTests().Improvements->isChecked());
    EXPECT_FALSE(w.ControlsForTests().AOT->isChecked());
    EXPECT_TRUE(w.ControlsForTests().ShowUnowned->isChecked());
    EXPECT_EQ(w.pos(), QPoint(0, 0));
    EXPECT_EQ(w.PricesFileName(), "matprices.dat");

    EXPECT_EQ(w.ControlsForTests().cboBP->count(), 2579);
    EXPECT_EQ(w.ControlsForTests().cboBP->currentIndex(), -1);
    EXPECT_EQ(static_cast<std::size_t>(w.ControlsForTests().cboBP->count()), w.Cat().strBPs.size());
    EXPECT_EQ(w.ControlsForTests().cboBP->itemText(0).toStdString(), "100mm Reinforced Steel Plates I Blueprint");
    // Every blueprint listed in index order, each entry keeping its index.
    for (int k = 0; k < w.ControlsForTests().cboBP->count(); ++k)
        ASSERT_EQ(w.ControlsForTests().cboBP->itemData(k), QVariant::fromValue(static_cast<std::int16_t>(k))) << k;
    EXPECT_EQ(RowMaterials(), std::vector<std::int32_t>(25, 0));
    EXPECT_EQ(w.ControlsForTests().cboAssemblyArray->currentText().toStdString(), "None");
    EXPECT_EQ(w.ControlsForTests().cboAssemblyArray->toolTip().toStdString(), "Time * 1, Materials * 1");
    EXPECT_EQ(w.ComparisonInput().input.baseWastageFactor, 0.1);
    EXPECT_EQ(w.BackIndex(), std::nullopt);
    // The price boxes take the locale's decimal separator, once, and not its group separator.
    Type(w.ControlsForTests().txtPPU[0],
        QStringLiteral("1") + QChar::fromLatin1(fmt.decSep) + QChar::fromLatin1(fmt.digSep) + "5"
            + QChar::fromLatin1(fmt.decSep));
    EXPECT_EQ(w.ControlsForTests().txtPPU[0]->text().toStdString(), std::string("1") + fmt.decSep + "5");
    EXPECT_EQ(w.ControlsForTests().txtWF->text().toStdString(), L("0.1000000000000"));
    EXPECT_FALSE(w.ControlsForTests().chkOwnThis->isEnabled());
    EXPECT_FALSE(w.ControlsForTests().cmdBack->isEnabled());
    EXPECT_EQ(w.Cat().dblPrices[34], 2);
    EXPECT_EQ(w.Cat().dblPrices[40], 8192);

    // One visible row, every row striped.
    EXPECT_TRUE(w.ControlsForTests().lblPrefix[0]->isVisibleTo(&w));
    EXPECT_FALSE(w.ControlsForTests().lblPrefix[1]->isVisibleTo(&w));
    EXPECT_EQ(w.WindowHeightTwips(), 615 + 1575 + 1800);
    for (int r = 0; r < 25; ++r) {
        const QColor stripe = ui::BgrColour(r % 2 == 0 ? ui::Colour::StripeEven : ui::Colour::StripeOdd);
        EXPECT_EQ(ui::BackColour(w.ControlsForTests().lblPrefix[r]), stripe) << r;
        EXPECT_EQ(ui::BackColour(w.ControlsForTests().txtPPU[r]), stripe) << r;
    }
}

TEST_P(Startup, StoredOptionsAreRestoredAndBadOnesGiveDefaults)
{
    settings.values = {
        {"Options/ShowNextImprovement", "True"}, {"Window/AlwaysOnTop", "1"}, {"Options/PricesFile", "mine.dat"}};
    ui::frmMain& w = Start();
    EXPECT_TRUE(w.ControlsForTests().Improvements->isChecked());
    EXPECT_TRUE(w.ControlsForTests().AOT->isChecked());
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w.windowTitle().toStdString(), "Brenta 1.9.5 - mine.dat");
    window.reset();

    settings.values = {{"Options/ShowNextImprovement", "maybe"}, {"Window/X", "left"}, {"Options/PricesFile", ""}};
    ui::frmMain& again = Start();
    EXPECT_FALSE(again.ControlsForTests().Improvements->isChecked());
    EXPECT_EQ(again.PricesFileName(), "matprices.dat");
}

// A remembered edge off the screen, or too far right or down to reach, starts at
// the free area's edge; then the whole window, frame included, is kept on the
// screen, moved in no further than it has to.
TEST_P(Startup, WindowPositionIsClampedEdgeByEdgeThenKeptOnTheScreen)
{
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    const int widthTwips = ui::PixelsToTwips(free.width());
    const int heightTwips = ui::PixelsToTwips(free.height());
    const struct {
        int x, y;
        int expectX, expectY;
    } cases[] = {
        {-15, 300, 0, 300},
        {widthTwips - 1500 + 15, 300, 0, 300},
        {widthTwips - 1500, 300, widthTwips - 1500, 300},
        {1500, heightTwips - 1500 + 15, 1500, 0},
        {1500, -1, 1500, 0},
        {450, 750, 450, 750},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        settings.values = {{"Window/X", std::to_string(c.x)}, {"Window/Y", std::to_string(c.y)}};
        ui::frmMain& w = Start();
        QApplication::processEvents(); // the frame is placed once the platform has drawn it
        const QRect frame = w.frameGeometry();
        EXPECT_TRUE(free.contains(frame))
            << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
        // Where the window fits at the remembered place it stays there.
        const QPoint wanted(ui::TwipsToPixels(c.expectX), ui::TwipsToPixels(c.expectY));
        const QRect there(wanted, frame.size());
        if (free.contains(there))
            EXPECT_EQ(frame.topLeft(), wanted);
        else
            EXPECT_EQ(frame.topLeft(), ui::FitRect(there, free).topLeft());
        window.reset();
    }
}

TEST_P(Startup, ClosingWritesSettingsAndFiles)
{
    ui::frmMain& w = Start();
    w.ControlsForTests().Improvements->setChecked(true);
    w.ControlsForTests().AOT->trigger();
    // A place where the whole window fits on the screen, so the next start keeps it.
    w.move(w.pos() + QPoint(ui::TwipsToPixels(450), ui::TwipsToPixels(750)));
    w.ControlsForTests().Exit->trigger();

    EXPECT_FALSE(w.isVisible());
    // Five values, each written once and flushed after the last (their order is
    // WriteOptions' and checked with it), in the forms the next start reads back.
    EXPECT_EQ(settings.writes, 5);
    EXPECT_TRUE(settings.unflushed.empty());
    EXPECT_EQ(settings.values["Options/ShowNextImprovement"], "True");
    EXPECT_EQ(settings.values["Window/AlwaysOnTop"], "1");
    EXPECT_EQ(settings.values["Options/PricesFile"], "matprices.dat");
    EXPECT_EQ(settings.values["Window/X"], "450");
    EXPECT_EQ(settings.values["Window/Y"], "750");
    EXPECT_EQ(settings.flushes, 1);

    EXPECT_EQ(ReadFile("skills.dat"), "0,0,0,0\r\n");
    EXPECT_EQ(ReadFile("ownedbps.dat"), "");
    const std::string prices = ReadFile("matprices.dat");
    EXPECT_EQ(prices.substr(0, prices.find("\r\n")), "18{" + numbers::ToText(w.Cat().dblPrices[18], fmt));
    EXPECT_TRUE(messages.empty());

    const QPoint left = w.pos();
    window.reset();
    ui::frmMain& again = Start();
    EXPECT_TRUE(again.ControlsForTests().Improvements->isChecked());
    EXPECT_TRUE(again.ControlsForTests().AOT->isChecked());
    EXPECT_EQ(again.pos(), left);
}

TEST_P(Startup, TheCloseBoxAndSigtermSaveLikeExit)
{
    ui::frmMain& w = Start();
    w.close();
    EXPECT_EQ(settings.values["Options/ShowNextImprovement"], "False");
    EXPECT_EQ(settings.values["Window/AlwaysOnTop"], "0");
    EXPECT_TRUE(std::filesystem::exists(Path("skills.dat")));
    window.reset();
    std::filesystem::remove(Path("skills.dat"));
    settings.values.clear();

    ui::frmMain& again = Start();
    ui::SignalCloser closer(&again);
    std::raise(SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !again.isVisible(); }, 5000));
    EXPECT_EQ(settings.values["Options/PricesFile"], "matprices.dat");
    EXPECT_TRUE(std::filesystem::exists(Path("skills.dat")));
}

TEST_P(Startup, WhatCannotBeSavedIsReportedOnceAndTheRestIsSaved)
{
    settings.failFlush = true;
    std::filesystem::create_directory(Path("matprices.dat")); // a folder where the file should go
    ui::frmMain& w = Start();
    // The folder is said at once, not first after a session on default prices.
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("matprices.dat: it is a folder"), std::string::npos) << messages[0];
    messages.clear();
    w.close();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("The settings"), std::string::npos);
    EXPECT_NE(messages[0].find("matprices.dat"), std::string::npos);
    EXPECT_EQ(ReadFile("skills.dat"), "0,0,0,0\r\n");
    EXPECT_TRUE(std::filesystem::exists(Path("ownedbps.dat")));
    EXPECT_FALSE(w.isVisible());
}

// The writes are done when the shut-down's message appears: a player or a session
// that sends another signal then wants the program gone, not waiting for a click.
TEST_P(Startup, ASignalDuringTheShutDownMessageEndsAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::filesystem::create_directory(Path("matprices.dat"));
            ui::frmMain& w = Start();
            ui::SignalCloser closer(&w);
            ui::SetMessageHook([](const QString&) { std::raise(SIGTERM); });
            w.close();
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

} // namespace
