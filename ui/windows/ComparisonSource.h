#pragma once

// What the ML-to-ML comparison window takes from the window it compares for, and
// the few calls it makes there: the shown blueprint once when it opens, and the
// sheet's live values on every recomputation.

#include <QColor>
#include <QString>

#include <functional>
#include <vector>

#include "calc/Comparison.h"

namespace brenta::ui {

// The shown blueprint as the comparison copies it when it opens.
struct ComparisonSource {
    struct Row {
        QString caption;
        QString amount;
        QColor colour; // the name's text colour
    };
    QString name; // the blueprint on display
    QString ml; // the ML box
    std::vector<Row> rows; // the filled rows, down to the first empty one
    comparison::Input input; // the sheet's live values; rows[r].price is row r's price box
};

// The comparison's calls into the window it compares for.
struct ComparisonFeed {
    // The shown blueprint, its rows and the live values, read when the window opens.
    std::function<ComparisonSource()> source;
    // Only the live values (prices, skills, multipliers), read on every recomputation.
    std::function<comparison::Input()> values;
};

} // namespace brenta::ui
