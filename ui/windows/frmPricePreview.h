#pragma once

// The preview of prices pasted or imported from a spreadsheet: the items matched
// with their old and new price, the names that match no item and the lines that
// could not be read, with the separator and the decimal convention the reader
// decided on. "Apply" hands the preview to the caller and closes; "Cancel",
// Escape and the close box change nothing. It keeps its owner waiting (modal) and
// is deleted when closed.

#include <QDialog>

#include <functional>

#include "base/Numbers.h"
#include "calc/PriceImport.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace brenta::ui {

class frmPricePreview : public QDialog {
    Q_OBJECT
public:
    enum Column { ColLine, ColItem, ColTypeId, ColOldPrice, ColNewPrice, Columns };
    using ApplyPrices = std::function<void(const priceimport::Preview&)>;

    // source names where the table came from ("the clipboard", a file's name); the
    // prices are shown in fmt's convention; apply is called on "Apply" only.
    frmPricePreview(QWidget* owner, priceimport::Preview preview, const NumberFormat& fmt, const QString& source,
        ApplyPrices apply);

    QLabel* lblSummary = nullptr;
    QTableView* grdMatched = nullptr;
    QListWidget* lstUnknown = nullptr;
    QListWidget* lstUnreadable = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void cmdApply_Click();

    priceimport::Preview preview_;
    ApplyPrices apply_;
};

// The summary line of a preview: how many prices change, what matched nothing or
// could not be read, and how the table was read.
QString PreviewSummary(const priceimport::Preview& preview, const QString& source);

} // namespace brenta::ui
