// Prices to and from spreadsheets through the File menu, and the sheet copied:
// paste, preview, Apply and Cancel; import through the open dialog; the export
// and the copied sheet byte for byte; the program's own names refused.

#include <QAbstractItemModel>
#include <QAction>
#include <QClipboard>
#include <QListWidget>
#include <QTableView>

#include <filesystem>

#include "calc/Job.h"
#include "calc/Sheet.h"
#include "tests/ui/FileDialogDriver.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/windows/frmContextMenu.h"
#include "ui/windows/frmPricePreview.h"

using namespace brenta;

namespace {

const QString kPlates = QStringLiteral("100mm Reinforced Steel Plates I Blueprint");
constexpr std::size_t kTritanium = 34;
constexpr std::size_t kPyerite = 35;

class Spreadsheet : public test::MainWindowTest {
protected:
    ui::frmPricePreview* Preview() const { return window->findChild<ui::frmPricePreview*>(); }

    // File -> "Paste Prices" with text on the clipboard: the preview, or nullptr.
    ui::frmPricePreview* Paste(const std::string& text)
    {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
        window->ControlsForTests().PastePrices->trigger();
        return Preview();
    }

    static QStringList Lines(const QListWidget* list)
    {
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

    static std::string Cell(const ui::frmPricePreview* p, int row, int column)
    {
        const QAbstractItemModel* model = p->grdMatched->model();
        return model->data(model->index(row, column)).toString().toStdString();
    }

    // Closes the preview window's way, and lets it go.
    static void Click(QPushButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // File -> "Export Prices…", the name typed, then "Save".
    void Export(const QString& name)
    {
        window->ControlsForTests().ExportPrices->trigger();
        QDialog* dialog = test::ShownDialog("frmSave");
        ASSERT_NE(dialog, nullptr);
        test::TypeName(*dialog, name);
        test::Press(*dialog, "cmdSave");
    }

    std::string BuildCost() const { return window->ControlsForTests().lblBuildCost->text().toStdString(); }
};
BRENTA_BOTH_LOCALES(Spreadsheet);

} // namespace

TEST_P(Spreadsheet, APastedListIsPreviewedAndOnlyApplyChangesThePrices)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    const std::vector<double> before = w.Cat().dblPrices;
    const std::string cost = BuildCost();
    const QString shownPrice = w.ControlsForTests().txtPPU[0]->text();
    // A spreadsheet's two columns with a header, decimal commas whatever the locale.
    const std::string pasted = "Item\tPrice\ntritanium\t7,25\n[Raw] Pyerite\t1.234,5\nNothing\t1\nMexallon\tabc\n";

    ui::frmPricePreview* preview = Paste(pasted);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_NE(preview->lblSummary->text().indexOf(QStringLiteral("a decimal comma (as the figures show)")), -1)
        << preview->lblSummary->text().toStdString();
    ASSERT_EQ(preview->grdMatched->model()->rowCount(), 2);
    EXPECT_EQ(Cell(preview, 0, ui::frmPricePreview::ColItem), "[Raw] Tritanium");
    EXPECT_EQ(Cell(preview, 0, ui::frmPricePreview::ColOldPrice), "2");
    EXPECT_EQ(Cell(preview, 0, ui::frmPricePreview::ColNewPrice), L("7.25"));
    EXPECT_EQ(Cell(preview, 1, ui::frmPricePreview::ColNewPrice), L("1234.5"));
    EXPECT_EQ(Lines(preview->lstUnknown), QStringList{QStringLiteral("Line 4: Nothing")});
    EXPECT_EQ(Lines(preview->lstUnreadable), QStringList{QStringLiteral("Line 5: \"abc\" is not a price")});

    // Cancel: nothing changed, the sheet as it was.
    Click(preview->cmdCancel);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(w.Cat().dblPrices, before);
    EXPECT_EQ(w.ControlsForTests().txtPPU[0]->text(), shownPrice);
    EXPECT_EQ(BuildCost(), cost);

