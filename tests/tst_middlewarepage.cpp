// The middleware page: its form, filling it from the store, copying it back, the flow list
// and the keyboard focus.
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CBrowseEdit.h"
#include "controls/CFileChooser.h"
#include "controls/CIpAddressEdit.h"
#include "pages/CDialogCfgSys.h"
#include "support/FocusChain.h"
#include "support/MessageRecorder.h"
#include "support/PageHost.h"
#include "support/TestSettings.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <memory>

Q_DECLARE_METATYPE(CBrowseEdit::Mode)

namespace {

/// A store in which every middleware member has a value of its own.
void FillStore(CCfgData& cfg)
{
    cfg.CtiAddr = "10.20.30.40";
    cfg.CtiPort = "9001";
    cfg.RecType = 1;
    cfg.RecPath = "/srv/录音";
    cfg.DevType = 2;
    cfg.AcdPort = "9002";
    cfg.AgentLockedPeriod = "15";
    cfg.PPType = 1;
    cfg.PPTime = "30";
    cfg.QueueType = 1;
    cfg.LeaveWordPath = "/srv/留言";
    cfg.IvrFlowCount = "7";
    cfg.IvrFlows = {"/srv/ivr/main.flow", "/srv/ivr/夜间.flow", "/srv/ivr/Main.flow"};
    cfg.LogPath = "/var/log/cti";
    cfg.CallConcurrency = "64";
    cfg.TtsType = 3;
    cfg.TtsBufferPath = "/srv/tts";
}

int& IndexMember(CCfgData& cfg, const QString& combo)
{
    if (combo == QLatin1String("comboRecType"))
        return cfg.RecType;
    if (combo == QLatin1String("comboDevType"))
        return cfg.DevType;
    if (combo == QLatin1String("comboPPType"))
        return cfg.PPType;
    if (combo == QLatin1String("comboQueueType"))
        return cfg.QueueType;
    return cfg.TtsType;
}

/// The main window's frame with the page in it.
struct PageWindow : PageHost
{
    PageWindow()
    {
        Place(new CDialogCfgSys(*GetCfgData(), &dialog), QSize(720, 480), QRect(10, 10, 680, 440));
    }

    QLineEdit* Edit(const char* name) const { return Control<QLineEdit>(QString::fromLatin1(name)); }
    QListWidget* Flows() const { return Control<QListWidget>(QStringLiteral("listFlows")); }
    QStringList FlowTexts() const
    {
        QStringList texts;
        for (int row = 0; row < Flows()->count(); ++row)
            texts << Flows()->item(row)->text();
        return texts;
    }
    void Click(const char* button) const
    {
        QTest::mouseClick(Control<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
    }
    void AddFlow(const QString& path) const
    {
        Edit("editFlowFile")->setText(path);
        Click("btnAddFlow");
    }
};

} // namespace

class TestMiddlewarePage : public QObject
{
    Q_OBJECT

    std::unique_ptr<MessageRecorder> m_messages;

private:
    // Choosers remember their folder in the user's settings: a test's own, never the real ones.
    TestSettings m_settings;

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

    void everyFieldHasItsLabelAndSection_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("section");
        const auto row = [](const char* field, const char* label, const char* section) {
            QTest::newRow(field) << QString::fromLatin1(field) << QString::fromUtf8(label)
                                 << QString::fromUtf8(section);
        };
        row("ipCtiAddr", "CTI地址：", "CTI:");
        row("editCtiPort", "CTI端口：", "CTI:");
        row("comboRecType", "录音类型：", "CTI:");
        row("editRecPath", "录音路径：", "CTI:");
        row("comboDevType", "设备类型：", "CTI:");
        row("editAcdPort", "端口：", "ACD:");
        row("editAgentLockedPeriod", "座席锁定时长：", "ACD:");
        row("comboPPType", "话后处理触发方式：", "ACD:");
        row("editPPTime", "话后处理时长：", "ACD:");
        row("comboQueueType", "来电排队方式：", "ACD:");
        row("editLeaveWordPath", "留言文件路径：", "IVR:");
        row("editIvrFlowCount", "流程数：", "IVR:");
        row("editFlowFile", "选择流程文件：", "IVR:");
        row("editLogPath", "日志路径：", "其它：");
        row("editCallConcurrency", "外呼最大并发量：", "其它：");
        row("comboTtsType", "TTS类型：", "其它：");
        row("editTtsBufferPath", "TTS缓存目录：", "其它：");
    }

