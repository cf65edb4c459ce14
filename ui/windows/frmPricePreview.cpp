#include "ui/windows/frmPricePreview.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace brenta::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString LineText(std::size_t line) { return QStringLiteral("Line %1").arg(static_cast<qulonglong>(line)); }

// The matched items as a read-only table, drawn from the preview as the view asks:
// a paste of every item fills no thousands of widgets.
class MatchedModel : public QAbstractTableModel {
public:
    MatchedModel(const std::vector<priceimport::Match>& matched, const NumberFormat& fmt, QObject* parent)
        : QAbstractTableModel(parent), matched_(matched), fmt_(fmt)
    {
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(matched_.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : frmPricePreview::Columns;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || static_cast<std::size_t>(index.row()) >= matched_.size())
            return {};
        if (role == Qt::TextAlignmentRole)
            return index.column() == frmPricePreview::ColItem ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                              : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        const priceimport::Match& m = matched_[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
        case frmPricePreview::ColLine:
            return QString::number(static_cast<qulonglong>(m.line));
        case frmPricePreview::ColItem:
            return Q(m.name);
        case frmPricePreview::ColTypeId:
            return QString::number(m.typeId);
        case frmPricePreview::ColOldPrice:
            return Q(numbers::ToText(m.oldPrice, fmt_));
        case frmPricePreview::ColNewPrice:
            return Q(numbers::ToText(m.newPrice, fmt_));
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const kTitles[] = {"Line", "Item", "Type ID", "Old Price", "New Price"};
        return section >= 0 && section < frmPricePreview::Columns ? QString::fromLatin1(kTitles[section])
                                                                  : QVariant();
    }

private:
    const std::vector<priceimport::Match>& matched_;
    NumberFormat fmt_;
};

QString Count(std::size_t n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(static_cast<qulonglong>(n)).arg(QString::fromLatin1(n == 1 ? one : many));
}

QString SeparatorName(char separator)
{
    switch (separator) {
    case '\t':
        return QStringLiteral("tabs");
    case ';':
        return QStringLiteral("semicolons");
    case ',':
        return QStringLiteral("commas");
    default:
        return QStringLiteral("no separator");
    }
}

} // namespace

QString PreviewSummary(const priceimport::Preview& p, const QString& source)
{
    QString text = QStringLiteral("From %1: %2 to set, %3, %4.")
                       .arg(source, Count(p.matched.size(), "price", "prices"),
                           Count(p.unknown.size(), "name matching no item", "names matching no item"),
                           Count(p.unreadable.size(), "line not read", "lines not read"));
    text += QStringLiteral("\nRead with %1 between the cells, a decimal %2 (%3)")
                .arg(SeparatorName(p.separator),
                    p.decimalMark == ',' ? QStringLiteral("comma") : QStringLiteral("point"),
                    p.decimalFromFigures ? QStringLiteral("as the figures show")
                                         : QStringLiteral("the system's setting: no figure shows it"));
    text += p.header ? QStringLiteral(", the first line taken as column names.") : QStringLiteral(".");
    return text;
}

frmPricePreview::frmPricePreview(QWidget* owner, priceimport::Preview preview, const NumberFormat& fmt,
    const QString& source, ApplyPrices apply)
    : QDialog(owner), preview_(std::move(preview)), apply_(std::move(apply))
{
    setObjectName(QStringLiteral("frmPricePreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QStringLiteral("Prices from a Spreadsheet"));

    // What was read scrolls on a screen too small for it; the buttons stay in view.
    auto* outer = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrPreview"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);
    lblSummary = new QLabel(PreviewSummary(preview_, source), content);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setTextFormat(Qt::PlainText);
    lblSummary->setWordWrap(true);
    layout->addWidget(lblSummary);

    grdMatched = new QTableView(content);
    grdMatched->setObjectName(QStringLiteral("grdMatched"));
    grdMatched->setModel(new MatchedModel(preview_.matched, fmt, grdMatched));
    grdMatched->verticalHeader()->hide();
    grdMatched->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdMatched->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdMatched->horizontalHeader()->setSectionResizeMode(ColItem, QHeaderView::Stretch);
    // Room to grow, but small enough that the window fits a small screen at a large
    // scale: the lists scroll.
    grdMatched->setMinimumHeight(grdMatched->fontMetrics().height() * 4);
    grdMatched->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    layout->addWidget(grdMatched, 3);

    auto list = [&](const char* name, const QString& title, const QStringList& lines) {
        auto* widget = new QListWidget(content);
        widget->setObjectName(QString::fromLatin1(name));
        widget->addItems(lines);
        auto* caption = new QLabel(title, content);
        caption->setBuddy(widget);
        layout->addWidget(caption);
        widget->setMinimumHeight(widget->fontMetrics().height() * 2 + 2 * widget->frameWidth());
        widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        layout->addWidget(widget, 1);
        caption->setVisible(!lines.isEmpty());
        widget->setVisible(!lines.isEmpty());
        return widget;
    };
    QStringList unknown;
    for (const priceimport::Unknown& u : preview_.unknown)
        unknown << LineText(u.line) + QStringLiteral(": ") + Q(u.name);
    lstUnknown = list("lstUnknown", QStringLiteral("&Names that match no item:"), unknown);
    QStringList unreadable;
    for (const priceimport::Unreadable& u : preview_.unreadable)
        unreadable << LineText(u.line) + QStringLiteral(": ") + Q(u.reason);
    lstUnreadable = list("lstUnreadable", QStringLiteral("&Lines that could not be read:"), unreadable);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdApply = new QPushButton(QStringLiteral("&Apply"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdApply->setEnabled(!preview_.matched.empty());
    cmdApply->setDefault(!preview_.matched.empty());
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(cmdApply);
    buttons->addWidget(cmdCancel);
    outer->addLayout(buttons);

    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 480);
}

void frmPricePreview::cmdApply_Click()
{
    // The window goes first: what applying shows (a message) finds no modal
    // preview in its way. Closed here, it is deleted once this event is done.
    const ApplyPrices apply = apply_;
    const priceimport::Preview preview = std::move(preview_);
    grdMatched->setModel(nullptr);
    accept();
    if (apply)
        apply(preview);
}

} // namespace brenta::ui
