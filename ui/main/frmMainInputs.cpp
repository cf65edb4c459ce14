#include "ui/main/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStringList>

#include <filesystem>

#include "calc/Ideal.h"
#include "calc/Sheet.h"
#include "calc/Times.h"
#include "catalogue/BlueprintRecord.h"
#include "storage/OwnedFile.h"
#include "storage/PricesFile.h"
#include "storage/Settings.h"
#include "storage/SkillsFile.h"
#include "storage/TextFile.h"
#include "ui/main/Look.h"
#include "ui/main/MessageBox.h"
#include "ui/windows/AlwaysOnTop.h"
#include "ui/windows/CustomFSO.h"
#include "ui/main/frmMainShared.h"

namespace brenta::ui {

using namespace mainwindow;

void frmMain::cboAssemblyArray_Click()
{
    const int position = ui.cboAssemblyArray->currentIndex();
    if (position >= 0 && position < static_cast<int>(times::kAssemblyArrays.size())) {
        dblTimeMult = times::kAssemblyArrays[static_cast<std::size_t>(position)].timeMult;
        dblMatMult = times::kAssemblyArrays[static_cast<std::size_t>(position)].matMult;
    }
    ui.cboAssemblyArray->setToolTip("Time * " + Q(numbers::ToText(dblTimeMult, fmt_)) + ", Materials * "
        + Q(numbers::ToText(dblMatMult, fmt_)));
    UpdateML();
}

// The read-only box shows its text from the start, not scrolled to its end.
void frmMain::ShowWF(const QString& text)
{
    ui.txtWF->setText(text);
    ui.txtWF->setCursorPosition(0);
}

// --- Input fields ------------------------------------------------------------------------

void frmMain::txtML_Change() { UpdateML(); }

void frmMain::txtPL_Change() { UpdateML(); }

void frmMain::txtRuns_Change()
{
    try {
        const double runs = numbers::LeadingNumber(S(ui.txtRuns->text()));
        if (runs > 1000000) {
            // Setting the text runs this reaction again, nested, with the capped count.
            ui.txtRuns->setText(QStringLiteral("1000000"));
            ui.txtRuns->setCursorPosition(static_cast<int>(ui.txtRuns->text().size()));
        }
        ApplyRunsToAmounts();
        UpdateML();
    } catch (const Failure&) {
        ShowWF(QStringLiteral("Invalid Runs"));
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QVariant row = watched->property("row");
        if (mouse->button() == Qt::LeftButton && row.isValid()) {
            lblPrefix_Click(static_cast<std::int16_t>(row.toInt()));
            return true;
        }
    }
    if (watched == ui.txtRuns && event->type() == QEvent::KeyPress) {
        // Only digits and Backspace are typed into the run count; keys that type no
        // character (arrows, Home, Delete) edit the box as usual.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty()) {
            const char16_t c = text.at(0).unicode();
            const bool digit = c >= u'0' && c <= u'9';
            if (!(digit || c == 8 || c == 127))
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- Blueprint display -------------------------------------------------------------------

} // namespace brenta::ui
