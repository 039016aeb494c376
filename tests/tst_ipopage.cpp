// The IPO page's line lists: rows split by type when loaded, runs of lines added with their
// messages and limits, rows deleted by selection, and the line table saved from the lists.
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CXListCtrl.h"
#include "pages/CDialogCfgIpo.h"
#include "support/FocusChain.h"
#include "support/MessageRecorder.h"
#include "support/PageHost.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

/// "value|name|value2" for each line.
QStringList Rows(const CXListCtrl& list)
{
    QStringList rows;
    for (int row = 0; row < list.rowCount(); ++row)
        rows << QStringList{list.GetItemText(row, 0), list.GetItemText(row, 1), list.GetItemText(row, 2)}
                    .join(QLatin1Char('|'));
    return rows;
}

QStringList Rows(const CIpoLineList& lines)
{
    QStringList rows;
    for (const auto& line : lines)
        rows << QString::fromStdString(line->value + '|' + line->name + '|' + line->value2);
    return rows;
}

void AddLines(CIpoLineList& lines, const QStringList& rows)
{
    for (const QString& row : rows) {
        const QStringList parts = row.split(QLatin1Char('|'));
        auto line = std::make_unique<tagIpoLine>();
        line->value = parts[0].toStdString();
        line->name = parts[1].toStdString();
        line->value2 = parts[2].toStdString();
        lines.AddTail(std::move(line));
    }
}

/// The rows a run gives: lines `first` on, of `type`, VS lines from `channel` on (none when negative).
QStringList Run(qint64 first, int count, const char* type, qint64 channel = -1)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << QStringLiteral("%1|%2|%3")
                    .arg(first + i)
                    .arg(QString::fromLatin1(type))
                    .arg(channel < 0 ? QString() : QString::number(channel + i));
    return rows;
}

struct IpoWindow : PageHost
{
    IpoWindow() { Place(new CDialogCfgIpo(*GetCfgData(), &dialog), QSize(560, 700), QRect(0, 0, 540, 680)); }

    template <class T = QWidget> T* Find(const QString& name) const { return Control<T>(name); }
    CXListCtrl* List(const QString& which) const
    {
        return Find<CXListCtrl>(QStringLiteral("list%1Lines").arg(which));
    }
    QLineEdit* Box(const QString& which, const char* box) const
    {
        return Find<QLineEdit>(QStringLiteral("edit%1%2").arg(which, QLatin1String(box)));
    }
    /// Fills the boxes of a run in the section `which` ("Ext" or "Trunk") and presses its add button.
    void AddRun(const QString& which, const QString& start, const QString& type, const QString& channel,
                const QString& count) const
    {
        Box(which, "Start")->setText(start);
        auto* combo = Find<QComboBox>(QStringLiteral("combo%1Type").arg(which));
        combo->setCurrentIndex(combo->findText(type));
        QCOMPARE(combo->currentText(), type);
        Box(which, "Channel")->setText(channel);
        Box(which, "Count")->setText(count);
        QTest::mouseClick(Find(QStringLiteral("btnAdd%1Lines").arg(which)), Qt::LeftButton);
    }
    void SelectRows(const QString& which, const QList<int>& rows) const
    {
        CXListCtrl* list = List(which);
        list->clearSelection();
        for (int row : rows) {
            const QPoint cell = list->visualRect(list->model()->index(row, 1)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, cell);
        }
    }
};

} // namespace

class TestIpoPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<MessageRecorder> m_messages;

