// The three device pages as a user meets them: labels, headings and the kind of each field,
// filling from the store and saving back, the tab order, the focus on show, and Enter and
// Escape everywhere on the page.
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CIpAddressEdit.h"
#include "controls/CXListCtrl.h"
#include "pages/CDialogCfgEhang.h"
#include "pages/CDialogCfgFs.h"
#include "pages/CDialogCfgIpo.h"
#include "support/FocusChain.h"
#include "support/MessageRecorder.h"
#include "support/PageHost.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <map>
#include <memory>

namespace {

using Member = std::string CCfgData::*;

/// The text members of the device pages, by key.
const std::map<QString, Member>& DeviceMembers()
{
    static const std::map<QString, Member> members = {
        {QStringLiteral("ScAddr"), &CCfgData::ScAddr},
        {QStringLiteral("ScPort"), &CCfgData::ScPort},
        {QStringLiteral("McAddr"), &CCfgData::McAddr},
        {QStringLiteral("McPort"), &CCfgData::McPort},
        {QStringLiteral("DigTrunkCount"), &CCfgData::DigTrunkCount},
        {QStringLiteral("VoipTrunkCount"), &CCfgData::VoipTrunkCount},
        {QStringLiteral("VoipSignallingAddr"), &CCfgData::VoipSignallingAddr},
        {QStringLiteral("VoipMediaAddr"), &CCfgData::VoipMediaAddr},
        {QStringLiteral("FaxServerAddr"), &CCfgData::FaxServerAddr},
        {QStringLiteral("FaxServerPort"), &CCfgData::FaxServerPort},
        {QStringLiteral("DevLinkIp"), &CCfgData::DevLinkIp},
        {QStringLiteral("DevLinkPwd"), &CCfgData::DevLinkPwd},
        {QStringLiteral("IpoLinkPort"), &CCfgData::IpoLinkPort},
        {QStringLiteral("FsEslAddr"), &CCfgData::FsEslAddr},
        {QStringLiteral("FsEslPort"), &CCfgData::FsEslPort},
        {QStringLiteral("FsEslPwd"), &CCfgData::FsEslPwd},
        {QStringLiteral("FsIvrPort"), &CCfgData::FsIvrPort},
        {QStringLiteral("FsTrunkCount"), &CCfgData::FsTrunkCount},
        {QStringLiteral("FsExtContext"), &CCfgData::FsExtContext},
        {QStringLiteral("FsMeetingContext"), &CCfgData::FsMeetingContext},
        {QStringLiteral("FsPCallContext"), &CCfgData::FsPCallContext},
    };
    return members;
}

/// A field of a page: its control, label, kind and the store member it edits (none for the
/// boxes of the IPO line runs).
struct Field
{
    const char* page;
    const char* control;
    const char* label;
    const char* kind; // "address", "digits", "text" or "list"
    const char* member;
};

const Field kFields[] = {
    {"ehang", "ipScAddr", "监听地址：", "address", "ScAddr"},
    {"ehang", "editScPort", "监听端口：", "digits", "ScPort"},
    {"ehang", "ipMcAddr", "MC地址：", "address", "McAddr"},
    {"ehang", "editMcPort", "MC端口：", "digits", "McPort"},
    {"ehang", "editDigTrunkCount", "数字中继容量：", "digits", "DigTrunkCount"},
    {"ehang", "editVoipTrunkCount", "VOIP中继容量：", "digits", "VoipTrunkCount"},
    {"ehang", "ipVoipSignallingAddr", "VOIP信令地址：", "address", "VoipSignallingAddr"},
    {"ehang", "ipVoipMediaAddr", "VOIP媒体地址：", "address", "VoipMediaAddr"},
    {"ehang", "ipFaxServerAddr", "传真服务器地址：", "address", "FaxServerAddr"},
    {"ehang", "editFaxServerPort", "传真服务器端口：", "digits", "FaxServerPort"},
    {"ipo", "ipDevLinkIp", "设备地址：", "address", "DevLinkIp"},
    {"ipo", "editDevLinkPwd", "接入口令：", "text", "DevLinkPwd"},
    {"ipo", "editIpoLinkPort", "IPOLink端口：", "digits", "IpoLinkPort"},
    {"ipo", "editExtStart", "起始线路：", "digits", ""},
    {"ipo", "comboExtType", "类型：", "list", ""},
    {"ipo", "editExtChannel", "关联通道：", "digits", ""},
    {"ipo", "editExtCount", "数量：", "digits", ""},
    {"ipo", "editTrunkStart", "起始线路：", "text", ""},
    {"ipo", "comboTrunkType", "类型：", "list", ""},
    {"ipo", "editTrunkChannel", "关联通道：", "digits", ""},
    {"ipo", "editTrunkCount", "数量：", "digits", ""},
    {"fs", "ipFsEslAddr", "设备地址：", "address", "FsEslAddr"},
    {"fs", "editFsEslPort", "设备端口：", "digits", "FsEslPort"},
    {"fs", "editFsEslPwd", "接入口令：", "text", "FsEslPwd"},
    {"fs", "editFsIvrPort", "IVR端口：", "digits", "FsIvrPort"},
    {"fs", "editFsTrunkCount", "中继通道数量：", "digits", "FsTrunkCount"},
    {"fs", "editFsExtContext", "分机流程：", "text", "FsExtContext"},
    {"fs", "editFsMeetingContext", "会议流程：", "text", "FsMeetingContext"},
    {"fs", "editFsPCallContext", "预测呼叫流程：", "text", "FsPCallContext"},
};

/// A store in which every device member has a text of its own: addresses, one of them a
/// host name, and texts with spaces.
void FillStore(CCfgData& cfg)
{
    int n = 0;
    for (const auto& [key, member] : DeviceMembers())
        cfg.*member = key.contains(QLatin1String("Addr")) || key.endsWith(QLatin1String("Ip"))
                          ? "10.0.0." + std::to_string(++n)
                          : key.toStdString() + " value";
    cfg.McAddr = "mc.example";
    cfg.FsEslPwd = " esl secret ";
    cfg.DevLinkPwd = "pass word";
    cfg.ScPort = "";
    cfg.FaxServerPort = "9100";
}

/// A page of one device kind in the main window's frame.
struct PageWindow : PageHost
{
    explicit PageWindow(const QString& kind)
    {
        CCfgDialog* made = nullptr;
        if (kind == QLatin1String("ehang"))
            made = new CDialogCfgEhang(*GetCfgData(), &dialog);
        else if (kind == QLatin1String("ipo"))
            made = new CDialogCfgIpo(*GetCfgData(), &dialog);
        else
            made = new CDialogCfgFs(*GetCfgData(), &dialog);
        Place(made, QSize(560, 480), QRect(10, 10, 520, 440));
    }

