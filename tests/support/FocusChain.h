#pragma once

#include "controls/CBrowseEdit.h"
#include "controls/CIpAddressEdit.h"
#include "controls/CPropertyGridCtrl.h"

#include <QApplication>
#include <QComboBox>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <utility>
#include <vector>

/// A control by object name as a user sees it: the address field for any of its parts, the
/// property grid for its rows, a drop-down for its field, "field/btnBrowse" for the browse
/// button of a browse field.
inline QString ControlName(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (qobject_cast<const CIpAddressEdit*>(parent) || qobject_cast<const CPropertyGridCtrl*>(parent) ||
        qobject_cast<const QComboBox*>(parent))
        return parent->objectName();
    if (qobject_cast<const CBrowseEdit*>(parent))
        return parent->objectName() + QLatin1Char('/') + widget->objectName();
    return widget->objectName();
}

/// The control of `page` that has the keyboard focus; empty when the focus is outside it.
inline QString FocusedControl(const QWidget* page)
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && page->isAncestorOf(focus) ? ControlName(focus) : QString();
}

/// Every control of `page` that Tab can reach.
inline QSet<QString> TabStops(const QWidget* page)
{
    QSet<QString> names;
    for (const QWidget* widget : page->findChildren<QWidget*>()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(page) && widget->isEnabled())
            names << ControlName(widget);
    }
    return names;
}

/// Presses `key` (Tab or Backtab) `steps` times from the focus where it is, as a user does,
/// and gives the controls passed through, the one at the start included.
inline QStringList WalkFocus(const QWidget* page, Qt::Key key, int steps)
{
    QStringList visited{FocusedControl(page)};
    for (int step = 0; step < steps; ++step) {
        QTest::keyClick(QApplication::focusWidget(), key);
        visited << FocusedControl(page);
    }
    return visited;
}

/// The controls of `page` that Tab can reach, in the order a reader meets them on the screen:
/// row by row from the top, left to right within a row (controls whose tops are level, within
/// half the height of the first, share a row).
inline QStringList ScreenOrder(const QWidget* page)
{
    struct Place
    {
        QString name;
        QRect rect; // on the page
    };
    std::vector<Place> places;
    QSet<QString> seen;
    for (const QWidget* widget : page->findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(page) || !widget->isEnabled())
            continue;
        const QString name = ControlName(widget);
        if (seen.contains(name))
            continue;
        seen << name;
        // A control made of parts is placed as the whole.
        const QWidget* whole =
            name.contains(QLatin1Char('/')) || name == widget->objectName() ? widget : widget->parentWidget();
        places.push_back({name, QRect(whole->mapTo(page, QPoint(0, 0)), whole->size())});
    }
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        return a.rect.top() != b.rect.top() ? a.rect.top() < b.rect.top() : a.rect.left() < b.rect.left();
    });
    QStringList order;
    for (std::size_t first = 0; first < places.size();) {
        std::size_t last = first + 1;
        while (last < places.size() &&
               places[last].rect.top() - places[first].rect.top() < places[first].rect.height() / 2)
            ++last;
        std::sort(places.begin() + static_cast<std::ptrdiff_t>(first),
                  places.begin() + static_cast<std::ptrdiff_t>(last),
                  [](const Place& a, const Place& b) { return a.rect.left() < b.rect.left(); });
        for (std::size_t index = first; index < last; ++index)
            order << places[index].name;
        first = last;
    }
    return order;
}

/// Whether `control` lies whole within what `page` shows.
inline bool InView(const QWidget* page, const QWidget* control)
{
    return page->rect().contains(QRect(control->mapTo(page, QPoint(0, 0)), control->size()));
}

/// Shows `dialog` and walks Tab once round it from the first control on the screen: the walk
/// and the screen order as seen, to compare.
inline std::pair<QStringList, QStringList> TabRoundAndScreenOrder(QWidget& dialog)
{
    dialog.show();
    if (!QTest::qWaitForWindowActive(&dialog))
        return {};
    const QStringList onScreen = ScreenOrder(&dialog);
    if (onScreen.isEmpty())
        return {};
    dialog.findChild<QWidget*>(onScreen.front())->setFocus(Qt::TabFocusReason);
    return {WalkFocus(&dialog, Qt::Key_Tab, int(onScreen.size())), onScreen + QStringList{onScreen.front()}};
}