    // Apply: the prices in use change, the shown sheet follows them.
    preview = Paste(pasted);
    ASSERT_NE(preview, nullptr);
    Click(preview->cmdApply);
    EXPECT_EQ(Preview(), nullptr);
    EXPECT_EQ(w.Cat().dblPrices[kTritanium], 7.25);
    EXPECT_EQ(w.Cat().dblPrices[kPyerite], 1234.5);
    std::vector<double> expected = before;
    expected[kTritanium] = 7.25;
    expected[kPyerite] = 1234.5;
    EXPECT_EQ(w.Cat().dblPrices, expected);
    EXPECT_EQ(w.ControlsForTests().txtPPU[0]->text().toStdString(), L("7.25"));
    EXPECT_EQ(w.ControlsForTests().txtPPU[1]->text().toStdString(), L("1234.5"));
    EXPECT_NE(BuildCost(), cost);
    EXPECT_EQ(BuildCost(), *sheet::Compute(job::SheetInput(w.CurrentJob(), w.Cat(), fmt)).buildCost);
    EXPECT_TRUE(messages.empty());

    // The prices file at close holds the applied prices.
    w.close();
    const std::string saved = ReadFile("matprices.dat");
    EXPECT_NE(saved.find("\r\n34{" + L("7.25") + "\r\n35{" + L("1234.5") + "\r\n"), std::string::npos);
}

TEST_P(Spreadsheet, AFileIsImportedThroughTheOpenDialog)
{
    WriteFile("market.csv", "Name,Type ID,Price\r\n\"Tritanium\",34,\"3.5\"\r\nPyerite,35,-2\r\n");
    ui::frmMain& w = Start();
    w.ControlsForTests().ImportPrices->trigger();
    QDialog* dialog = test::ShownDialog("frmOpen");
    ASSERT_NE(dialog, nullptr);
    test::Pick(*dialog, QStringLiteral("market.csv"));
    test::Press(*dialog, "cmdOpen");
    ui::frmPricePreview* preview = Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->grdMatched->model()->rowCount(), 1);
    EXPECT_EQ(Lines(preview->lstUnreadable), QStringList{QStringLiteral("Line 3: the price -2 is negative")});
    Click(preview->cmdApply);
    EXPECT_EQ(w.Cat().dblPrices[kTritanium], 3.5);
    EXPECT_EQ(w.Cat().dblPrices[kPyerite], 8); // refused on its line

    // The other readers of the open dialog keep their own modes.
    w.ControlsForTests().PurchasedBPList->trigger();
    dialog = test::ShownDialog("frmOpen");
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(test::Entries(*dialog).contains(QStringLiteral("market.csv")));
    test::Press(*dialog, "cmdCancel");

    // Nothing to read: said, and no preview.
    messages.clear();
    EXPECT_EQ(Paste(" \n\t\n"), nullptr);
    EXPECT_EQ(messages, std::vector<std::string>{"There are no prices in the clipboard, so no price changed."});
}

TEST_P(Spreadsheet, TheExportIsCsvWithADecimalPointWhateverTheLocale)
{
    ui::frmMain& w = Start();
    ui::frmPricePreview* preview = Paste("Tritanium\t1234.5\nPyerite\t0.0001\n");
    ASSERT_NE(preview, nullptr);
    Click(preview->cmdApply);
    Export(QStringLiteral("out.csv"));
    EXPECT_EQ(messages, std::vector<std::string>{"Exported successfully."});
    const std::string csv = ReadFile("out.csv");
    EXPECT_TRUE(csv.starts_with("Name,Type ID,Price\r\n"
                                "[Item] Teshite,18,0\r\n"
                                "[Item] Quorzite,22,0\r\n"
                                "[Item] Lustrous Zarcite,26,0\r\n"
                                "[Raw] Tritanium,34,1234.5\r\n"
                                "[Raw] Pyerite,35,0.0001\r\n"
                                "[Raw] Mexallon,36,"))
        << csv.substr(0, 200);
    EXPECT_TRUE(csv.ends_with("\r\n"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 914);
    EXPECT_EQ(csv.find(';'), std::string::npos);

    // Read back, it changes nothing.
    preview = Paste(csv);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->grdMatched->model()->rowCount(), 913);
    EXPECT_TRUE(preview->lstUnknown->count() == 0 && preview->lstUnreadable->count() == 0);
    const std::vector<double> before = w.Cat().dblPrices;
    Click(preview->cmdApply);
    EXPECT_EQ(w.Cat().dblPrices, before);
}