    /// Everything the user can see change on the page.
    QStringList State() const
    {
        QStringList state;
        for (const auto* address : page->findChildren<CIpAddressEdit*>())
            state << address->objectName() + QLatin1Char('=') + address->Address();
        for (const auto* edit : page->findChildren<QLineEdit*>())
            state << edit->objectName() + QLatin1Char('=') + edit->text();
        for (const auto* combo : page->findChildren<QComboBox*>())
            state << combo->objectName() + QLatin1Char('=') + combo->currentText();
        for (const auto* list : page->findChildren<CXListCtrl*>()) {
            for (int row = 0; row < list->rowCount(); ++row)
                state << list->objectName() + QLatin1Char('=') + list->GetItemText(row, 0) +
                             QLatin1Char('|') + list->GetItemText(row, 1) + QLatin1Char('|') +
                             list->GetItemText(row, 2);
        }
        return state;
    }
};

QStringList Texts(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

} // namespace

class TestDevicePages : public QObject
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
        QVERIFY(m_messages->Messages().empty());
        m_messages.reset();
        *GetCfgData() = CCfgData();
    }

    void everyFieldHasItsLabelAndKind_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("kind");
        for (const Field& field : kFields)
            QTest::addRow("%s %s", field.page, field.control)
                << QString::fromLatin1(field.page) << QString::fromLatin1(field.control)
                << QString::fromUtf8(field.label) << QString::fromLatin1(field.kind);
    }

    void everyFieldHasItsLabelAndKind()
    {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QString, label);
        QFETCH(QString, kind);
        PageWindow window(page);
        QVERIFY(window.Show());
        QWidget* field = window.Control(control);
        QVERIFY(field);
        QList<QLabel*> captions;
        for (QLabel* caption : window.page->findChildren<QLabel*>()) {
            if (caption->buddy() == field)
                captions << caption;
        }
        QCOMPARE(captions.size(), 1);
        const QLabel* caption = captions.front();
        QCOMPARE(caption->text(), label);
        // Left of its field, on the same line, whole.
        const QRect labelRect(caption->mapTo(window.page, QPoint()), caption->size());
        const QRect fieldRect(field->mapTo(window.page, QPoint()), field->size());
        QVERIFY(labelRect.right() < fieldRect.left());
        QVERIFY(labelRect.top() < fieldRect.bottom() && fieldRect.top() < labelRect.bottom());
        QVERIFY(caption->sizeHint().width() <= caption->width());

        if (kind == QLatin1String("address")) {
            QVERIFY(qobject_cast<CIpAddressEdit*>(field));
        } else if (kind == QLatin1String("list")) {
            QVERIFY(!qobject_cast<QComboBox*>(field)->isEditable());
        } else {
            auto* edit = qobject_cast<QLineEdit*>(field);
            QVERIFY(edit);
            QCOMPARE(edit->echoMode(), QLineEdit::Normal);
            QVERIFY(edit->hasFrame());
            edit->clear();
            edit->setFocus();
            QTest::keyClicks(edit, QStringLiteral("1a 2.x3"));
            QCOMPARE(edit->text(),
                     kind == QLatin1String("digits") ? QStringLiteral("123") : QStringLiteral("1a 2.x3"));
        }
    }

    void headings_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QStringList>("groups");
        QTest::newRow("ehang") << QStringLiteral("ehang") << Texts({"毅航：", "线路容量设置：", "传真设置："})
                               << QStringList();
        QTest::newRow("ipo") << QStringLiteral("ipo") << Texts({"IPO：", "DevLink设置：", "线路设置："})
                             << Texts({"分机线路:", "中继线路:"});
        QTest::newRow("fs") << QStringLiteral("fs") << Texts({"FreeSWITCH:", "连接设置：", "环境设置："})
                            << QStringList();
    }

    void headings()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, headings);
        QFETCH(QStringList, groups);
        PageWindow window(page);
        QVERIFY(window.Show());
        // The labels that name no field, top to bottom.
        QList<QLabel*> free;
        QList<QLabel*> captions;
        for (QLabel* label : window.page->findChildren<QLabel*>()) {
            if (qobject_cast<CIpAddressEdit*>(label->parentWidget()))
                continue;
            (label->buddy() ? captions : free) << label;
        }
        const auto top = [&window](const QWidget* widget) {
            return widget->mapTo(window.page, QPoint()).y();
        };
        const auto left = [&window](const QWidget* widget) {
            return widget->mapTo(window.page, QPoint()).x();
        };
        // By rows, and within a row from the left.
        const auto middle = [&top](const QWidget* widget) { return top(widget) + widget->height() / 2; };
        std::stable_sort(free.begin(), free.end(), [&](const QLabel* a, const QLabel* b) {
            return std::abs(middle(a) - middle(b)) > 4 ? middle(a) < middle(b) : left(a) < left(b);
        });
        QStringList shown;
        for (const QLabel* label : free)
            shown << label->text();
        QCOMPARE(shown, headings);
        // The page's heading stands at the left of the first row.
        const QLabel* heading = free.front();
        for (const QLabel* label : free + captions) {
            if (label == heading)
                continue;
            QVERIFY2(left(heading) + heading->width() <= left(label), qPrintable(label->text()));
            QVERIFY(top(heading) <= top(label) + label->height() / 2);
        }
        QStringList titles;
        for (const QGroupBox* group : window.page->findChildren<QGroupBox*>())
            titles << group->title();
        QCOMPARE(titles, groups);
    }

    void fillsFromTheStoreAndSavesOnlyItsOwnMembers_data()
    {
        QTest::addColumn<QString>("page");
        for (const char* page : {"ehang", "ipo", "fs"})
            QTest::newRow(page) << QString::fromLatin1(page);
    }

    void fillsFromTheStoreAndSavesOnlyItsOwnMembers()
    {
        QFETCH(QString, page);
        CCfgData& cfg = *GetCfgData();
        FillStore(cfg);
        CCfgData original;
        FillStore(original);
        PageWindow window(page);
        QVERIFY(window.Show());
        QStringList own;
        for (const Field& field : kFields) {
            if (QLatin1String(field.page) != page || !*field.member)
                continue;
            own << QString::fromLatin1(field.member);
            const std::string stored = original.*DeviceMembers().at(QString::fromLatin1(field.member));
            QWidget* control = window.Control(QString::fromLatin1(field.control));
            if (auto* address = qobject_cast<CIpAddressEdit*>(control))
                QCOMPARE(address->Address().toStdString(), stored);
            else
                QCOMPARE(qobject_cast<QLineEdit*>(control)->text().toStdString(), stored);
        }

        // Every member the page does not show stays as it is; its own come back unchanged.
        for (const auto& [key, member] : DeviceMembers())
            cfg.*member = "changed";
        window.page->UpdateCfg(*GetCfgData());
        for (const auto& [key, member] : DeviceMembers())
            QCOMPARE(cfg.*member, own.contains(key) ? original.*member : std::string("changed"));
    }

    void typedTextsAreSavedAsTyped_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("typed");
        for (const Field& field : kFields) {
            if (!*field.member || QLatin1String(field.kind) == QLatin1String("address"))
                continue;
            const QString typed = QLatin1String(field.kind) == QLatin1String("digits")
                                      ? QStringLiteral("00123")
                                      : QStringLiteral(" a b  c ");
            QTest::addRow("%s", field.control)
                << QString::fromLatin1(field.page) << QString::fromLatin1(field.control)
                << QString::fromLatin1(field.member) << typed;
            QTest::addRow("%s emptied", field.control)
                << QString::fromLatin1(field.page) << QString::fromLatin1(field.control)
                << QString::fromLatin1(field.member) << QString();
        }
    }

    void typedTextsAreSavedAsTyped()
    {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QString, member);
        QFETCH(QString, typed);
        FillStore(*GetCfgData());
        PageWindow window(page);
        QVERIFY(window.Show());
        auto* edit = window.Control<QLineEdit>(control);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(GetCfgData()->*DeviceMembers().at(member), typed.toStdString());
    }

    void addressesAreSavedAsTheFieldGivesThem()
    {
        FillStore(*GetCfgData());
        PageWindow window(QStringLiteral("ehang"));
        QVERIFY(window.Show());
        // The host name is kept untouched; a typed address replaces it.
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(GetCfgData()->McAddr, std::string("mc.example"));
        window.Control(QStringLiteral("ipMcAddr"))->setFocus();
        for (const QChar key : QStringLiteral("172.16.0.1"))
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(GetCfgData()->McAddr, std::string("172.16.0.1"));
    }

    void tabOrder_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("ehang") << QStringLiteral("ehang")
                               << Texts({"ipScAddr", "editScPort", "ipMcAddr", "editMcPort",
                                         "editDigTrunkCount", "editVoipTrunkCount", "ipVoipSignallingAddr",
                                         "ipVoipMediaAddr", "ipFaxServerAddr", "editFaxServerPort"});
        QTest::newRow("ipo") << QStringLiteral("ipo")
                             << Texts({"ipDevLinkIp", "editDevLinkPwd", "editIpoLinkPort", "listExtLines",
                                       "editExtStart", "comboExtType", "editExtChannel", "editExtCount",
                                       "btnAddExtLines", "btnDelExtLines", "listTrunkLines", "editTrunkStart",
                                       "comboTrunkType", "editTrunkChannel", "editTrunkCount",
                                       "btnAddTrunkLines", "btnDelTrunkLines"});
        QTest::newRow("fs") << QStringLiteral("fs")
                            << Texts({"ipFsEslAddr", "editFsEslPort", "editFsEslPwd", "editFsIvrPort",
                                      "editFsTrunkCount", "editFsExtContext", "editFsMeetingContext",
                                      "editFsPCallContext"});
    }

    void tabOrder()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, order);
        PageWindow window(page);
        QVERIFY(window.Show());
        // Tab follows the screen: top to bottom, left to right within a row.
        QCOMPARE(ScreenOrder(window.page), order);
        window.Control(order.front())->setFocus();
        const int steps = int(order.size()) - 1;
        QCOMPARE(WalkFocus(window.page, Qt::Key_Tab, steps), order);
        QStringList backward = WalkFocus(window.page, Qt::Key_Backtab, steps);
        std::reverse(backward.begin(), backward.end());
        QCOMPARE(backward, order);
        QCOMPARE(TabStops(window.page), QSet<QString>(order.begin(), order.end()));
    }

    void showingThePageFocusesItsFirstField_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("first");
        QTest::newRow("ehang") << QStringLiteral("ehang") << QStringLiteral("ipScAddr");
        QTest::newRow("ipo") << QStringLiteral("ipo") << QStringLiteral("ipDevLinkIp");
        QTest::newRow("fs") << QStringLiteral("fs") << QStringLiteral("ipFsEslAddr");
    }

    void showingThePageFocusesItsFirstField()
    {
        QFETCH(QString, page);
        QFETCH(QString, first);
        PageWindow window(page);
        QVERIFY(window.Show());
        QCOMPARE(FocusedControl(window.page), first);
        QCOMPARE(QApplication::focusWidget(),
                 window.Control(first)->findChild<QWidget*>(QStringLiteral("ipPart0")));
        // Shown again, the page gives the focus back to where it was, and shows it.
        QLineEdit* last = window.page->findChildren<QLineEdit*>().back();
        last->setFocus();
        window.page->findChild<QScrollBar*>()->triggerAction(QAbstractSlider::SliderToMinimum);
        window.page->hide();
        window.page->show();
        QCOMPARE(QApplication::focusWidget(), last);
        QVERIFY(InView(window.page, last));
    }

    void enterAndEscapeInEveryInputBoxChangeNothing_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("key");
        for (const char* page : {"ehang", "ipo", "fs"}) {
            QTest::addRow("%s, Return", page) << QString::fromLatin1(page) << int(Qt::Key_Return);
            QTest::addRow("%s, Enter", page) << QString::fromLatin1(page) << int(Qt::Key_Enter);
            QTest::addRow("%s, Escape", page) << QString::fromLatin1(page) << int(Qt::Key_Escape);
        }
    }

    void enterAndEscapeInEveryInputBoxChangeNothing()
    {
        QFETCH(QString, page);
        QFETCH(int, key);
        FillStore(*GetCfgData());
        GetCfgData()->IpoLines.AddTail(std::make_unique<tagIpoLine>(tagIpoLine{"201", "EXT", "1"}));
        PageWindow window(page);
        auto* defaultButton = new QPushButton(QStringLiteral("OK"), &window.dialog);
        defaultButton->setDefault(true);
        QObject::connect(defaultButton, &QPushButton::clicked, &window.dialog, &QDialog::accept);
        QVERIFY(window.Show());
        // Boxes with a run in them, so that a press of a button would show.
        for (const char* box : {"editExtStart", "editExtCount", "editTrunkStart", "editTrunkCount"}) {
            if (auto* edit = window.Control<QLineEdit>(QString::fromLatin1(box)))
                edit->setText(QStringLiteral("3"));
        }
        QSignalSpy finished(&window.dialog, &QDialog::finished);
        const QStringList before = window.State();
        int boxes = 0;
        for (QWidget* widget : window.page->findChildren<QWidget*>()) {
            // A field that hands its focus on is tried through the control it hands it to.
            if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisible() || widget->focusProxy() ||
                qobject_cast<QAbstractButton*>(widget))
                continue;
            ++boxes;
            widget->setFocus();
            QTest::keyClick(widget, Qt::Key(key));
            QVERIFY2(window.page->isVisible() && finished.isEmpty(), qPrintable(widget->objectName()));
            QCOMPARE(window.State(), before);
            QCOMPARE(QApplication::focusWidget(), widget);
        }
        QVERIFY(boxes >= 8);
        QVERIFY(m_messages->Messages().empty());
    }

    void enterOnAFocusedButtonPressesIt_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("extRows");
        QTest::addColumn<QStringList>("trunkRows");
        const QStringList ext = {QStringLiteral("201")};
        const QStringList trunk = {QStringLiteral("1")};
        const QStringList extAdded = ext + QStringList{QStringLiteral("5"), QStringLiteral("6")};
        const QStringList trunkAdded = trunk + QStringList{QStringLiteral("7"), QStringLiteral("8")};
        for (const auto& [name, key] : {std::pair{"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter}}) {
            QTest::addRow("add extension lines, %s", name)
                << QStringLiteral("btnAddExtLines") << int(key) << extAdded << trunk;
            QTest::addRow("delete extension lines, %s", name)
                << QStringLiteral("btnDelExtLines") << int(key) << QStringList() << trunk;
            QTest::addRow("add trunk lines, %s", name)
                << QStringLiteral("btnAddTrunkLines") << int(key) << ext << trunkAdded;
            QTest::addRow("delete trunk lines, %s", name)
                << QStringLiteral("btnDelTrunkLines") << int(key) << ext << QStringList();
        }
        for (const char* button :
             {"btnAddExtLines", "btnDelExtLines", "btnAddTrunkLines", "btnDelTrunkLines"})
            QTest::addRow("%s, Escape", button)
                << QString::fromLatin1(button) << int(Qt::Key_Escape) << ext << trunk;
    }

    void enterOnAFocusedButtonPressesIt()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QStringList, extRows);
        QFETCH(QStringList, trunkRows);
        GetCfgData()->IpoLines.AddTail(std::make_unique<tagIpoLine>(tagIpoLine{"201", "EXT", "1"}));
        GetCfgData()->IpoLines.AddTail(std::make_unique<tagIpoLine>(tagIpoLine{"1", "DT", ""}));
        PageWindow window(QStringLiteral("ipo"));
        QVERIFY(window.Show());
        window.Control<QLineEdit>(QStringLiteral("editExtStart"))->setText(QStringLiteral("5"));
        window.Control<QLineEdit>(QStringLiteral("editExtCount"))->setText(QStringLiteral("2"));
        window.Control<QLineEdit>(QStringLiteral("editTrunkStart"))->setText(QStringLiteral("7"));
        window.Control<QLineEdit>(QStringLiteral("editTrunkCount"))->setText(QStringLiteral("2"));
        for (const char* list : {"listExtLines", "listTrunkLines"})
            window.Control<CXListCtrl>(QString::fromLatin1(list))->selectRow(0);
        QWidget* target = window.Control(button);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        const auto lines = [&window](const char* list) {
            const auto* rows = window.Control<CXListCtrl>(QString::fromLatin1(list));
            QStringList numbers;
            for (int row = 0; row < rows->rowCount(); ++row)
                numbers << rows->GetItemText(row, 0);
            return numbers;
        };
        QCOMPARE(lines("listExtLines"), extRows);
        QCOMPARE(lines("listTrunkLines"), trunkRows);
        QVERIFY(window.page->isVisible());
    }
};

QTEST_MAIN(TestDevicePages)
#include "tst_devicepages.moc"