private Q_SLOTS:
    void init()
    {
        *GetCfgData() = CCfgData();
        m_messages = std::make_unique<MessageRecorder>();
    }
    void cleanup()
    {
        m_messages.reset();
        *GetCfgData() = CCfgData();
    }

    void listsAndTypes()
    {
        IpoWindow window;
        QVERIFY(window.Show());
        for (const char* which : {"Ext", "Trunk"}) {
            const CXListCtrl* list = window.List(QString::fromLatin1(which));
            QCOMPARE(list->columnCount(), 3);
            QStringList headings;
            for (int column = 0; column < 3; ++column)
                headings << list->horizontalHeaderItem(column)->text();
            QCOMPARE(headings, (QStringList{QStringLiteral("线路号"), QStringLiteral("线路类型"),
                                            QStringLiteral("关联VS线路")}));
            QVERIFY(list->showGrid());
            QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
            QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
            QCOMPARE(list->rowCount(), 0);
        }
        const auto items = [&window](const char* combo) {
            const auto* box = window.Find<QComboBox>(QString::fromLatin1(combo));
            QStringList texts;
            for (int item = 0; item < box->count(); ++item)
                texts << box->itemText(item);
            return texts.join(QLatin1Char(',')) + QLatin1Char('/') + box->currentText();
        };
        QCOMPARE(items("comboExtType"), QStringLiteral("EXT,IVR,FAX/EXT"));
        QCOMPARE(items("comboTrunkType"), QStringLiteral("DT,H323,SIP/DT"));
        QVERIFY(!window.Find<QComboBox>(QStringLiteral("comboExtType"))->isEditable());
    }

    void loadingSplitsTheRowsByTheirExactType()
    {
        AddLines(GetCfgData()->IpoLines,
                 {QStringLiteral("1|DT|"), QStringLiteral("201|EXT|1"), QStringLiteral("202|ext|2"),
                  QStringLiteral("210|IVR|3"), QStringLiteral("211| IVR|4"), QStringLiteral("2|SIP|"),
                  QStringLiteral("220|FAX|"), QStringLiteral("221|FAX |"), QStringLiteral("3||"),
                  QStringLiteral("201|EXT|9")});
        IpoWindow window;
        QCOMPARE(Rows(*window.List(QStringLiteral("Ext"))),
                 (QStringList{QStringLiteral("201|EXT|1"), QStringLiteral("210|IVR|3"),
                              QStringLiteral("220|FAX|"), QStringLiteral("201|EXT|9")}));
        QCOMPARE(
            Rows(*window.List(QStringLiteral("Trunk"))),
            (QStringList{QStringLiteral("1|DT|"), QStringLiteral("202|ext|2"), QStringLiteral("211| IVR|4"),
                         QStringLiteral("2|SIP|"), QStringLiteral("221|FAX |"), QStringLiteral("3||")}));
    }

    void runs_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("channel");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("after");

        const QString ext = QStringLiteral("Ext");
        const QString trunk = QStringLiteral("Trunk");
        const QStringList none;
        const QString ok;
        const auto refused = [](const char* text, const char* box) {
            return std::pair{QString::fromUtf8(text), QString::fromLatin1(box)};
        };
        const auto noStart = refused("请输入起始分机线路号!", "editExtStart");
        const auto extCount = refused("分机线路数需在1至99之间！", "editExtCount");
        const auto extLine = refused("分机线路号需在1至4294967295之间！", "editExtStart");
        const auto extChannel = refused("关联通道号需在0至4294967295之间！", "editExtChannel");
        const auto noTrunkStart = refused("请输入起始中继线路号!", "editTrunkStart");
        const auto dtCount = refused("数字中继线路数需在1至30之间！", "editTrunkCount");
        const auto ipCount = refused("H323/SIP中继线路数不能超过999！", "editTrunkCount");
        const auto trunkLine = refused("中继线路号需在-2147483648至2147483647之间！", "editTrunkStart");
        const auto trunkChannel = refused("关联通道号需在0至4294967295之间！", "editTrunkChannel");
        const auto add = [](const char* name, const QString& which, const QStringList& before,
                            const char* start, const char* type, const char* channel, const char* count,
                            const std::pair<QString, QString>& outcome, const QStringList& after) {
            QTest::newRow(name) << which << before << QString::fromLatin1(start) << QString::fromLatin1(type)
                                << QString::fromLatin1(channel) << QString::fromLatin1(count) << outcome.first
                                << outcome.second << after;
        };
        const std::pair<QString, QString> added{ok, QString()};
        const QStringList ivrRun = Run(5, 3, "IVR", 10);

        // Extension lines: the first line and the count.
        add("ext: first line empty", ext, none, "", "EXT", "", "3", noStart, none);
        add("ext: first line 0", ext, none, "0", "EXT", "", "3", noStart, none);
        add("ext: first line 000", ext, none, "000", "EXT", "", "3", noStart, none);
        add("ext: count empty", ext, none, "5", "EXT", "", "", extCount, none);
        add("ext: count 0", ext, none, "5", "EXT", "", "0", extCount, none);
        add("ext: count 100", ext, none, "5", "EXT", "", "100", extCount, none);
        add("ext: count beyond any number", ext, none, "5", "EXT", "", "99999999999999999999999", extCount,
            none);
        add("ext: count 1", ext, none, "5", "EXT", "", "1", added, {QStringLiteral("5|EXT|")});
        add("ext: count 99", ext, none, "1000", "FAX", "1", "99", added, Run(1000, 99, "FAX", 1));
        add("ext: leading zeros", ext, none, "007", "EXT", "", "2", added, Run(7, 2, "EXT"));
        // Runs over rows already listed.
        add("ext: run of IVR lines", ext, {QStringLiteral("1|EXT|1")}, "5", "IVR", "10", "3", added,
            QStringList{QStringLiteral("1|EXT|1")} + ivrRun);
        add("ext: again as FAX without channel", ext, ivrRun, "5", "FAX", "", "3", added, Run(5, 3, "FAX"));
        add("ext: listed lines keep their rows, new ones go to the end", ext,
            {QStringLiteral("1|EXT|"), QStringLiteral("6|IVR|60"), QStringLiteral("9|EXT|")}, "5", "EXT",
            "50", "3", added,
            {QStringLiteral("1|EXT|"), QStringLiteral("6|EXT|51"), QStringLiteral("9|EXT|"),
             QStringLiteral("5|EXT|50"), QStringLiteral("7|EXT|52")});
        add("ext: of two rows of a line the upper one", ext,
            {QStringLiteral("6|EXT|a"), QStringLiteral("6|IVR|b")}, "6", "FAX", "", "1", added,
            {QStringLiteral("6|FAX|"), QStringLiteral("6|IVR|b")});
        add("ext: line numbers compare as text", ext, {QStringLiteral("05|EXT|")}, "5", "EXT", "", "1", added,
            {QStringLiteral("05|EXT|"), QStringLiteral("5|EXT|")});
        // The largest line and VS line numbers.
        add("ext: up to the last line number", ext, none, "4294967293", "EXT", "", "3", added,
            Run(4294967293, 3, "EXT"));
        add("ext: one past the last line number", ext, none, "4294967294", "EXT", "", "3", extLine, none);
        add("ext: past the last line number", ext, none, "4294967295", "EXT", "", "3", extLine, none);
        add("ext: first line beyond any number", ext, none, "99999999999999999999", "EXT", "", "1", extLine,
            none);
        add("ext: channel 0", ext, none, "5", "EXT", "0", "2", added, Run(5, 2, "EXT", 0));
        add("ext: channel up to the last", ext, none, "5", "EXT", "4294967294", "2", added,
            Run(5, 2, "EXT", 4294967294));
        add("ext: channel past the last", ext, none, "5", "EXT", "4294967295", "2", extChannel, none);
        add("ext: channel one past the last", ext, none, "5", "EXT", "4294967294", "3", extChannel, none);

        // Trunk lines: the first line and the count by type.
        add("trunk: first line empty", trunk, none, "", "DT", "", "3", noTrunkStart, none);
        add("trunk: DT count empty", trunk, none, "1", "DT", "", "", dtCount, none);
        add("trunk: DT count 0", trunk, none, "1", "DT", "", "0", dtCount, none);
        add("trunk: DT count 31", trunk, none, "1", "DT", "", "31", dtCount, none);
        add("trunk: DT count 1", trunk, none, "1", "DT", "", "1", added, Run(1, 1, "DT"));
        add("trunk: DT count 30", trunk, none, "1", "DT", "1", "30", added, Run(1, 30, "DT", 1));
        add("trunk: SIP count 31", trunk, none, "1", "SIP", "", "31", added, Run(1, 31, "SIP"));
        add("trunk: H323 count 0 adds nothing", trunk, none, "1", "H323", "", "0", added, none);
        add("trunk: SIP count empty adds nothing", trunk, none, "1", "SIP", "", "", added, none);
        add("trunk: SIP count 999", trunk, none, "1", "SIP", "", "999", added, Run(1, 999, "SIP"));
        add("trunk: SIP count 1000", trunk, none, "1", "SIP", "", "1000", ipCount, none);
        add("trunk: SIP count 2000000000", trunk, none, "1", "SIP", "", "2000000000", ipCount, none);
        add("trunk: H323 count beyond any number", trunk, none, "1", "H323", "", "99999999999999999999",
            ipCount, none);
        // How the first line counts.
        add("trunk: 201", trunk, none, "201", "DT", "", "3", added, Run(201, 3, "DT"));
        add("trunk: 2.1 counts after the dot", trunk, none, "2.1", "H323", "", "3", added,
            {QStringLiteral("2.1|H323|"), QStringLiteral("2.2|H323|"), QStringLiteral("2.3|H323|")});
        add("trunk: 2.0 counts like 2", trunk, none, "2.0", "DT", "", "3", added, Run(2, 3, "DT"));
        add("trunk: 3.0 is 3", trunk, {QStringLiteral("3|DT|")}, "3.0", "SIP", "8", "1", added,
            {QStringLiteral("3|SIP|8")});
        add("trunk: no number counts from 0", trunk, none, "abc", "DT", "", "3", added, Run(0, 3, "DT"));
        add("trunk: negative", trunk, none, "-2", "DT", "", "3", added, Run(-2, 3, "DT"));
        add("trunk: spaces before the number", trunk, none, " 7", "DT", "", "2", added, Run(7, 2, "DT"));
        add("trunk: no number after the dot", trunk, none, "2.x", "DT", "", "2", added, Run(2, 2, "DT"));
        add("trunk: text after the numbers", trunk, none, "4.1abc", "DT", "", "2", added,
            {QStringLiteral("4.1|DT|"), QStringLiteral("4.2|DT|")});
        // Over listed rows, and rows of other types.
        add("trunk: overwrite", trunk, {QStringLiteral("2.1|DT|5"), QStringLiteral("2.2|DT|6")}, "2.1", "SIP",
            "", "2", added, {QStringLiteral("2.1|SIP|"), QStringLiteral("2.2|SIP|")});
        add("trunk: a row of another type is found too", trunk,
            {QStringLiteral("7||"), QStringLiteral("8|PRI|3")}, "8", "DT", "9", "1", added,
            {QStringLiteral("7||"), QStringLiteral("8|DT|9")});
        // The largest and smallest line numbers.
        add("trunk: up to the last line", trunk, none, "2147483645", "DT", "", "3", added,
            Run(2147483645, 3, "DT"));
        add("trunk: past the last line", trunk, none, "2147483646", "DT", "", "3", trunkLine, none);
        add("trunk: up to the last after the dot", trunk, none, "2.2147483646", "DT", "", "2", added,
            {QStringLiteral("2.2147483646|DT|"), QStringLiteral("2.2147483647|DT|")});
        add("trunk: past the last after the dot", trunk, none, "2.2147483647", "DT", "", "2", trunkLine,
            none);
        add("trunk: first line beyond any number", trunk, none, "99999999999", "DT", "", "1", trunkLine,
            none);
        add("trunk: after the dot beyond any number", trunk, none, "1.99999999999", "DT", "", "1", trunkLine,
            none);
        add("trunk: the smallest line", trunk, none, "-2147483648", "DT", "", "1", added,
            {QStringLiteral("-2147483648|DT|")});
        add("trunk: below the smallest line", trunk, none, "-2147483649", "DT", "", "1", trunkLine, none);
        add("trunk: channel past the last", trunk, none, "1", "SIP", "4294967295", "2", trunkChannel, none);
    }

    void runs()
    {
        QFETCH(QString, which);
        QFETCH(QStringList, before);
        QFETCH(QString, start);
        QFETCH(QString, type);
        QFETCH(QString, channel);
        QFETCH(QString, count);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QStringList, after);

        // A row in the other list too, which no run may touch.
        const QString other = which == QLatin1String("Ext") ? QStringLiteral("Trunk") : QStringLiteral("Ext");
        const QString otherRow =
            other == QLatin1String("Ext") ? QStringLiteral("801|EXT|1") : QStringLiteral("9|DT|");
        AddLines(GetCfgData()->IpoLines, before + QStringList{otherRow});
        IpoWindow window;
        QVERIFY(window.Show());
        window.AddRun(which, start, type, channel, count);

        if (message.isEmpty()) {
            QVERIFY(m_messages->Messages().empty());
        } else {
            QCOMPARE(m_messages->Texts(), std::vector<std::string>{message.toStdString()});
            const UserMessage& shown = m_messages->Messages().front();
            QCOMPARE(shown.caption, std::string("Tarvex"));
            QCOMPARE(shown.owner, window.page);
            QVERIFY(shown.buttons == MsgButtons::Ok && shown.icon == MsgIcon::None);
            QCOMPARE(FocusedControl(window.page), focus);
        }
        QCOMPARE(Rows(*window.List(which)), after);
        QCOMPARE(Rows(*window.List(other)), QStringList{otherRow});
        // The boxes keep what was typed.
        QCOMPARE(window.Box(which, "Start")->text(), start);
        QCOMPARE(window.Box(which, "Channel")->text(), channel);
        QCOMPARE(window.Box(which, "Count")->text(), count);
    }

    void deleteRemovesEverySelectedRowWithoutAQuestion_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("left");
        QTest::newRow("ext: none") << QStringLiteral("Ext") << QList<int>() << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("ext: one") << QStringLiteral("Ext") << QList<int>{2} << QList<int>{0, 1, 3, 4};
        QTest::newRow("ext: several") << QStringLiteral("Ext") << QList<int>{0, 2, 3} << QList<int>{1, 4};
        QTest::newRow("ext: all") << QStringLiteral("Ext") << QList<int>{0, 1, 2, 3, 4} << QList<int>();
        QTest::newRow("trunk: several") << QStringLiteral("Trunk") << QList<int>{1, 4} << QList<int>{0, 2, 3};
        QTest::newRow("trunk: all") << QStringLiteral("Trunk") << QList<int>{0, 1, 2, 3, 4} << QList<int>();
    }

    void deleteRemovesEverySelectedRowWithoutAQuestion()
    {
        QFETCH(QString, which);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, left);
        const QStringList ext = Run(201, 5, "EXT", 1);
        const QStringList trunk = Run(1, 5, "DT");
        AddLines(GetCfgData()->IpoLines, ext + trunk);
        IpoWindow window;
        QVERIFY(window.Show());
        window.SelectRows(which, selected);
        QTest::mouseClick(window.Find(QStringLiteral("btnDel%1Lines").arg(which)), Qt::LeftButton);
        const QStringList& all = which == QLatin1String("Ext") ? ext : trunk;
        QStringList expected;
        for (int row : left)
            expected << all[row];
        QCOMPARE(Rows(*window.List(which)), expected);
        QCOMPARE(Rows(*window.List(which == QLatin1String("Ext") ? QStringLiteral("Trunk")
                                                                 : QStringLiteral("Ext"))),
                 which == QLatin1String("Ext") ? trunk : ext);
        QVERIFY(m_messages->Messages().empty());
    }

    // Find shows the rows of the list the focus is in that hold the text; Ctrl+A and 删除 then
    // take only those, and closing the find shows the rest again.
    void aFilteredListDeletesOnlyWhatItShows()
    {
        const QStringList ext = Run(201, 5, "EXT", 1);
        AddLines(GetCfgData()->IpoLines, ext);
        IpoWindow window;
        QVERIFY(window.Show());
        CCfgDialog& page = *window.page;
        CXListCtrl& list = *window.List(QStringLiteral("Ext"));
        list.setFocus();
        const CCfgDialog::FindCount count = page.Find(QStringLiteral("20"));
        QCOMPARE(count.matches, 5);
        QCOMPARE(page.Find(QStringLiteral("|")).matches, 0);
        QCOMPARE(page.Find(QStringLiteral("203")).matches, 1);
        QCOMPARE(list.currentRow(), 2);
        page.Find(QStringLiteral("204"));
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
        QTest::mouseClick(window.Find(QStringLiteral("btnDelExtLines")), Qt::LeftButton);
        page.EndFind();
        QCOMPARE(Rows(list), (QStringList{ext[0], ext[1], ext[2], ext[4]}));
    }

    void savingStoresExtensionRowsThenTrunkRowsAsListed()
    {
        CCfgData& cfg = *GetCfgData();
        cfg.DevLinkIp = "10.1.2.3";
        cfg.DevLinkPwd = " secret pass ";
        cfg.IpoLinkPort = "50797";
        AddLines(cfg.IpoLines, {QStringLiteral("1|DT|"), QStringLiteral("201|EXT|1"), QStringLiteral("x||"),
                                QStringLiteral("210|IVR|3"), QStringLiteral("2|SIP|"),
                                QStringLiteral("201|EXT|1"), QStringLiteral("3|PRI|7")});
        IpoWindow window;
        QVERIFY(window.Show());
        // A click on a heading sorts what the list shows; the save keeps the order of adding.
        QHeaderView* headings = window.List(QStringLiteral("Trunk"))->horizontalHeader();
        QTest::mouseClick(headings->viewport(), Qt::LeftButton, {},
                          QPoint(headings->sectionViewportPosition(0) + 5, headings->height() / 2));
        QCOMPARE(window.List(QStringLiteral("Trunk"))->SortColumn(), 0);
        window.AddRun(QStringLiteral("Ext"), QStringLiteral("220"), QStringLiteral("FAX"), QString(),
                      QStringLiteral("1"));
        window.AddRun(QStringLiteral("Trunk"), QStringLiteral("1"), QStringLiteral("H323"),
                      QStringLiteral("4"), QStringLiteral("1"));
        CXListCtrl* trunk = window.List(QStringLiteral("Trunk"));
        QStringList shown;
        for (int row = 0; row < trunk->rowCount(); ++row)
            shown << trunk->GetItemText(row, 0);
        QCOMPARE(shown, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                     QStringLiteral("x")}));

        cfg = CCfgData();
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(cfg.DevLinkIp, std::string("10.1.2.3"));
        QCOMPARE(cfg.DevLinkPwd, std::string(" secret pass "));
        QCOMPARE(cfg.IpoLinkPort, std::string("50797"));
        QCOMPARE(Rows(cfg.IpoLines), (QStringList{QStringLiteral("201|EXT|1"), QStringLiteral("210|IVR|3"),
                                                  QStringLiteral("201|EXT|1"), QStringLiteral("220|FAX|"),
                                                  QStringLiteral("1|H323|4"), QStringLiteral("x||"),
                                                  QStringLiteral("2|SIP|"), QStringLiteral("3|PRI|7")}));
        // Saving again gives the same table: the store is replaced, not added to.
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(int(cfg.IpoLines.GetCount()), 8);
        QVERIFY(m_messages->Messages().empty());
    }

    void emptyListsSaveAnEmptyTable()
    {
        AddLines(GetCfgData()->IpoLines, Run(1, 3, "DT"));
        IpoWindow window;
        QVERIFY(window.Show());
        window.SelectRows(QStringLiteral("Trunk"), {0, 1, 2});
        QTest::mouseClick(window.Find(QStringLiteral("btnDelTrunkLines")), Qt::LeftButton);
        window.page->UpdateCfg(*GetCfgData());
        QVERIFY(GetCfgData()->IpoLines.IsEmpty());
    }
};

QTEST_MAIN(TestIpoPage)
#include "tst_ipopage.moc"
