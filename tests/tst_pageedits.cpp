// The edit menu of the main window on the test server: undoing and redoing a page's edits,
// with the unsaved mark following, and bringing a group back to what the database held.
#include "app/CTarvexDlg.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "controls/CPropertyGridProperty.h"
#include "pages/CGridExten.h"
#include "pages/CGridSipAccount.h"
#include "support/MainWindowHost.h"
#include "support/MessageRecorder.h"
#include "support/ModalDriver.h"
#include "support/SampleLines.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

using Texts = std::vector<std::string>;
using SampleLines::EditValue;

/// The window on the lines page, its grids at hand.
struct LinesWindow : MainWindowHost
{
    CGridExten& extens = *Find<CGridExten>("gridExten");
    CGridSipAccount& accounts = *Find<CGridSipAccount>("gridSipAccount");

    bool Open()
    {
        if (!Exposed() || !Active())
            return false;
        Click("btnLine");
        return dialog.CurrentGroup() == 3;
    }
    bool LinesMarked() const { return Button("btnLine")->IsMarked(); }
    QString Password(int exten) const
    {
        const CPropertyGridProperty* row = extens.FindById(exten);
        return row ? row->GetValue() : QStringLiteral("(none)");
    }
    /// A key with Ctrl, pressed where the focus is.
    static void Ctrl(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier); }
};

/// The extension rows conf_line holds, in the order written.
Texts Extensions()
{
    return TestDatabase::Rows("SELECT id, value FROM conf_line WHERE type = 0", 2);
}

} // namespace