    void everyFieldHasItsLabelAndSection()
    {
        QFETCH(QString, field);
        QFETCH(QString, label);
        QFETCH(QString, section);
        PageWindow window;
        QVERIFY(window.Show());
        QWidget* control = window.Control(field);
        QVERIFY(control);
        QList<QLabel*> captions;
        for (QLabel* caption : window.page->findChildren<QLabel*>()) {
            if (caption->buddy() == control)
                captions << caption;
        }
        QCOMPARE(captions.size(), 1);
        QCOMPARE(captions.front()->text(), label);
        // Left of its field, on the same line, not overlapping it.
        const QRect labelRect(captions.front()->mapTo(window.page, QPoint()), captions.front()->size());
        const QRect fieldRect(control->mapTo(window.page, QPoint()), control->size());
        QVERIFY(labelRect.right() < fieldRect.left());
        QVERIFY(labelRect.top() < fieldRect.bottom() && fieldRect.top() < labelRect.bottom());
        QVERIFY(captions.front()->sizeHint().width() <= captions.front()->width());

        auto* group = qobject_cast<QGroupBox*>(control->parentWidget());
        QVERIFY(group);
        QCOMPARE(group->title(), section);
    }

    void whatFollowsTheFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("follower");
        QTest::addColumn<QString>("text");
        QTest::newRow("agent lock period")
            << QStringLiteral("editAgentLockedPeriod") << QStringLiteral("labelAgentLockedPeriodUnit")
            << QStringLiteral("(秒)");
        QTest::newRow("after-call work duration")
            << QStringLiteral("editPPTime") << QStringLiteral("labelPPTimeUnit") << QStringLiteral("(秒)");
        QTest::newRow("add") << QStringLiteral("editFlowFile") << QStringLiteral("btnAddFlow")
                             << QStringLiteral("添加");
        QTest::newRow("delete") << QStringLiteral("listFlows") << QStringLiteral("btnDelFlow")
                                << QStringLiteral("删除");
    }

    void whatFollowsTheFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, follower);
        QFETCH(QString, text);
        PageWindow window;
        QVERIFY(window.Show());
        QWidget* control = window.Control(field);
        QWidget* next = window.Control(follower);
        QVERIFY(control && next);
        const QString shown = qobject_cast<QLabel*>(next) ? qobject_cast<QLabel*>(next)->text()
                                                          : qobject_cast<QPushButton*>(next)->text();
        QCOMPARE(shown, text);
        QVERIFY(control->mapTo(window.page, QPoint(control->width(), 0)).x() <
                next->mapTo(window.page, QPoint()).x());
        QCOMPARE(next->parentWidget(), control->parentWidget());
    }

    void combosOfferTheirItemsInOrder_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("recording type")
            << QStringLiteral("comboRecType")
            << QStringList{QStringLiteral("中继录音"), QStringLiteral("并线录音")};
        QTest::newRow("device type") << QStringLiteral("comboDevType")
                                     << QStringList{QStringLiteral("IPO500V2"), QStringLiteral("eHangCom"),
                                                    QStringLiteral("FreeSWITCH")};
        QTest::newRow("after-call work")
            << QStringLiteral("comboPPType")
            << QStringList{QStringLiteral("自动话后处理"), QStringLiteral("手动话后处理")};
        QTest::newRow("queueing") << QStringLiteral("comboQueueType")
                                  << QStringList{QStringLiteral("VIP队列"), QStringLiteral("FIFS队列")};
        QTest::newRow("TTS") << QStringLiteral("comboTtsType")
                             << QStringList{QStringLiteral("不启用TTS"), QStringLiteral("科大讯飞"),
                                            QStringLiteral("捷通华声"), QStringLiteral("IBM")};
    }

    void combosOfferTheirItemsInOrder()
    {
        QFETCH(QString, combo);
        QFETCH(QStringList, items);
        // Every stored position shows its item and comes back unchanged.
        for (int index = 0; index < items.size(); ++index) {
            IndexMember(*GetCfgData(), combo) = index;
            PageWindow window;
            auto* box = window.Control<QComboBox>(combo);
            QStringList offered;
            for (int item = 0; item < box->count(); ++item)
                offered << box->itemText(item);
            QCOMPARE(offered, items);
            QVERIFY(!box->isEditable());
            QCOMPARE(box->currentIndex(), index);
            IndexMember(*GetCfgData(), combo) = 99;
            window.page->UpdateCfg(*GetCfgData());
            QCOMPARE(IndexMember(*GetCfgData(), combo), index);
        }
    }

    void storedIndexWithoutAnItemIsKeptUntilAnItemIsChosen_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<int>("stored");
        QTest::newRow("recording type 2") << QStringLiteral("comboRecType") << 2;
        QTest::newRow("recording type -1") << QStringLiteral("comboRecType") << -1;
        QTest::newRow("device type 3") << QStringLiteral("comboDevType") << 3;
        QTest::newRow("device type 5") << QStringLiteral("comboDevType") << 5;
        QTest::newRow("device type -7") << QStringLiteral("comboDevType") << -7;
        QTest::newRow("after-call work 2") << QStringLiteral("comboPPType") << 2;
        QTest::newRow("queueing 7") << QStringLiteral("comboQueueType") << 7;
        QTest::newRow("queueing 1000") << QStringLiteral("comboQueueType") << 1000;
        QTest::newRow("TTS 4") << QStringLiteral("comboTtsType") << 4;
    }

    void storedIndexWithoutAnItemIsKeptUntilAnItemIsChosen()
    {
        QFETCH(QString, combo);
        QFETCH(int, stored);
        IndexMember(*GetCfgData(), combo) = stored;
        PageWindow window;
        QVERIFY(window.Show());
        auto* box = window.Control<QComboBox>(combo);
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->currentText(), QString());
        // Untouched, the stored number goes back as it came.
        IndexMember(*GetCfgData(), combo) = 99;
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(IndexMember(*GetCfgData(), combo), stored);

        // Chosen from the keyboard, the item's position is what goes back.
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QVERIFY(box->currentIndex() >= 0);
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(IndexMember(*GetCfgData(), combo), box->currentIndex());
    }

    void fillsEveryFieldFromTheStore_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("CTI address") << QStringLiteral("ipCtiAddr") << QStringLiteral("10.20.30.40");
        QTest::newRow("CTI port") << QStringLiteral("editCtiPort") << QStringLiteral("9001");
        QTest::newRow("recording path") << QStringLiteral("editRecPath") << QStringLiteral("/srv/录音");
        QTest::newRow("ACD port") << QStringLiteral("editAcdPort") << QStringLiteral("9002");
        QTest::newRow("agent lock period") << QStringLiteral("editAgentLockedPeriod") << QStringLiteral("15");
        QTest::newRow("after-call work duration") << QStringLiteral("editPPTime") << QStringLiteral("30");
        QTest::newRow("voice-message path")
            << QStringLiteral("editLeaveWordPath") << QStringLiteral("/srv/留言");
        QTest::newRow("flow count") << QStringLiteral("editIvrFlowCount") << QStringLiteral("7");
        QTest::newRow("flow file input") << QStringLiteral("editFlowFile") << QString();
        QTest::newRow("log path") << QStringLiteral("editLogPath") << QStringLiteral("/var/log/cti");
        QTest::newRow("outbound concurrency")
            << QStringLiteral("editCallConcurrency") << QStringLiteral("64");
        QTest::newRow("TTS cache") << QStringLiteral("editTtsBufferPath") << QStringLiteral("/srv/tts");
    }

    void fillsEveryFieldFromTheStore()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        FillStore(*GetCfgData());
        PageWindow window;
        QWidget* control = window.Control(field);
        const auto* address = qobject_cast<CIpAddressEdit*>(control);
        QCOMPARE(address ? address->Address() : qobject_cast<QLineEdit*>(control)->text(), text);
        QCOMPARE(window.FlowTexts(),
                 (QStringList{QStringLiteral("/srv/ivr/main.flow"), QStringLiteral("/srv/ivr/夜间.flow"),
                              QStringLiteral("/srv/ivr/Main.flow")}));
    }

    void savingUntouchedGivesBackTheStore()
    {
        FillStore(*GetCfgData());
        CCfgData original;
        FillStore(original);
        PageWindow window;
        CCfgData& cfg = *GetCfgData();
        cfg = CCfgData();
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(cfg.CtiAddr, original.CtiAddr);
        QCOMPARE(cfg.CtiPort, original.CtiPort);
        QCOMPARE(cfg.RecType, original.RecType);
        QCOMPARE(cfg.RecPath, original.RecPath);
        QCOMPARE(cfg.DevType, original.DevType);
        QCOMPARE(cfg.AcdPort, original.AcdPort);
        QCOMPARE(cfg.AgentLockedPeriod, original.AgentLockedPeriod);
        QCOMPARE(cfg.PPType, original.PPType);
        QCOMPARE(cfg.PPTime, original.PPTime);
        QCOMPARE(cfg.QueueType, original.QueueType);
        QCOMPARE(cfg.LeaveWordPath, original.LeaveWordPath);
        QCOMPARE(cfg.IvrFlowCount, original.IvrFlowCount);
        QCOMPARE(cfg.IvrFlows, original.IvrFlows);
        QCOMPARE(cfg.LogPath, original.LogPath);
        QCOMPARE(cfg.CallConcurrency, original.CallConcurrency);
        QCOMPARE(cfg.TtsType, original.TtsType);
        QCOMPARE(cfg.TtsBufferPath, original.TtsBufferPath);
    }

    void savingCopiesTheEditsUnchanged()
    {
        FillStore(*GetCfgData());
        PageWindow window;
        window.Control<CIpAddressEdit>(QStringLiteral("ipCtiAddr"))->SetAddress(QStringLiteral("172.16.0.9"));
        window.Edit("editCtiPort")->setText(QStringLiteral("18811"));
        window.Control<QComboBox>(QStringLiteral("comboRecType"))->setCurrentIndex(0);
        window.Edit("editRecPath")->setText(QStringLiteral(" /mnt/rec/ "));
        window.Control<QComboBox>(QStringLiteral("comboDevType"))->setCurrentIndex(0);
        window.Edit("editAcdPort")->setText(QStringLiteral("18821"));
        window.Edit("editAgentLockedPeriod")->setText(QStringLiteral("005"));
        window.Control<QComboBox>(QStringLiteral("comboPPType"))->setCurrentIndex(0);
        window.Edit("editPPTime")->setText(QString());
        window.Control<QComboBox>(QStringLiteral("comboQueueType"))->setCurrentIndex(0);
        window.Edit("editLeaveWordPath")->setText(QStringLiteral("D:\\留言"));
        window.Edit("editIvrFlowCount")->setText(QStringLiteral("12"));
        window.Edit("editLogPath")->setText(QStringLiteral("/tmp/log"));
        window.Edit("editCallConcurrency")->setText(QStringLiteral("0"));
        window.Control<QComboBox>(QStringLiteral("comboTtsType"))->setCurrentIndex(1);
        window.Edit("editTtsBufferPath")->setText(QStringLiteral("/tmp/tts"));
        window.Edit("editFlowFile")->setText(QStringLiteral("/not/added.flow"));
        window.page->UpdateCfg(*GetCfgData());

        const CCfgData& cfg = *GetCfgData();
        QCOMPARE(cfg.CtiAddr, std::string("172.16.0.9"));
        QCOMPARE(cfg.CtiPort, std::string("18811"));
        QCOMPARE(cfg.RecType, 0);
        QCOMPARE(cfg.RecPath, std::string(" /mnt/rec/ "));
        QCOMPARE(cfg.DevType, 0);
        QCOMPARE(cfg.AcdPort, std::string("18821"));
        QCOMPARE(cfg.AgentLockedPeriod, std::string("005"));
        QCOMPARE(cfg.PPType, 0);
        QCOMPARE(cfg.PPTime, std::string());
        QCOMPARE(cfg.QueueType, 0);
        QCOMPARE(cfg.LeaveWordPath, std::string("D:\\留言"));
        QCOMPARE(cfg.IvrFlowCount, std::string("12"));
        QCOMPARE(cfg.IvrFlows.size(), size_t(3));
        QCOMPARE(cfg.LogPath, std::string("/tmp/log"));
        QCOMPARE(cfg.CallConcurrency, std::string("0"));
        QCOMPARE(cfg.TtsType, 1);
        QCOMPARE(cfg.TtsBufferPath, std::string("/tmp/tts"));
    }

    void theStoreIsReadOnlyOnCreation()
    {
        FillStore(*GetCfgData());
        PageWindow window;
        GetCfgData()->CtiPort = "1";
        GetCfgData()->IvrFlows.clear();
        QVERIFY(window.Show());
        window.page->hide();
        window.page->show();
        QCOMPARE(window.Edit("editCtiPort")->text(), QStringLiteral("9001"));
        QCOMPARE(window.Flows()->count(), 3);
    }

    void anAddressTheFieldCannotShowIsKeptUntilEdited_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("host name") << QStringLiteral("pbx.example");
        QTest::newRow("part above 255") << QStringLiteral("300.1.1.1");
        QTest::newRow("three parts") << QStringLiteral("10.1.1");
    }

    void anAddressTheFieldCannotShowIsKeptUntilEdited()
    {
        QFETCH(QString, stored);
        GetCfgData()->CtiAddr = stored.toStdString();
        PageWindow window;
        QVERIFY(window.Show());
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(GetCfgData()->CtiAddr, stored.toStdString());

        // Passing through the field changes nothing; typing an address replaces the text.
        window.Edit("editCtiPort")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(GetCfgData()->CtiAddr, stored.toStdString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        // Key by key into whichever part has the focus, as the field moves on by itself.
        for (const QChar key : QStringLiteral("10.2.3.4"))
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(GetCfgData()->CtiAddr, std::string("10.2.3.4"));
    }

    void nothingStoredIsSavedEmpty()
    {
        GetCfgData()->CtiAddr.clear();
        PageWindow window;
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(GetCfgData()->CtiAddr, std::string());
    }

    void digitFieldsTakeOnlyDigits_data()
    {
        QTest::addColumn<QString>("field");
        for (const char* field : {"editCtiPort", "editAcdPort", "editAgentLockedPeriod", "editPPTime",
                                  "editIvrFlowCount", "editCallConcurrency"})
            QTest::newRow(field) << QString::fromLatin1(field);
    }

    void digitFieldsTakeOnlyDigits()
    {
        QFETCH(QString, field);
        PageWindow window;
        QVERIFY(window.Show());
        auto* edit = window.Control<QLineEdit>(field);
        edit->clear();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("1a2.3-4 5x"));
        QCOMPARE(edit->text(), QStringLiteral("12345"));
    }

    void storedTextsThatAreNoNumbersStayAsTheyAre()
    {
        GetCfgData()->CtiPort = "88x1";
        GetCfgData()->IvrFlowCount = " 3";
        PageWindow window;
        QCOMPARE(window.Edit("editCtiPort")->text(), QStringLiteral("88x1"));
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(GetCfgData()->CtiPort, std::string("88x1"));
        QCOMPARE(GetCfgData()->IvrFlowCount, std::string(" 3"));
    }

    void addingAppendsAndEmptiesTheInput()
    {
        GetCfgData()->IvrFlows = {"/srv/ivr/b.flow"};
        PageWindow window;
        QVERIFY(window.Show());
        auto* list = window.Flows();
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        window.AddFlow(QStringLiteral("/srv/ivr/a.flow"));
        window.AddFlow(QStringLiteral("/srv/ivr/流程.flow"));
        QCOMPARE(window.FlowTexts(),
                 (QStringList{QStringLiteral("/srv/ivr/b.flow"), QStringLiteral("/srv/ivr/a.flow"),
                              QStringLiteral("/srv/ivr/流程.flow")}));
        QCOMPARE(window.Edit("editFlowFile")->text(), QString());
        QVERIFY(m_messages->Messages().empty());
    }

    void addingAListedFlowIsRefusedWithANotice()
    {
        FillStore(*GetCfgData());
        PageWindow window;
        QVERIFY(window.Show());
        const QStringList before = window.FlowTexts();
        window.AddFlow(QStringLiteral("/srv/ivr/夜间.flow"));
        QCOMPARE(window.FlowTexts(), before);
        QCOMPARE(window.Edit("editFlowFile")->text(), QStringLiteral("/srv/ivr/夜间.flow"));
        QCOMPARE(int(m_messages->Messages().size()), 1);
        const UserMessage& notice = m_messages->Messages().front();
        QCOMPARE(notice.text, std::string("该流程已添加"));
        QCOMPARE(notice.caption, std::string("提示"));
        QVERIFY(notice.buttons == MsgButtons::Ok);
        QVERIFY(notice.icon == MsgIcon::None);
        QCOMPARE(notice.owner, window.page);
    }

    void addingComparesExactly_data()
    {
        QTest::addColumn<QString>("flow");
        QTest::newRow("other case") << QStringLiteral("/SRV/ivr/main.flow");
        QTest::newRow("trailing space") << QStringLiteral("/srv/ivr/main.flow ");
        QTest::newRow("prefix of a listed one") << QStringLiteral("/srv/ivr/main");
    }

    void addingComparesExactly()
    {
        QFETCH(QString, flow);
        FillStore(*GetCfgData());
        PageWindow window;
        window.AddFlow(flow);
        QVERIFY(m_messages->Messages().empty());
        QCOMPARE(window.FlowTexts().size(), 4);
        QCOMPARE(window.FlowTexts().last(), flow);
    }

    void addingNothingIsSilent()
    {
        FillStore(*GetCfgData());
        PageWindow window;
        window.AddFlow(QString());
        QCOMPARE(window.FlowTexts().size(), 3);
        QVERIFY(m_messages->Messages().empty());
    }

    void deletingRemovesTheSelectedFlowOnly()
    {
        FillStore(*GetCfgData());
        PageWindow window;
        QVERIFY(window.Show());
        auto* list = window.Flows();
        list->setCurrentRow(1);
        window.Click("btnDelFlow");
        QCOMPARE(window.FlowTexts(),
                 (QStringList{QStringLiteral("/srv/ivr/main.flow"), QStringLiteral("/srv/ivr/Main.flow")}));
        // Nothing is selected after a delete; a second delete does nothing.
        window.Click("btnDelFlow");
        QCOMPARE(window.FlowTexts().size(), 2);

        list->clearSelection();
        list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        window.Click("btnDelFlow");
        QCOMPARE(window.FlowTexts().size(), 2);
        QVERIFY(m_messages->Messages().empty());
    }

    void theFlowCountIsWhatWasTypedAndTheListIsReplaced()
    {
        FillStore(*GetCfgData());
        PageWindow window;
        QVERIFY(window.Show());
        window.Flows()->setCurrentRow(0);
        window.Click("btnDelFlow");
        window.AddFlow(QStringLiteral("/srv/ivr/new.flow"));
        QCOMPARE(window.Edit("editIvrFlowCount")->text(), QStringLiteral("7"));
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(GetCfgData()->IvrFlowCount, std::string("7"));
        QCOMPARE(GetCfgData()->IvrFlows,
                 (std::vector<std::string>{"/srv/ivr/夜间.flow", "/srv/ivr/Main.flow", "/srv/ivr/new.flow"}));

        while (window.Flows()->count() > 0) {
            window.Flows()->setCurrentRow(0);
            window.Click("btnDelFlow");
        }
        window.page->UpdateCfg(*GetCfgData());
        QVERIFY(GetCfgData()->IvrFlows.empty());
        QCOMPARE(GetCfgData()->IvrFlowCount, std::string("7"));
    }

    void browseButtonsAskForFoldersOrAFlowFile_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<CBrowseEdit::Mode>("mode");
        QTest::newRow("recording path") << QStringLiteral("editRecPath") << CBrowseEdit::Mode::Folder;
        QTest::newRow("voice-message path")
            << QStringLiteral("editLeaveWordPath") << CBrowseEdit::Mode::Folder;
        QTest::newRow("flow file") << QStringLiteral("editFlowFile") << CBrowseEdit::Mode::File;
        QTest::newRow("log path") << QStringLiteral("editLogPath") << CBrowseEdit::Mode::Folder;
        QTest::newRow("TTS cache") << QStringLiteral("editTtsBufferPath") << CBrowseEdit::Mode::Folder;
    }

    void browseButtonsAskForFoldersOrAFlowFile()
    {
        QFETCH(QString, field);
        QFETCH(CBrowseEdit::Mode, mode);
        QList<CBrowseEdit::Mode> asked;
        CFileChooser::Handler previous =
            CFileChooser::SetHandler([&asked](const CFileChooser::Request& request) {
                asked << (request.mode == CFileChooser::Mode::Folder ? CBrowseEdit::Mode::Folder
                                                                     : CBrowseEdit::Mode::File);
                return QStringLiteral("/chosen/path");
            });
        PageWindow window;
        QVERIFY(window.Show());
        auto* edit = window.Control<QLineEdit>(field);
        QTest::mouseClick(edit->findChild<QToolButton*>(QStringLiteral("btnBrowse")), Qt::LeftButton);
        CFileChooser::SetHandler(std::move(previous));
        QCOMPARE(asked, QList<CBrowseEdit::Mode>{mode});
        QCOMPARE(edit->text(), QStringLiteral("/chosen/path"));
    }

    // Tab follows the screen: top to bottom, left to right within a row, each browse
    // button right after its field.
    void tabOrder()
    {
        PageWindow window;
        QVERIFY(window.Show());
        const QStringList expected = {
            QStringLiteral("ipCtiAddr"),
            QStringLiteral("editCtiPort"),
            QStringLiteral("comboRecType"),
            QStringLiteral("editRecPath"),
            QStringLiteral("editRecPath/btnBrowse"),
            QStringLiteral("comboDevType"),
            QStringLiteral("editAcdPort"),
            QStringLiteral("editAgentLockedPeriod"),
            QStringLiteral("comboPPType"),
            QStringLiteral("editPPTime"),
            QStringLiteral("comboQueueType"),
            QStringLiteral("editLeaveWordPath"),
            QStringLiteral("editLeaveWordPath/btnBrowse"),
            QStringLiteral("editIvrFlowCount"),
            QStringLiteral("editFlowFile"),
            QStringLiteral("editFlowFile/btnBrowse"),
            QStringLiteral("btnAddFlow"),
            QStringLiteral("listFlows"),
            QStringLiteral("btnDelFlow"),
            QStringLiteral("editLogPath"),
            QStringLiteral("editLogPath/btnBrowse"),
            QStringLiteral("editCallConcurrency"),
            QStringLiteral("comboTtsType"),
            QStringLiteral("editTtsBufferPath"),
            QStringLiteral("editTtsBufferPath/btnBrowse"),
        };
        QCOMPARE(ScreenOrder(window.page), expected);
        window.Control(QStringLiteral("ipCtiAddr"))->setFocus();
        const int steps = int(expected.size());
        QCOMPARE(WalkFocus(window.page, Qt::Key_Tab, steps - 1), expected);
        QStringList backward = WalkFocus(window.page, Qt::Key_Backtab, steps - 1);
        std::reverse(backward.begin(), backward.end());
        QCOMPARE(backward, expected);
        // No control that takes Tab is left out.
        QCOMPARE(TabStops(window.page), QSet<QString>(expected.begin(), expected.end()));
    }

    void showingThePageFocusesTheCtiAddress()
    {
        PageWindow window;
        QVERIFY(window.Show());
        QWidget* firstPart =
            window.Control(QStringLiteral("ipCtiAddr"))->findChild<QWidget*>(QStringLiteral("ipPart0"));
        QCOMPARE(QApplication::focusWidget(), firstPart);
        // Scrolled to the bottom and shown again: the focus is where it was, and in view, so
        // typing never edits a field the user cannot see.
        window.page->findChild<QScrollBar*>()->triggerAction(QAbstractSlider::SliderToMaximum);
        window.page->hide();
        window.page->show();
        QCOMPARE(QApplication::focusWidget(), firstPart);
        QVERIFY(InView(window.page, firstPart));
        window.Edit("editLogPath")->setFocus();
        window.page->findChild<QScrollBar*>()->triggerAction(QAbstractSlider::SliderToMinimum);
        window.page->hide();
        window.page->show();
        QCOMPARE(QApplication::focusWidget(), window.Edit("editLogPath"));
        QVERIFY(InView(window.page, window.Edit("editLogPath")));
    }
};

QTEST_MAIN(TestMiddlewarePage)
#include "tst_middlewarepage.moc"
