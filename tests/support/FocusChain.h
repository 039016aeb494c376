#pragma once

#include "controls/CBrowseEdit.h"
#include "controls/CIpAddressEdit.h"
#include "controls/CPropertyGridCtrl.h"

#include <QApplication>
#include <QSet>
#include <QStringList>
#include <QTest>

/// A control by object name as a user sees it: the address field for any of its parts, the
/// property grid for its rows, "field/btnBrowse" for the browse button of a browse field.
inline QString ControlName(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (qobject_cast<const CIpAddressEdit*>(parent) || qobject_cast<const CPropertyGridCtrl*>(parent))
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
