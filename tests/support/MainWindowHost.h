#pragma once

#include "app/CTarvexDlg.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CButtonST.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

/// The main window shown for a test, and the ways a test reaches its controls by name.
struct MainWindowHost
{
    CTarvexDlg dialog{*GetCfgDocument()};

    MainWindowHost() { dialog.show(); }
    bool Exposed() { return QTest::qWaitForWindowExposed(&dialog); }
    bool Active()
    {
        dialog.activateWindow();
        return QTest::qWaitForWindowActive(&dialog);
    }
    template <class T = QWidget> T* Find(const char* name) const
    {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }
    CButtonST* Button(const char* name) const { return Find<CButtonST>(name); }
    void Click(const char* name) const { QTest::mouseClick(Find(name), Qt::LeftButton); }
    void Trigger(const char* action) const { Find<QAction>(action)->trigger(); }
    QString Text(const char* edit) const { return Find<QLineEdit>(edit)->text(); }
    /// Puts `text` in the box `box`, then clicks `button`.
    void Command(const char* box, const QString& text, const char* button) const
    {
        Find<QLineEdit>(box)->setText(text);
        Click(button);
    }
};
