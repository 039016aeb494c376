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

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTreeView>
#include <functional>

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

/// Clicks top-level row `row` of `grid` with `modifiers`, as the mouse selects rows.
void ClickRow(CPropertyGridCtrl& grid, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    auto* tree = grid.findChild<QTreeView*>(QStringLiteral("propertyTree"));
    tree->scrollTo(tree->model()->index(row, 0));
    const QRect rect = tree->visualRect(tree->model()->index(row, 0));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers, rect.center());
}

/// The IDs of the grid's top-level rows, from the top.
QList<qint64> Ids(const CPropertyGridCtrl& grid)
{
    QList<qint64> ids;
    for (int index = 0; index < grid.GetPropertyCount(); ++index)
        ids << grid.GetProperty(index)->GetData();
    return ids;
}

/// The extension rows conf_line holds, in the order written.
Texts Extensions()
{
    return TestDatabase::Rows("SELECT id, value FROM conf_line WHERE type = 0", 2);
}

/// The extension rows a save writes after `typing` by hand in a fresh window; the sample
/// tables are back afterwards.
Texts SavedByHand(const std::function<bool(LinesWindow&)>& typing)
{
    MessageRecorder messages;
    LinesWindow window;
    if (!window.Open() || !typing(window))
        return {"(typing failed)"};
    window.Click("btnSave");
    Texts saved = Extensions();
    if (!SampleLines::FillTables() || !SampleLines::Load())
        return {"(tables not restored)"};
    return saved;
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
        const Texts typedByHand = SavedByHand([](LinesWindow& window) {
            window.Find<QLineEdit>("editExtenCount")->setText(QStringLiteral("4"));
            window.Command("editFirstExten", QStringLiteral("9001"), "btnAddExten");
            return EditValue(window.extens, window.extens.FindById(8003), QStringLiteral("新密码"));
        });
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

    // Shift and Ctrl with clicks and arrows select several rows; 删除 asks once, naming how
    // many, and 取消 keeps them all.
    void selectManyAndDeleteAfterOneQuestion()
    {
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        ClickRow(window.extens, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::ShiftModifier);
        ClickRow(window.extens, 4, Qt::ControlModifier);
        QCOMPARE(window.extens.SelectedCount(), 3);

        messages.QueueAnswer(MsgAnswer::Cancel);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY(QString::fromStdString(messages.Texts().front())
                    .startsWith(QStringLiteral("删除所选的 3 条分机记录吗？")));
        QCOMPARE(window.extens.GetPropertyCount(), 5);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(Ids(window.extens), (QList<qint64>{8001, 8004}));
        QTRY_VERIFY(window.LinesMarked());
        // The keyboard goes on from the row after the first one deleted.
        QCOMPARE(window.extens.GetCurSel()->GetData(), 8004);

        // A group stands for its record: Ctrl+A and 删除 take every account.
        window.accounts.setFocus();
        LinesWindow::Ctrl(Qt::Key_A);
        QCOMPARE(window.accounts.SelectedCount(), 2);
        window.Trigger("actionDeleteSelected");
        QCOMPARE(window.accounts.GetPropertyCount(), 0);
        // Each delete is one step.
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(Ids(window.accounts), (QList<qint64>{1, 5}));
        LinesWindow::Ctrl(Qt::Key_Y);
        QCOMPARE(window.accounts.GetPropertyCount(), 0);

        window.Click("btnSave");
        QCOMPARE(Extensions(), (Texts{"8004|p8004", "8001|p8001"}));
        QCOMPARE(TestDatabase::Rows("SELECT COUNT(*) FROM conf_sip_account", 1), Texts{"0"});
    }

    // Ctrl+C gives the selected records under the grid's header, tab-separated and quoted
    // where a cell holds a tab, as spreadsheets paste them; pasting them back changes nothing.
    void copySelectedRowsForASpreadsheet()
    {
        QVERIFY(TestDatabase::Run({"UPDATE conf_sip_account SET auth_account = 'a\tb\"c' WHERE id = 5"}));
        QVERIFY(SampleLines::Load());
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.accounts.setFocus();
        LinesWindow::Ctrl(Qt::Key_A);
        LinesWindow::Ctrl(Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("ID\t账户\t鉴权账户\t密码\t注册地址\t注册端口\t是否注册\t注册间隔\r\n"
                                "1\tacc1\tauth1\tpw1\t10.0.0.1\t5060\ttrue\t3600\r\n"
                                "5\tacc5\t\"a\tb\"\"c\"\tpw5\t10.0.0.5\t5070\tfalse\t600\r\n"));
        LinesWindow::Ctrl(Qt::Key_V);
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY(
            QString::fromStdString(messages.Texts().front()).contains(QStringLiteral("没有要修改的内容")));
        QTest::qWait(300);
        QVERIFY(!window.LinesMarked());
    }

    // A spreadsheet's block pasted with Ctrl+V: checked as a CSV import is, a bad row refused
    // with its row and column and nothing changed; then a good block merged by ID after a
    // preview that names the adds and changes, 取消 changing nothing.
    void pasteASpreadsheetBlock()
    {
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.accounts.setFocus();
        const QString header = QStringLiteral("ID\t账户\t注册端口\t是否注册\r\n");
        QApplication::clipboard()->setText(header + QStringLiteral("1\t张三\t5061\ttrue\r\n"
                                                                   "9\tnew\t70000\tfalse\r\n"));
        LinesWindow::Ctrl(Qt::Key_V);
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        const QString refusal = QString::fromStdString(messages.Texts().front());
        QVERIFY2(refusal.contains(QStringLiteral("粘贴的内容中有 1 处问题，未做任何修改")) &&
                     refusal.contains(QStringLiteral("第 3 行“注册端口”列：“70000”不是")),
                 qPrintable(refusal));
        QCOMPARE(window.accounts.FindById(1)->GetSubItem(0)->GetValue(), QStringLiteral("acc1"));

        // Quotes hold a tab and a line break; a column the block lacks keeps its value.
        QApplication::clipboard()->setText(header + QStringLiteral("1\t\"张\t三\"\t5061\ttrue\n"
                                                                   "9\t\"两\n行\"\t5080\tfalse\n"));
        messages.Clear();
        messages.QueueAnswer(MsgAnswer::Cancel);
        LinesWindow::Ctrl(Qt::Key_V);
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        const QString preview = QString::fromStdString(messages.Texts().front());
        QVERIFY2(
            preview.startsWith(QStringLiteral("粘贴到SIP账户：添加 1 条，修改 1 条。\r\n添加：9\r\n修改：1")),
            qPrintable(preview));
        QVERIFY(!window.accounts.FindById(9));

        LinesWindow::Ctrl(Qt::Key_V);
        QCOMPARE(window.accounts.FindById(1)->GetSubItem(0)->GetValue(), QStringLiteral("张\t三"));
        QCOMPARE(window.accounts.FindById(9)->GetSubItem(0)->GetValue(), QStringLiteral("两\n行"));
        // The paste is one step.
        LinesWindow::Ctrl(Qt::Key_Z);
        QVERIFY(!window.accounts.FindById(9));
        QCOMPARE(window.accounts.FindById(1)->GetSubItem(0)->GetValue(), QStringLiteral("acc1"));
        QTRY_VERIFY(!window.LinesMarked());
        LinesWindow::Ctrl(Qt::Key_Y);
        QVERIFY(window.accounts.FindById(9));
        window.Click("btnSave");
        QCOMPARE(TestDatabase::Rows("SELECT id, account, auth_account, proxy_port, reg, reg_interval "
                                    "FROM conf_sip_account",
                                    6),
                 (Texts{"1|张\t三|auth1|5061|true|3600", "5|acc5|auth5|5070|false|600",
                        "9|两\n行||5080|false|1800"}));
    }

    // Rows without a header are read in the grid's columns; the save writes what the same
    // extensions typed by hand write, in the same order.
    void pasteWithoutHeaderSavesAsTyped()
    {
        const Texts typedByHand = SavedByHand([](LinesWindow& window) {
            window.Find<QLineEdit>("editExtenCount")->setText(QStringLiteral("4"));
            window.Command("editFirstExten", QStringLiteral("9001"), "btnAddExten");
            return EditValue(window.extens, window.extens.FindById(9004), QStringLiteral("密")) &&
                   EditValue(window.extens, window.extens.FindById(8001), QStringLiteral("x"));
        });
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.extens.setFocus();
        QApplication::clipboard()->setText(
            QStringLiteral("9001\t9001\n9002\t9002\n9003\t9003\n9004\t密\n8001\tx\n"));
        LinesWindow::Ctrl(Qt::Key_V);
        QVERIFY(QString::fromStdString(messages.Texts().front())
                    .startsWith(QStringLiteral("粘贴到分机：添加 4 条，修改 1 条。")));
        window.Click("btnSave");
        QCOMPARE(Extensions(), typedByHand);
    }

    // 批量修改 sets one field of the selected records, checked by the field's own rules: a
    // port out of range is refused and the dialog stays for another value; a flag is chosen.
    void bulkChangeChecksTheFieldsRules()
    {
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.accounts.setFocus();
        LinesWindow::Ctrl(Qt::Key_A);
        QString counted;
        WhenModalOpens([&](QWidget* dialog) {
            counted = dialog->findChild<QLabel*>(QStringLiteral("labelCount"))->text();
            auto* field = dialog->findChild<QComboBox*>(QStringLiteral("comboField"));
            field->setCurrentText(QStringLiteral("注册端口"));
            auto* value = dialog->findChild<QLineEdit*>(QStringLiteral("editValue"));
            value->setFocus();
            QTest::keyClicks(value, QStringLiteral("70000"));
            QTest::keyClick(value, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            // The focus of the dialog, whichever window the platform has made active.
            QCOMPARE(dialog->focusWidget(), value);
            value->clear();
            QTest::keyClicks(value, QStringLiteral("5090"));
            QTest::keyClick(value, Qt::Key_Return);
        });
        LinesWindow::Ctrl(Qt::Key_B);
        QCOMPARE(counted, QStringLiteral("将修改所选的 2 条SIP账户记录。"));
        QCOMPARE(messages.Texts().size(), std::size_t(1));
        QVERIFY2(QString::fromStdString(messages.Texts().front())
                     .startsWith(QStringLiteral("“注册端口”列：“70000”不是")),
                 messages.Texts().front().c_str());
        QCOMPARE(window.accounts.FindById(1)->GetSubItem(4)->GetValue(), QStringLiteral("5090"));
        QCOMPARE(window.accounts.FindById(5)->GetSubItem(4)->GetValue(), QStringLiteral("5090"));

        // The offscreen platform gives the window back no focus when a dialog ends.
        QVERIFY(window.Active());
        ClickRow(window.accounts, 1);
        WhenModalOpens([](QWidget* dialog) {
            dialog->findChild<QComboBox*>(QStringLiteral("comboField"))
                ->setCurrentText(QStringLiteral("是否注册"));
            auto* value = dialog->findChild<QComboBox*>(QStringLiteral("comboValue"));
            QVERIFY(value->isVisible());
            value->setCurrentText(QStringLiteral("true"));
            ClickButton(dialog, "btnOk");
        });
        window.Trigger("actionBulkChange");
        QCOMPARE(window.accounts.FindById(5)->GetSubItem(5)->GetValue(), QStringLiteral("true"));
        QCOMPARE(window.accounts.FindById(1)->GetSubItem(5)->GetValue(), QStringLiteral("true"));
        // One step each.
        QVERIFY(window.Active());
        window.accounts.setFocus();
        LinesWindow::Ctrl(Qt::Key_Z);
        QCOMPARE(window.accounts.FindById(5)->GetSubItem(5)->GetValue(), QStringLiteral("false"));
        QCOMPARE(window.accounts.FindById(5)->GetSubItem(4)->GetValue(), QStringLiteral("5090"));
    }

    // Ctrl+F filters the list the focus is in as the text is typed, the count showing; Enter
    // and F3 go to the next match, Shift+F3 to the previous; Escape shows every row again with
    // the current row kept. Another list is filtered once the focus was in it.
    void findFiltersTheCurrentList()
    {
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        auto* tree = window.extens.findChild<QTreeView*>(QStringLiteral("propertyTree"));
        const auto shown = [tree](const CPropertyGridCtrl& grid) {
            QList<qint64> ids;
            for (int row = 0; row < grid.GetPropertyCount(); ++row) {
                if (!grid.findChild<QTreeView*>(QStringLiteral("propertyTree"))->isRowHidden(row, {}))
                    ids << grid.GetProperty(row)->GetData();
            }
            return ids;
        };
        ClickRow(window.extens, 0);
        LinesWindow::Ctrl(Qt::Key_F);
        auto* bar = window.Find("findBar");
        auto* text = window.Find<QLineEdit>("editFind");
        QVERIFY(bar->isVisible());
        QCOMPARE(QApplication::focusWidget(), text);
        QTest::keyClicks(text, QStringLiteral("p800"));
        QCOMPARE(window.Find<QLabel>("labelFindCount")->text(), QStringLiteral("5 / 5"));
        QTest::keyClick(text, Qt::Key_4);
        QCOMPARE(window.Find<QLabel>("labelFindCount")->text(), QStringLiteral("1 / 5"));
        QCOMPARE(shown(window.extens), QList<qint64>{8004});
        QCOMPARE(window.extens.GetCurSel()->GetData(), 8004);

        QTest::keyClick(text, Qt::Key_Backspace);
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(window.extens.GetCurSel()->GetData(), 8005);
        QTest::keyClick(text, Qt::Key_F3);
        QCOMPARE(window.extens.GetCurSel()->GetData(), 8001);
        QTest::keyClick(text, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(window.extens.GetCurSel()->GetData(), 8005);
        QCOMPARE(QApplication::focusWidget(), text);
        // Tab follows the bar: the box, 上一个, 下一个; Enter presses the button with the focus,
        // and Escape from a button closes the bar too.
        QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.Find("btnFindPrevious"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.Find("btnFindNext"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(window.extens.GetCurSel()->GetData(), 8001);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(window.extens.GetCurSel()->GetData(), 8005);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        LinesWindow::Ctrl(Qt::Key_F);
        QCOMPARE(text->text(), QStringLiteral("p800"));

        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QCOMPARE(shown(window.extens), (QList<qint64>{8001, 8002, 8003, 8004, 8005}));
        QCOMPARE(window.extens.GetCurSel()->GetData(), 8005);
        QCOMPARE(QApplication::focusWidget(), tree);
        QVERIFY(!window.LinesMarked());

        // Any field of a record: an address finds its account.
        ClickRow(window.accounts, 0);
        LinesWindow::Ctrl(Qt::Key_F);
        QCOMPARE(text->selectedText(), QStringLiteral("p800"));
        QTest::keyClicks(text, QStringLiteral("10.0.0.5"));
        QCOMPARE(window.Find<QLabel>("labelFindCount")->text(), QStringLiteral("1 / 2"));
        QCOMPARE(shown(window.accounts), QList<qint64>{5});
        QCOMPARE(shown(window.extens).size(), 5);
    }

    // What a filter hides is still saved, in the order the save without a filter writes.
    void aFilteredListSavesWhole()
    {
        const Texts unfiltered = SavedByHand([](LinesWindow& window) {
            return EditValue(window.extens, window.extens.FindById(8003), QStringLiteral("新"));
        });
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.extens.setFocus();
        window.Trigger("actionFind");
        QTest::keyClicks(window.Find<QLineEdit>("editFind"), QStringLiteral("8003"));
        QVERIFY(EditValue(window.extens, window.extens.FindById(8003), QStringLiteral("新")));
        window.Click("btnSave");
        QCOMPARE(messages.Texts(), Texts{"线路配置信息保存成功"});
        QCOMPARE(Extensions(), unfiltered);
    }

    // On a settings page find marks the fields whose label, key or value holds the text and
    // brings the first into view, the focus staying in the bar; Escape takes the marks away
    // and puts the focus in the field gone to.
    void findJumpsToSettings()
    {
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.Click("btnSys");
        window.Trigger("actionFind");
        auto* text = window.Find<QLineEdit>("editFind");
        const QColor plain = window.Find("editCtiPort")->palette().color(QPalette::Base);
        for (const QChar c : QStringLiteral("CTI端口"))
            QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(window.Find<QLabel>("labelFindCount")->text().section(QLatin1Char(' '), 0, 0),
                 QStringLiteral("1"));
        QVERIFY(window.Find("editCtiPort")->palette().color(QPalette::Base) != plain);
        QCOMPARE(QApplication::focusWidget(), text);
        text->clear();
        QTest::keyClicks(text, QStringLiteral("ctiaddr"));
        QVERIFY(window.Find("editCtiPort")->palette().color(QPalette::Base) == plain);
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(window.Find("ipCtiAddr")->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == window.Find("ipCtiAddr"));
        QVERIFY(window.Find("ipCtiAddr")->palette().color(QPalette::Base) == plain);
    }

    // Find works on every page: a setting's key marks its field on the middleware page and
    // on each device page; on the middleware page the IVR flow list is filtered once the
    // focus was in it.
    void findOnEveryPage_data()
    {
        QTest::addColumn<int>("devType");
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("key");
        QTest::newRow("middleware") << 0 << QStringLiteral("btnSys") << QStringLiteral("CtiPort");
        QTest::newRow("IPO") << 0 << QStringLiteral("btnDev") << QStringLiteral("IpoLinkPort");
        QTest::newRow("eHang") << 1 << QStringLiteral("btnDev") << QStringLiteral("ScPort");
        QTest::newRow("FreeSWITCH") << 2 << QStringLiteral("btnDev") << QStringLiteral("FsEslPort");
    }
    void findOnEveryPage()
    {
        QFETCH(int, devType);
        QFETCH(QString, tile);
        QFETCH(QString, key);
        GetCfgData()->DevType = devType;
        GetCfgData()->IvrFlows = {"D:\\flows\\sales.xml", "D:\\flows\\night.xml", "D:\\flows\\sales2.xml"};
        MessageRecorder messages;
        LinesWindow window;
        QVERIFY(window.Open());
        window.Click(tile.toLatin1().constData());
        auto* field = window.Find((QStringLiteral("edit") + key).toLatin1().constData());
        QVERIFY(field && field->isVisible());
        const QColor plain = field->palette().color(QPalette::Base);
        window.Trigger("actionFind");
        QTest::keyClicks(window.Find<QLineEdit>("editFind"), key);
        QCOMPARE(window.Find<QLabel>("labelFindCount")->text().section(QLatin1Char(' '), 0, 0),
                 QStringLiteral("1"));
        QVERIFY(field->palette().color(QPalette::Base) != plain);
        QTest::keyClick(window.Find("editFind"), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), field);
        QVERIFY(field->palette().color(QPalette::Base) == plain);
        if (tile != QLatin1String("btnSys"))
            return;
        auto* flows = window.Find<QListWidget>("listFlows");
        flows->setFocus();
        window.Trigger("actionFind");
        QTest::keyClicks(window.Find<QLineEdit>("editFind"), QStringLiteral("sales"));
        QCOMPARE(window.Find<QLabel>("labelFindCount")->text(), QStringLiteral("2 / 3"));
        QVERIFY(flows->item(1)->isHidden());
        QTest::keyClick(window.Find("editFind"), Qt::Key_Escape);
        QVERIFY(!flows->item(1)->isHidden());
        QCOMPARE(QApplication::focusWidget(), flows);
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
