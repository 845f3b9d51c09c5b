#pragma once

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

namespace kv::test {

// The captions of a shown window that are cut off: a label, check box, radio
// button or push button whose text needs more width than it was given. Word-
// wrapped labels and empty texts are left out.
inline std::vector<std::string> clippedCaptions(const QWidget* window) {
    std::vector<std::string> clipped;
    auto note = [&](const QWidget* w, const QString& text) {
        clipped.push_back((w->objectName() + " \"" + text + "\"").toStdString());
    };
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(window) || l->wordWrap() || l->text().isEmpty()) continue;
        if (l->minimumSizeHint().width() > l->contentsRect().width()) note(l, l->text());
    }
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(window) || b->text().isEmpty()) continue;
        const int needed = qobject_cast<const QPushButton*>(b)
                               ? b->fontMetrics().horizontalAdvance(b->text())
                               : b->sizeHint().width();
        if (needed > b->width()) note(b, b->text());
    }
    return clipped;
}

}  // namespace kv::test