TEST_P(Spreadsheet, TheExportRefusesTheProgramsOwnNames)
{
    for (const char* own :
        {"brenta", "ownedbps.dat", "skills.dat", "matprices.dat", "brenta.png", "brenta.desktop"})
        WriteFile(own, "keep");
    Start();
    for (const char* own :
        {"brenta", "ownedbps.dat", "skills.dat", "matprices.dat", "brenta.png", "brenta.desktop"}) {
        messages.clear();
        Export(QString::fromUtf8(own));
        ASSERT_EQ(messages.size(), 1u) << own;
        EXPECT_TRUE(
            messages[0].starts_with(std::string(own) + " cannot be used for the prices: Brenta keeps its own"))
            << messages[0];
        EXPECT_EQ(ReadFile(own), "keep");
    }
}

TEST_P(Spreadsheet, CtrlCAndTheContextMenuCopyTheSheetAsColumns)
{
    ui::frmMain& w = Start();
    SelectBlueprint(kPlates);
    Choose(w.ControlsForTests().cboPE, 5);
    Type(w.ControlsForTests().txtRuns, QStringLiteral("2"));
    w.ControlsForTests().Improvements->trigger();
    ui::frmPricePreview* preview = Paste("Tritanium\t2.3\n");
    ASSERT_NE(preview, nullptr);
    Click(preview->cmdApply);
    EXPECT_EQ(
        w.ControlsForTests().txtRuns->text(), QStringLiteral("2")); // applying prices leaves the job as it was
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // Numbers without digit groups in the locale's decimal convention.
    const std::string expected = L("Material\tAmount\tWaste\tTotal\tIdeal ML\tImprove At\tUnit Price\tCost\n"
                                   "[Raw] Tritanium\t1352\t136\t1488\t135\t1\t2.3\t3422.4\n"
                                   "[Raw] Pyerite\t406\t40\t446\t40\t1\t8\t3568\n"
                                   "[Raw] Mexallon\t560\t56\t616\t56\t1\t32\t19712\n"
                                   "[Raw] Isogen\t78\t8\t86\t7\t1\t128\t11008\n"
                                   "[Raw] Nocxium\t4\t0\t4\t0\t0\t512\t2048\n"
                                   "[Raw] Zydrine\t2\t0\t2\t0\t0\t2048\t4096\n"
                                   "\n"
                                   "Build Cost (Total)\t43854.4\n"
                                   "Build Cost (Waste)\t3448.8\n"
                                   "Cost Per Unit (Total)\t21927.2\n"
                                   "Cost Per Unit (Waste)\t1724.4\n"
                                   "Efficiency\t92.1357948119%\n"
                                   "Build Time\t0D 0H 20M 0S\n"
                                   "ML Research Time\t0D 0H 0M 0S\n"
                                   "PL Research Time\t0D 0H 0M 0S\n");

    QGuiApplication::clipboard()->clear();
    w.ControlsForTests().cboPE->setFocus();
    QTest::keyClick(w.ControlsForTests().cboPE, Qt::Key_C, Qt::ControlModifier);
    const std::string copied = QGuiApplication::clipboard()->text().toStdString();
    EXPECT_EQ(copied, expected);

    // In a text box with a selection, Ctrl+C copies the selection as ever.
    QLineEdit* price = w.ControlsForTests().txtPPU[0];
    price->setFocus();
    price->selectAll();
    QTest::keyClick(price, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), price->text());
    // Without one, it copies the sheet.
    price->deselect();
    QTest::keyClick(price, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), copied);

    // The context menu's "Copy Sheet" copies the same.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(w.ControlsForTests().lblPrefix[2], Qt::RightButton);
    auto* menu = w.findChild<ui::frmContextMenu*>();
    ASSERT_NE(menu, nullptr);
    QLabel* option = menu->lblContextOption[ui::frmContextMenu::kOptionCopySheet];
    EXPECT_EQ(option->text(), QStringLiteral("Copy Sheet"));
    QTest::mouseClick(option, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), copied);
}
