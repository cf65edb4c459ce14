#pragma once

// Checks on where controls sit that catch what a player would see as a fault: a
// control partly outside the widget that holds it, or two controls covering each
// other, whatever the exact coordinates the design gives them.

#include <QRect>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace brenta::test {

// Neighbouring cells are drawn a little larger than their pitch (their borders),
// so two controls may share an edge strip at most three pixels wide; anything more
// hides a text or a click target.
inline bool Covers(const QRect& a, const QRect& b)
{
    const QRect shared = a.intersected(b);
    return shared.width() > 3 && shared.height() > 3;
}

// Every named, shown control under root lies inside its holder, and no two
// controls of one holder cover each other. Returns how many controls it checked.
inline int ExpectInsideAndApart(QWidget* root)
{
    std::map<QWidget*, std::vector<QWidget*>> byHolder;
    int checked = 0;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) || w->isHidden()
            || w->isWindow())
            continue;
        byHolder[w->parentWidget()].push_back(w);
        ++checked;
    }
    for (const auto& [holder, controls] : byHolder) {
        SCOPED_TRACE(holder->objectName().toStdString());
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const QRect place = controls[i]->geometry();
            EXPECT_TRUE(holder->rect().contains(place)) << controls[i]->objectName().toStdString();
            for (std::size_t j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(Covers(place, controls[j]->geometry()))
                    << controls[i]->objectName().toStdString() << " covers "
                    << controls[j]->objectName().toStdString();
        }
    }
    return checked;
}

} // namespace brenta::test
