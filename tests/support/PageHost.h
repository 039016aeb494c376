#pragma once

#include "pages/CCfgDialog.h"

#include <QDialog>
#include <QRect>
#include <QTest>

/// A page in a window of its own, placed as the main window's frame holds it.
struct PageHost
{
    QDialog dialog;
    CCfgDialog* page = nullptr;

    /// Takes `made`, a page made with `dialog` as its parent, into a window of `size` at `area`.
    void Place(CCfgDialog* made, const QSize& size, const QRect& area)
    {
        dialog.resize(size);
        page = made;
        page->setGeometry(area);
    }

    bool Show()
    {
        page->show();
        dialog.show();
        dialog.activateWindow();
        return QTest::qWaitForWindowActive(&dialog);
    }

    template <class T = QWidget> T* Control(const QString& name) const { return page->findChild<T*>(name); }
};