class TestPageEdits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(TestDatabase::Connect()); }
    void init()
    {
        QVERIFY(SampleLines::FillTables());
        QVERIFY(SampleLines::Load());
    }
    void cleanup() { *GetCfgData() = CCfgData(); }

    // Each command and each cell edit is a step: Ctrl+Z takes them back one by one, in a grid
    // and in a box alike, and the unsaved mark goes when the page is back where it was loaded;
    // Ctrl+Y brings them again. A save then writes what the same edits typed by hand write,
    // in the same order: 9004 is enumerated in one bucket with 8001.
    void undoAndRedoStepByStep()
    {
        Texts typedByHand;
        {
            MessageRecorder messages;
            LinesWindow window;
            QVERIFY(window.Open());
            window.Find<QLineEdit>("editExtenCount")->setText(QStringLiteral("4"));
            window.Command("editFirstExten", QStringLiteral("9001"), "btnAddExten");
            QVERIFY(EditValue(window.extens, window.extens.FindById(8003), QStringLiteral("新密码")));
            window.Click("btnSave");
            typedByHand = Extensions();
            QVERIFY(SampleLines::FillTables());
            QVERIFY(SampleLines::Load());
        }
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.Find<QLineEdit>("editExtenCount")->setText(QStringLiteral("4"));
        window.Command("editFirstExten", QStringLiteral("9001"), "btnAddExten");
        QVERIFY(EditValue(window.extens, window.extens.FindById(8003), QStringLiteral("新密码")));
        window.Command("editSipAccountId", QStringLiteral("5"), "btnDelSipAccount");
        QVERIFY(
            EditValue(window.accounts, window.accounts.FindById(1)->GetSubItem(0), QStringLiteral("账户一")));
        QTRY_VERIFY(window.LinesMarked());

        window.accounts.setFocus();
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(window.accounts.FindById(1)->GetSubItem(0)->GetValue(), QStringLiteral("acc1"));
        QVERIFY(!window.accounts.FindById(5));
        // From a box of the page too: the box has no undo of its own here.
        window.Find("editSipAccountId")->setFocus();
        LinesWindow::Ctrl(Qt::Key_Z);
        QVERIFY(window.accounts.FindById(5));
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(window.Password(8003), QStringLiteral("p8003"));
        QVERIFY(window.LinesMarked());
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(window.Password(9001), QStringLiteral("(none)"));
        QCOMPARE(window.extens.GetPropertyCount(), 5);
        QVERIFY(!window.LinesMarked());
        // Nothing is left to undo.
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(window.extens.GetPropertyCount(), 5);

        LinesWindow::Ctrl(Qt::Key_Y);
        QCOMPARE(window.Password(9002), QStringLiteral("9002"));
        QVERIFY(window.LinesMarked());
        LinesWindow::Ctrl(Qt::Key_Y);
        QCOMPARE(window.Password(8003), QStringLiteral("新密码"));
        LinesWindow::Ctrl(Qt::Key_Y);
        QVERIFY(!window.accounts.FindById(5));
        // A new edit drops what was undone: nothing to redo after it.
        QVERIFY(EditValue(window.extens, window.extens.FindById(8001), QStringLiteral("x")));
        LinesWindow::Ctrl(Qt::Key_Y);
        QCOMPARE(window.accounts.FindById(1)->GetSubItem(0)->GetValue(), QStringLiteral("acc1"));
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(window.Password(8001), QStringLiteral("p8001"));
        LinesWindow::Ctrl(Qt::Key_Z);
        QVERIFY(window.accounts.FindById(5));

        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"线路配置信息保存成功"});
        QCOMPARE(Extensions(), typedByHand);
        QCOMPARE(TestDatabase::Rows("SELECT id, account FROM conf_sip_account", 2),
                 (Texts{"1|acc1", "5|acc5"}));
        // What was saved is where undoing stops.
        QVERIFY(!window.LinesMarked());
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(window.Password(8003), QStringLiteral("新密码"));
    }

    // 放弃修改 asks first; 取消 keeps the edits, 确定 shows what the database held at the last
    // load, the mark goes, and the revert itself can be undone.
    void revertAGroupAfterAQuestion()
    {
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.Command("editSipAccountId", QStringLiteral("1"), "btnDelSipAccount");
        QVERIFY(EditValue(window.extens, window.extens.FindById(8002), QStringLiteral("改")));
        // A colleague's write since the load is not what the group goes back to.
        QVERIFY(TestDatabase::Run({"UPDATE conf_line SET value = 'colleague' WHERE id = 8004"}));
        QTRY_VERIFY(window.LinesMarked());

        messages.QueueAnswer(MsgAnswer::Cancel);
        window.Trigger("actionRevert3");
        QCOMPARE(messages.Messages().size(), std::size_t(1));
        QVERIFY(QString::fromStdString(messages.Messages().front().text)
                    .startsWith(QStringLiteral("放弃线路配置")));
        QCOMPARE(window.Password(8002), QStringLiteral("改"));

        messages.QueueAnswer(MsgAnswer::Ok);
        window.Trigger("actionRevert3");
        QCOMPARE(window.Password(8002), QStringLiteral("p8002"));
        QCOMPARE(window.Password(8004), QStringLiteral("p8004"));
        QVERIFY(window.accounts.FindById(1));
        QTRY_VERIFY(!window.LinesMarked());

        window.extens.setFocus();
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(window.Password(8002), QStringLiteral("改"));
        QVERIFY(!window.accounts.FindById(1));
        QTRY_VERIFY(window.LinesMarked());
    }

    // A setting typed in a box is undone as a whole word, back to what was loaded.
    void undoOnASettingsPage()
    {
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.Click("btnSys");
        auto* concurrency = window.Find<QLineEdit>("editCallConcurrency");
        const QString before = concurrency->text();
        concurrency->setFocus(Qt::TabFocusReason);
        QTest::keyClick(concurrency, Qt::Key_End);
        QTest::keyClicks(concurrency, QStringLiteral("12"));
        QTRY_VERIFY(window.Button("btnSys")->IsMarked());
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(concurrency->text(), before);
        QTRY_VERIFY(!window.Button("btnSys")->IsMarked());
        LinesWindow::Ctrl(Qt::Key_Y);
        QCOMPARE(concurrency->text(), before + QStringLiteral("12"));
    }
};

QTEST_MAIN(TestPageEdits)
#include "tst_pageedits.moc"
