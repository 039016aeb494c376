// The lines page and its four grids, without a database: the form, filling the grids from
// the store and copying them back, what may be typed, the add and delete commands with
// their messages, and the keyboard.
#include "config/catalogue/CfgGroups.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CDialogUnits.h"
#include "controls/CPropertyGridProperty.h"
#include "controls/CPropertyGridView.h"
#include "pages/CDialogCfgLine.h"
#include "pages/CGridExten.h"
#include "pages/CGridSipAccount.h"
#include "pages/CGridTrunkItem.h"
#include "pages/CGridTrunkMatch.h"
#include "support/FocusChain.h"
#include "support/MessageRecorder.h"
#include "support/PageHost.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <climits>
#include <memory>

namespace {

using Texts = std::vector<std::string>;

/// The page in a window as the main window places it: in a frame lower and narrower than
/// its form.
struct PageWindow : PageHost
{
    PageWindow()
    {
        const CDialogUnits units(dialog.font());
        Place(new CDialogCfgLine(*GetCfgData(), &dialog), units.Size(299, 274),
              QRect(units.Rect(0, 17, 298, 230)).adjusted(4, 4, -4, -4));
    }

    template <class T = QWidget> T* Control(const char* name) const
    {
        return PageHost::Control<T>(QString::fromLatin1(name));
    }
    QLineEdit* Edit(const char* name) const { return Control<QLineEdit>(name); }
    CGridExten& Extens() const { return *Control<CGridExten>("gridExten"); }
    CGridSipAccount& Accounts() const { return *Control<CGridSipAccount>("gridSipAccount"); }
    CGridTrunkItem& Items() const { return *Control<CGridTrunkItem>("gridTrunkItem"); }
    CGridTrunkMatch& Matches() const { return *Control<CGridTrunkMatch>("gridTrunkMatch"); }
    void Click(const char* button) const { QTest::mouseClick(Control(button), Qt::LeftButton); }
};

/// The rows of a grid as "name=value", groups as "[caption]" followed by their rows.
QStringList Rows(const CPropertyGridCtrl& grid)
{
    QStringList rows;
    for (int index = 0; index < grid.GetPropertyCount(); ++index) {
        const CPropertyGridProperty* row = grid.GetProperty(index);
        if (!row->IsGroup()) {
            rows << row->GetName() + QLatin1Char('=') + row->GetValue();
            continue;
        }
        rows << QLatin1Char('[') + row->GetName() + QLatin1Char(']');
        for (int position = 0; position < row->GetSubItemsCount(); ++position)
            rows << row->GetSubItem(position)->GetName() + QLatin1Char('=') +
                        row->GetSubItem(position)->GetValue();
    }
    return rows;
}

/// The group captions of a record grid, from the top.
QStringList Captions(const CPropertyGridCtrl& grid)
{
    QStringList captions;
    for (int index = 0; index < grid.GetPropertyCount(); ++index)
        captions << grid.GetProperty(index)->GetName();
    return captions;
}

CPropertyGridCtrl& GridNamed(const PageWindow& window, const QString& name)
{
    return *window.page->findChild<CPropertyGridCtrl*>(name);
}

void AddAccount(CCfgData& cfg, int id, const char* account, int port, bool reg)
{
    auto rec = std::make_unique<tagSIP_ACCOUNT>();
    rec->id = id;
    CopyToField(rec->account, account);
    CopyToField(rec->auth_account, std::string("auth-") + account);
    CopyToField(rec->password, "密码" + std::to_string(id));
    CopyToField(rec->proxy_addr, "10.0.0." + std::to_string(id));
    rec->proxy_port = port;
    rec->reg = reg;
    rec->reg_interval = 3600;
    cfg.SipAccounts.AddTail(std::move(rec));
}

void AddItem(CCfgData& cfg, int id, int node, int board, int span, int sipUser)
{
    auto rec = std::make_unique<tagTRUNK_ITEM>();
    *rec = {id, node, board, span, sipUser};
    cfg.TrunkItems.AddTail(std::move(rec));
}

void AddMatch(CCfgData& cfg, int id, const char* prefix, const char* caller, int trunk, int priority)
{
    auto rec = std::make_unique<tagTRUNK_MATCH>();
    rec->id = id;
    CopyToField(rec->prefix, prefix);
    CopyToField(rec->caller, caller);
    rec->trunk_id = trunk;
    rec->priority = priority;
    cfg.TrunkMatches.AddTail(std::move(rec));
}

/// Types `text` a character at a time into the focused control, as a keyboard does.
void Type(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, text.mid(i, length),
                            Qt::NoModifier);
        i += length - 1;
    }
}

/// Opens the edit of `row`, replaces its value by typing `text` and presses Enter; gives
/// what the edit box held before Enter.
QString EditValue(CPropertyGridCtrl& grid, CPropertyGridProperty* row, const QString& text)
{
    if (!grid.EditItem(row))
        return QStringLiteral("<no editor>");
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!edit)
        return QStringLiteral("<no edit box>");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    Type(text);
    const QString typed = edit->text();
    QTest::keyClick(edit, Qt::Key_Return);
    return typed;
}

std::string Utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

class TestLinePage : public QObject
{
    Q_OBJECT

    std::unique_ptr<MessageRecorder> m_messages;

    /// Checks that exactly one message was shown, with this text and caption, by the page, with
    /// only an OK button and no icon.
    void CheckOneMessage(const PageWindow& window, const std::string& text, const std::string& caption)
    {
        QCOMPARE(m_messages->Texts(), Texts{text});
        const UserMessage& shown = m_messages->Messages().front();
        QCOMPARE(shown.caption, caption);
        QVERIFY(shown.buttons == MsgButtons::Ok);
        QVERIFY(shown.icon == MsgIcon::None);
        QCOMPARE(shown.owner, window.page);
    }

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

    void sectionsLabelsAndButtons_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QString>("grid");
        QTest::newRow("extensions") << QStringLiteral("分机：")
                                    << QStringList{QStringLiteral("起始分机："),
                                                   QStringLiteral("editFirstExten"),
                                                   QStringLiteral("添加数量："),
                                                   QStringLiteral("editExtenCount"),
                                                   QStringLiteral("添加"),
                                                   QStringLiteral("删除")}
                                    << QStringLiteral("gridExten");
        QTest::newRow("SIP accounts")
            << QStringLiteral("SIP账户：")
            << QStringList{QStringLiteral("账户ID："), QStringLiteral("editSipAccountId"),
                           QStringLiteral("添加"), QStringLiteral("删除")}
            << QStringLiteral("gridSipAccount");
        QTest::newRow("trunk items") << QStringLiteral("中继项：")
                                     << QStringList{QStringLiteral("中继项ID："),
                                                    QStringLiteral("editTrunkItemId"), QStringLiteral("添加"),
                                                    QStringLiteral("删除")}
                                     << QStringLiteral("gridTrunkItem");
        QTest::newRow("trunk matches")
            << QStringLiteral("中继匹配：")
            << QStringList{QStringLiteral("匹配项ID："), QStringLiteral("editTrunkMatchId"),
                           QStringLiteral("添加"), QStringLiteral("删除")}
            << QStringLiteral("gridTrunkMatch");
    }

    void sectionsLabelsAndButtons()
    {
        QFETCH(QString, heading);
        QFETCH(QStringList, row);
        QFETCH(QString, grid);
        PageWindow window;
        QVERIFY(window.Show());
        QWidget* form = window.Control("pageForm");
        const auto rectOf = [form](const QWidget* widget) {
            return QRect(widget->mapTo(form, QPoint()), widget->size());
        };

        QLabel* headingLabel = nullptr;
        for (QLabel* label : window.page->findChildren<QLabel*>()) {
            if (label->text() == heading)
                headingLabel = label;
        }
        QVERIFY(headingLabel);
        // The row's controls, found by text for labels and buttons, by name for the boxes;
        // left to right on one line under the heading.
        QList<QWidget*> controls;
        for (const QString& item : row) {
            QWidget* found = window.page->findChild<QLineEdit*>(item);
            for (QLabel* label : window.page->findChildren<QLabel*>()) {
                if (!found && label->text() == item)
                    found = label;
            }
            for (QPushButton* button : window.page->findChildren<QPushButton*>()) {
                if (!found && button->text() == item && rectOf(button).top() > rectOf(headingLabel).top() &&
                    rectOf(button).top() < rectOf(headingLabel).bottom() + 60)
                    found = button;
            }
            QVERIFY2(found, qPrintable(item));
            controls << found;
        }
        for (qsizetype i = 0; i < controls.size(); ++i) {
            const QRect place = rectOf(controls[i]);
            QVERIFY(place.top() > rectOf(headingLabel).bottom());
            QVERIFY(place.left() > rectOf(headingLabel).left());
            if (i > 0) {
                QVERIFY(place.left() > rectOf(controls[i - 1]).right());
                QVERIFY(std::abs(place.center().y() - rectOf(controls[i - 1]).center().y()) <= 2);
            }
            // Every label is the label of the box after it.
            if (auto* label = qobject_cast<QLabel*>(controls[i]))
                QCOMPARE(label->buddy(), controls[i + 1]);
        }
        // The grid under the row, as wide as the form allows, and nothing cut at the right.
        CPropertyGridCtrl& gridControl = GridNamed(window, grid);
        QVERIFY(rectOf(&gridControl).top() > rectOf(controls.front()).bottom());
        QVERIFY(rectOf(&gridControl).right() < form->width());
        QVERIFY(rectOf(controls.back()).right() < form->width());
        QVERIFY(form->width() <= window.page->width());
    }

    void gridsAsTheyStart_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<bool>("header");
        QTest::addColumn<bool>("description");
        QTest::addColumn<int>("nameShare");
        QTest::newRow("extensions") << QStringLiteral("gridExten") << true << false << 3;
        QTest::newRow("SIP accounts") << QStringLiteral("gridSipAccount") << false << false << 4;
        QTest::newRow("trunk items") << QStringLiteral("gridTrunkItem") << false << true << 3;
        QTest::newRow("trunk matches") << QStringLiteral("gridTrunkMatch") << false << true << 3;
    }

    void gridsAsTheyStart()
    {
        QFETCH(QString, grid);
        QFETCH(bool, header);
        QFETCH(bool, description);
        QFETCH(int, nameShare);
        PageWindow window;
        QVERIFY(window.Show());
        CPropertyGridCtrl& control = GridNamed(window, grid);
        auto* tree = control.findChild<QTreeView*>(QStringLiteral("propertyTree"));
        QCOMPARE(tree->header()->isVisible(), header);
        if (header) {
            QCOMPARE(tree->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("分机号"));
            QCOMPARE(tree->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("接入密码"));
        }
        QWidget* area = control.findChild<QWidget*>(QStringLiteral("propertyDescriptionArea"));
        QCOMPARE(area->isVisible(), description);
        if (description) {
            const int line = area->fontMetrics().lineSpacing();
            QVERIFY(area->height() >= 2 * line && area->height() < 3 * line + 12);
        }
        QCOMPARE(tree->header()->sectionSize(0), tree->viewport()->width() / nameShare);
        QCOMPARE(control.GetPropertyCount(), 0);
    }

    // A number another tool stored below zero is shown and kept as the id column holds it,
    // in its place by number, never as a large unsigned one.
    void extensionNumbersAsTheColumnHoldsThem()
    {
        CCfgData& cfg = *GetCfgData();
        cfg.Extens.SetAt(8001, "a");
        cfg.Extens.SetAt(-5, "stray");
        cfg.Extens.SetAt(INT_MIN, "lowest");
        PageWindow window;
        QCOMPARE(Rows(window.Extens()), (QStringList{QStringLiteral("-2147483648=lowest"),
                                                     QStringLiteral("-5=stray"), QStringLiteral("8001=a")}));
        window.page->UpdateCfg(*GetCfgData());
        std::string password;
        QVERIFY(cfg.Extens.Lookup(-5, password) && password == "stray");
        QCOMPARE(cfg.Extens.GetCount(), std::size_t(3));
    }

    // The grid lists the extensions by number; the store keeps its own order, the order of a
    // save's statements, with the extensions added on the page at its end.
    void extensionsInNumericOrderTheStoreInItsOwn()
    {
        CCfgData& cfg = *GetCfgData();
        for (int number = 8001; number <= 8005; ++number)
            cfg.Extens.SetAt(number, "pw" + std::to_string(number));
        cfg.Extens.SetAt(8003, "");
        cfg.Extens.SetAt(8005, " with spaces ");
        cfg.Extens.SetAt(8021, "x");
        const ExtenList loaded = ExtensInOrder(cfg.Extens);
        PageWindow window;
        const QStringList expected = {
            QStringLiteral("8001=pw8001"), QStringLiteral("8002=pw8002"),        QStringLiteral("8003="),
            QStringLiteral("8004=pw8004"), QStringLiteral("8005= with spaces "), QStringLiteral("8021=x")};
        QCOMPARE(Rows(window.Extens()), expected);
        QCOMPARE(window.Extens().FindById(8003), window.Extens().GetProperty(2));
        QCOMPARE(window.Extens().FindById(8006), nullptr);

        // A save puts the extensions into the store in the order it enumerated them.
        const auto storedInOrder = [](const ExtenList& sequence) {
            CExtenMap store;
            for (const auto& [number, password] : sequence)
                store.SetAt(number, password);
            return ExtensInOrder(store);
        };
        cfg.Extens.RemoveAll();
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(ExtensInOrder(cfg.Extens), storedInOrder(loaded));
        // Saving again without changes gives the same.
        window.page->UpdateCfg(*GetCfgData());
        PageWindow again;
        QCOMPARE(Rows(again.Extens()), expected);

        // Added ones take their place by number on the page, and the store's end; one deleted
        // and added again goes to the end as well.
        window.Extens().SetExtens({{8010, QStringLiteral("8010")}, {8000, QStringLiteral("8000")}});
        window.Extens().DeleteProperty(window.Extens().FindById(8001));
        window.Extens().SetExten(8001, QStringLiteral("again"));
        QCOMPARE(Rows(window.Extens()).mid(0, 3),
                 (QStringList{QStringLiteral("8000=8000"), QStringLiteral("8001=again"),
                              QStringLiteral("8002=pw8002")}));
        QCOMPARE(Rows(window.Extens()).at(6), QStringLiteral("8010=8010"));
        ExtenList order;
        for (const auto& entry : loaded) {
            if (entry.first != 8001)
                order.push_back(entry);
        }
        order.insert(order.end(), {{8010, "8010"}, {8000, "8000"}, {8001, "again"}});
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(ExtensInOrder(cfg.Extens), storedInOrder(order));
    }

    void recordsShowAsGroupsInListOrder()
    {
        CCfgData& cfg = *GetCfgData();
        AddAccount(cfg, 1, "021-1000", 5060, true);
        AddAccount(cfg, 5, "账户五", 5070, false);
        AddItem(cfg, 1, 0, 1, 2, -1);
        AddItem(cfg, 3, -1, -1, -1, 5);
        AddMatch(cfg, 2, "0", "", 1, 1);
        AddMatch(cfg, 7, "9", "02112345", 3, 7);
        PageWindow window;
        QCOMPARE(Rows(window.Accounts()),
                 (QStringList{QStringLiteral("[SIP账户1]"), QStringLiteral("账户=021-1000"),
                              QStringLiteral("鉴权账户=auth-021-1000"), QStringLiteral("密码=密码1"),
                              QStringLiteral("注册地址=10.0.0.1"), QStringLiteral("注册端口=5060"),
                              QStringLiteral("是否注册=true"), QStringLiteral("注册间隔=3600"),
                              QStringLiteral("[SIP账户5]"), QStringLiteral("账户=账户五"),
                              QStringLiteral("鉴权账户=auth-账户五"), QStringLiteral("密码=密码5"),
                              QStringLiteral("注册地址=10.0.0.5"), QStringLiteral("注册端口=5070"),
                              QStringLiteral("是否注册=false"), QStringLiteral("注册间隔=3600")}));
        QCOMPARE(Rows(window.Items()),
                 (QStringList{QStringLiteral("[中继项1]"), QStringLiteral("设备节点=0"),
                              QStringLiteral("设备板号=1"), QStringLiteral("数字中继口=2"),
                              QStringLiteral("SIP账号ID=-1"), QStringLiteral("[中继项3]"),
                              QStringLiteral("设备节点=-1"), QStringLiteral("设备板号=-1"),
                              QStringLiteral("数字中继口=-1"), QStringLiteral("SIP账号ID=5")}));
        QCOMPARE(Rows(window.Matches()),
                 (QStringList{QStringLiteral("[中继匹配2]"), QStringLiteral("字冠=0"),
                              QStringLiteral("透传号码="), QStringLiteral("中继项ID=1"),
                              QStringLiteral("优先级=1"), QStringLiteral("[中继匹配7]"),
                              QStringLiteral("字冠=9"), QStringLiteral("透传号码=02112345"),
                              QStringLiteral("中继项ID=3"), QStringLiteral("优先级=7")}));
        // Every row of a group carries the group's ID.
        const CPropertyGridProperty* account = window.Accounts().FindById(5);
        QCOMPARE(account, window.Accounts().GetProperty(1));
        for (int position = 0; position < account->GetSubItemsCount(); ++position)
            QCOMPARE(account->GetSubItem(position)->GetData(), qint64(5));

        // Saving untouched gives the store back, a priority outside the options included.
        *GetCfgData() = CCfgData();
        window.page->UpdateCfg(*GetCfgData());
        PageWindow again;
        QCOMPARE(Rows(again.Accounts()), Rows(window.Accounts()));
        QCOMPARE(Rows(again.Items()), Rows(window.Items()));
        QCOMPARE(Rows(again.Matches()), Rows(window.Matches()));
        QCOMPARE(GetCfgData()->TrunkMatches.GetCount(), std::size_t(2));
        QCOMPARE((*std::next(GetCfgData()->TrunkMatches.begin()))->priority, 7);
    }

    void fieldsTheirDescriptionsAndOptions_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QStringList>("options");
        const QString grid = QStringLiteral("gridSipAccount");
        for (int position : {0, 1, 2, 3, 4, 6})
            QTest::addRow("SIP account, row %d", position) << grid << position << QString() << QStringList();
        QTest::newRow("SIP account, registering")
            << grid << 5 << QString() << QStringList{QStringLiteral("true"), QStringLiteral("false")};
        const QString items = QStringLiteral("gridTrunkItem");
        QTest::newRow("trunk item, node") << items << 0 << QString() << QStringList();
        QTest::newRow("trunk item, board") << items << 1 << QString() << QStringList();
        QTest::newRow("trunk item, span")
            << items << 2 << QStringLiteral("SIP中继该值填写-1") << QStringList();
        QTest::newRow("trunk item, SIP account")
            << items << 3 << QStringLiteral("数字E1中继该值填写-1") << QStringList();
        const QString matches = QStringLiteral("gridTrunkMatch");
        QTest::newRow("trunk match, prefix") << matches << 0 << QString() << QStringList();
        QTest::newRow("trunk match, number") << matches << 1 << QString() << QStringList();
        QTest::newRow("trunk match, trunk item") << matches << 2 << QString() << QStringList();
        QTest::newRow("trunk match, priority") << matches << 3 << QStringLiteral("相同字冠优先级高的先被匹配")
                                               << QStringList{QStringLiteral("1"), QStringLiteral("2"),
                                                              QStringLiteral("3"), QStringLiteral("4")};
    }

    void fieldsTheirDescriptionsAndOptions()
    {
        QFETCH(QString, grid);
        QFETCH(int, position);
        QFETCH(QString, description);
        QFETCH(QStringList, options);
        PageWindow window;
        QVERIFY(window.Show());
        window.Edit("editSipAccountId")->setText(QStringLiteral("1"));
        window.Edit("editTrunkItemId")->setText(QStringLiteral("1"));
        window.Edit("editTrunkMatchId")->setText(QStringLiteral("1"));
        window.Click("btnAddSipAccount");
        window.Click("btnAddTrunkItem");
        window.Click("btnAddTrunkMatch");
        CPropertyGridCtrl& control = GridNamed(window, grid);
        CPropertyGridProperty* row = control.GetProperty(0)->GetSubItem(position);
        QCOMPARE(row->GetDescription(), description);
        QCOMPARE(row->GetOptions(), options);
        // The description area, where there is one, shows the row's description.
        control.SetCurSel(row);
        auto* shown = control.findChild<QLabel*>(QStringLiteral("propertyDescription"));
        if (shown->isVisible())
            QCOMPARE(shown->text(), description);
        // A row with options is chosen from a list that takes no typing; the others are typed.
        QVERIFY(control.EditItem(row));
        auto* choice = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QCOMPARE(choice != nullptr, !options.isEmpty());
        if (choice) {
            QVERIFY(!choice->isEditable());
            QStringList offered;
            for (int item = 0; item < choice->count(); ++item)
                offered << choice->itemText(item);
            QCOMPARE(offered, options);
        } else {
            QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(m_messages->Messages().empty());
    }

    void newRecordsTakeTheirDefaults()
    {
        PageWindow window;
        QVERIFY(window.Show());
        window.Edit("editSipAccountId")->setText(QStringLiteral("7"));
        window.Click("btnAddSipAccount");
        window.Edit("editTrunkItemId")->setText(QStringLiteral("2"));
        window.Click("btnAddTrunkItem");
        window.Edit("editTrunkMatchId")->setText(QStringLiteral("9"));
        window.Click("btnAddTrunkMatch");
        QCOMPARE(Rows(window.Accounts()),
                 (QStringList{QStringLiteral("[SIP账户7]"), QStringLiteral("账户="),
                              QStringLiteral("鉴权账户="), QStringLiteral("密码="),
                              QStringLiteral("注册地址="), QStringLiteral("注册端口=5060"),
                              QStringLiteral("是否注册=true"), QStringLiteral("注册间隔=1800")}));
        QCOMPARE(Rows(window.Items()),
                 (QStringList{QStringLiteral("[中继项2]"), QStringLiteral("设备节点=0"),
                              QStringLiteral("设备板号=0"), QStringLiteral("数字中继口=-1"),
                              QStringLiteral("SIP账号ID=-1")}));
        QCOMPARE(
            Rows(window.Matches()),
            (QStringList{QStringLiteral("[中继匹配9]"), QStringLiteral("字冠="), QStringLiteral("透传号码="),
                         QStringLiteral("中继项ID=0"), QStringLiteral("优先级=4")}));
        // AddNew itself refuses an ID that is there.
        QVERIFY(!window.Accounts().AddNew(7));
        QVERIFY(!window.Items().AddNew(2));
        QVERIFY(!window.Matches().AddNew(9));
        QVERIFY(window.Matches().AddNew(4));
        QCOMPARE(Captions(window.Matches()),
                 (QStringList{QStringLiteral("中继匹配9"), QStringLiteral("中继匹配4")}));
        QVERIFY(m_messages->Messages().empty());

        window.page->UpdateCfg(*GetCfgData());
        const CCfgData& cfg = *GetCfgData();
        const tagSIP_ACCOUNT& account = **cfg.SipAccounts.begin();
        QCOMPARE(account.id, 7);
        QCOMPARE(account.account, "");
        QCOMPARE(account.proxy_port, 5060);
        QVERIFY(account.reg);
        QCOMPARE(account.reg_interval, 1800);
        const tagTRUNK_ITEM& item = **cfg.TrunkItems.begin();
        QCOMPARE(item.id, 2);
        QCOMPARE(item.span, -1);
        QCOMPARE(item.sip_user, -1);
        QCOMPARE(cfg.TrunkMatches.GetCount(), std::size_t(2));
        const tagTRUNK_MATCH& match = **cfg.TrunkMatches.begin();
        QCOMPARE(match.id, 9);
        QCOMPARE(match.priority, 4);
        QCOMPARE((*std::next(cfg.TrunkMatches.begin()))->id, 4);
    }

    // A port cell takes 1 to 65535 only, as the spreadsheet import does.
    void portCellsTakeOnlyPorts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the largest") << QStringLiteral("65535") << QStringLiteral("65535");
        QTest::newRow("one past the largest") << QStringLiteral("65536") << QStringLiteral("6553");
        QTest::newRow("far past") << QStringLiteral("70000") << QStringLiteral("7000");
        QTest::newRow("the smallest") << QStringLiteral("1") << QStringLiteral("1");
        QTest::newRow("below zero") << QStringLiteral("-1") << QStringLiteral("1");
    }
    void portCellsTakeOnlyPorts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        AddAccount(*GetCfgData(), 1, "a", 5060, true);
        PageWindow window;
        QVERIFY(window.Show());
        CPropertyGridCtrl& grid = window.Accounts();
        QCOMPARE(EditValue(grid, grid.GetProperty(0)->GetSubItem(4), typed), shown);
    }

    // A number cell takes only what its column can hold: digits, a minus, within the range of
    // an int. Anything else is refused while typing; a number left half typed keeps the value.
    void numberCellsTakeOnlyWhatTheirColumnHolds_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // in the box as typing leaves it
        QTest::addColumn<bool>("kept");     // the value stays as it was
        QTest::newRow("letters among digits") << QStringLiteral("50a60") << QStringLiteral("5060") << false;
        QTest::newRow("abc-5") << QStringLiteral("abc-5") << QStringLiteral("-5") << false;
        QTest::newRow("letters only") << QStringLiteral("abc") << QString() << true;
        QTest::newRow("leading space") << QStringLiteral(" 5070") << QStringLiteral("5070") << false;
        QTest::newRow("-1") << QStringLiteral("-1") << QStringLiteral("-1") << false;
        QTest::newRow("plus sign") << QStringLiteral("+12") << QStringLiteral("12") << false;
        QTest::newRow("minus inside") << QStringLiteral("5-5") << QStringLiteral("55") << false;
        QTest::newRow("empty") << QString() << QString() << true;
        QTest::newRow("a sign alone") << QStringLiteral("-") << QStringLiteral("-") << true;
        QTest::newRow("the largest") << QStringLiteral("2147483647") << QStringLiteral("2147483647") << false;
        QTest::newRow("one past the largest")
            << QStringLiteral("2147483648") << QStringLiteral("214748364") << false;
        QTest::newRow("the smallest")
            << QStringLiteral("-2147483648") << QStringLiteral("-2147483648") << false;
        QTest::newRow("one below the smallest")
            << QStringLiteral("-2147483649") << QStringLiteral("-214748364") << false;
    }

    void numberCellsTakeOnlyWhatTheirColumnHolds()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, kept);
        CCfgData& cfg = *GetCfgData();
        AddAccount(cfg, 1, "a", 5060, true);
        AddItem(cfg, 1, 7, 8, 9, -1);
        AddMatch(cfg, 1, "0", "", 3, 1);
        PageWindow window;
        QVERIFY(window.Show());
        // The number rows of every grid but the port: the interval, the four of a trunk item, the
        // trunk item of a rule.
        const QList<std::pair<CPropertyGridCtrl*, int>> numbers = {
            {&window.Accounts(), 6}, {&window.Items(), 0}, {&window.Items(), 1},
            {&window.Items(), 2},    {&window.Items(), 3}, {&window.Matches(), 2}};
        QStringList before;
        for (const auto& [grid, position] : numbers)
            before << grid->GetProperty(0)->GetSubItem(position)->GetValue();
        for (const auto& [grid, position] : numbers)
            QCOMPARE(EditValue(*grid, grid->GetProperty(0)->GetSubItem(position), typed), shown);
        QStringList after;
        for (const auto& [grid, position] : numbers)
            after << grid->GetProperty(0)->GetSubItem(position)->GetValue();
        QCOMPARE(after, kept ? before : QStringList(numbers.size(), shown));

        window.page->UpdateCfg(*GetCfgData());
        const tagSIP_ACCOUNT& account = **cfg.SipAccounts.begin();
        const tagTRUNK_ITEM& item = **cfg.TrunkItems.begin();
        const QList<int> stored = {account.reg_interval, item.node,
                                   item.board,           item.span,
                                   item.sip_user,        (**cfg.TrunkMatches.begin()).trunk_id};
        for (int index = 0; index < stored.size(); ++index)
            QCOMPARE(QString::number(stored[index]), after[index]);
    }

    void registeringIsExactlyTrue()
    {
        CCfgData& cfg = *GetCfgData();
        AddAccount(cfg, 1, "a", 5060, true);
        AddAccount(cfg, 2, "b", 5060, false);
        PageWindow window;
        QVERIFY(window.Show());
        CPropertyGridCtrl& grid = window.Accounts();
        // Choosing "false" in the first and "true" in the second, from the list.
        for (int index : {0, 1}) {
            QVERIFY(grid.EditItem(grid.GetProperty(index)->GetSubItem(5)));
            auto* choice = qobject_cast<QComboBox*>(QApplication::focusWidget());
            QVERIFY(choice);
            QTest::keyClick(choice, index == 0 ? Qt::Key_Down : Qt::Key_Up);
            QTest::keyClick(choice, Qt::Key_Return);
        }
        window.page->UpdateCfg(*GetCfgData());
        QVERIFY(!(**cfg.SipAccounts.begin()).reg);
        QVERIFY((**std::next(cfg.SipAccounts.begin())).reg);
        // Anything but the exact text clears it.
        grid.GetProperty(1)->GetSubItem(5)->SetValue(QStringLiteral("True"));
        window.page->UpdateCfg(*GetCfgData());
        QVERIFY(!(**std::next(cfg.SipAccounts.begin())).reg);
    }

    void typingStopsAtWhatTheFieldHolds_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString sixty(60, u'a');
        const QString account = QStringLiteral("gridSipAccount");
        QTest::newRow("account, 49 bytes") << account << 0 << sixty << QString(49, u'a');
        QTest::newRow("authentication account, 49 bytes") << account << 1 << sixty << QString(49, u'a');
        QTest::newRow("password, 29 bytes") << account << 2 << sixty << QString(29, u'a');
        QTest::newRow("password, 9 characters of 3 bytes and 2 of 1")
            << account << 2 << QStringLiteral("密码密码密码密码密码ab")
            << QStringLiteral("密码密码密码密码密ab");
        QTest::newRow("registration address, 49 bytes") << account << 3 << sixty << QString(49, u'a');
        const QString matches = QStringLiteral("gridTrunkMatch");
        QTest::newRow("prefix, 7 bytes")
            << matches << 0 << QStringLiteral("012345678") << QStringLiteral("0123456");
        QTest::newRow("prefix, no half character")
            << matches << 0 << QStringLiteral("字冠字冠") << QStringLiteral("字冠");
        QTest::newRow("number passed, 23 bytes") << matches << 1 << QString(30, u'9') << QString(23, u'9');
        QTest::newRow("extension password, 100 characters")
            << QStringLiteral("gridExten") << -1 << QString(120, u'密') << QString(100, u'密');
    }

    void typingStopsAtWhatTheFieldHolds()
    {
        QFETCH(QString, grid);
        QFETCH(int, position);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        CCfgData& cfg = *GetCfgData();
        AddAccount(cfg, 1, "a", 5060, true);
        AddMatch(cfg, 1, "0", "", 1, 1);
        cfg.Extens.SetAt(8001, "8001");
        PageWindow window;
        QVERIFY(window.Show());
        CPropertyGridCtrl& control = GridNamed(window, grid);
        CPropertyGridProperty* row =
            position < 0 ? control.GetProperty(0) : control.GetProperty(0)->GetSubItem(position);
        QCOMPARE(EditValue(control, row, typed), kept);
        QCOMPARE(row->GetValue(), kept);

        // What the grid shows is what is stored, byte for byte.
        window.page->UpdateCfg(*GetCfgData());
        std::string stored;
        if (grid == QLatin1String("gridExten")) {
            QVERIFY(cfg.Extens.Lookup(8001, stored));
        } else if (grid == QLatin1String("gridTrunkMatch")) {
            const tagTRUNK_MATCH& match = **cfg.TrunkMatches.begin();
            stored = position == 0 ? match.prefix : match.caller;
        } else {
            const tagSIP_ACCOUNT& account = **cfg.SipAccounts.begin();
            const char* fields[] = {account.account, account.auth_account, account.password,
                                    account.proxy_addr};
            stored = fields[position];
        }
        QCOMPARE(stored, Utf8(kept));
    }

    void orderOfRecordsIsTheGridsOrder()
    {
        CCfgData& cfg = *GetCfgData();
        AddAccount(cfg, 1, "one", 5060, true);
        AddAccount(cfg, 5, "five", 5060, true);
        PageWindow window;
        QVERIFY(window.Show());
        window.Edit("editSipAccountId")->setText(QStringLiteral("3"));
        window.Click("btnAddSipAccount");
        QCOMPARE(Captions(window.Accounts()),
                 (QStringList{QStringLiteral("SIP账户1"), QStringLiteral("SIP账户5"),
                              QStringLiteral("SIP账户3")}));
        window.page->UpdateCfg(*GetCfgData());
        QList<int> ids;
        for (const auto& account : cfg.SipAccounts)
            ids << account->id;
        QCOMPARE(ids, (QList<int>{1, 5, 3}));
        // A second save without changes gives the same list.
        window.page->UpdateCfg(*GetCfgData());
        QCOMPARE(cfg.SipAccounts.GetCount(), std::size_t(3));
        QCOMPARE((**cfg.SipAccounts.begin()).account, "one");
        QCOMPARE((**std::next(cfg.SipAccounts.begin(), 2)).id, 3);
    }

    void extensionCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("rows");
        // Listed before each command: 8002 with its own password, 8004 and 8011.
        const QStringList listed = {QStringLiteral("8002=own"), QStringLiteral("8004=8004"),
                                    QStringLiteral("8011=8011")};
        const QString noFirst = QStringLiteral("请输入起始分机号!");
        const QString addCount = QStringLiteral("分机数需在1至999之间！");
        const QString delCount = QStringLiteral("分机数需在1至99之间！");
        const auto range = [](int first, int count) {
            QStringList rows;
            for (int number = first; number < first + count; ++number)
                rows << QStringLiteral("%1=%1").arg(number);
            return rows;
        };

        for (const char* command : {"add", "delete"}) {
            const QString name = QString::fromLatin1(command);
            QTest::addRow("%s, first empty", command) << name << QString() << QStringLiteral("5") << noFirst
                                                      << QStringLiteral("editFirstExten") << listed;
            QTest::addRow("%s, first 0", command) << name << QStringLiteral("0") << QStringLiteral("5")
                                                  << noFirst << QStringLiteral("editFirstExten") << listed;
            QTest::addRow("%s, first 000", command) << name << QStringLiteral("000") << QString() << noFirst
                                                    << QStringLiteral("editFirstExten") << listed;
            QTest::addRow("%s, count empty", command) << name << QStringLiteral("9000") << QString()
                                                      << (name == QLatin1String("add") ? addCount : delCount)
                                                      << QStringLiteral("editExtenCount") << listed;
            QTest::addRow("%s, count 0", command) << name << QStringLiteral("9000") << QStringLiteral("0")
                                                  << (name == QLatin1String("add") ? addCount : delCount)
                                                  << QStringLiteral("editExtenCount") << listed;
            QTest::addRow("%s, count 1000", command)
                << name << QStringLiteral("9000") << QStringLiteral("1000")
                << (name == QLatin1String("add") ? addCount : delCount) << QStringLiteral("editExtenCount")
                << listed;
        }
        QTest::newRow("add 1") << QStringLiteral("add") << QStringLiteral("9000") << QStringLiteral("1")
                               << QString() << QString() << listed + range(9000, 1);
        QTest::newRow("add 99") << QStringLiteral("add") << QStringLiteral("9000") << QStringLiteral("99")
                                << QString() << QString() << listed + range(9000, 99);
        QTest::newRow("add 100") << QStringLiteral("add") << QStringLiteral("9000") << QStringLiteral("100")
                                 << QString() << QString() << listed + range(9000, 100);
        QTest::newRow("add 999") << QStringLiteral("add") << QStringLiteral("9000") << QStringLiteral("999")
                                 << QString() << QString() << listed + range(9000, 999);
        QTest::newRow("add over a listed one")
            << QStringLiteral("add") << QStringLiteral("8001") << QStringLiteral("3") << QString()
            << QString()
            << QStringList{QStringLiteral("8001=8001"), QStringLiteral("8002=8002"),
                           QStringLiteral("8003=8003"), QStringLiteral("8004=8004"),
                           QStringLiteral("8011=8011")};
        QTest::newRow("add the largest number")
            << QStringLiteral("add") << QStringLiteral("2147483647") << QStringLiteral("1") << QString()
            << QString() << listed + QStringList{QStringLiteral("2147483647=2147483647")};
        QTest::newRow("add past the largest number")
            << QStringLiteral("add") << QStringLiteral("2147483647") << QStringLiteral("2")
            << QStringLiteral("分机号不能大于2147483647，请减小起始分机号或添加数量！")
            << QStringLiteral("editFirstExten") << listed;
        QTest::newRow("add 999 ending past the largest number")
            << QStringLiteral("add") << QStringLiteral("2147483000") << QStringLiteral("999")
            << QStringLiteral("分机号不能大于2147483647，请减小起始分机号或添加数量！")
            << QStringLiteral("editFirstExten") << listed;
        QTest::newRow("delete 1") << QStringLiteral("delete") << QStringLiteral("8004") << QStringLiteral("1")
                                  << QString() << QString()
                                  << QStringList{QStringLiteral("8002=own"), QStringLiteral("8011=8011")};
        QTest::newRow("delete 1 not listed") << QStringLiteral("delete") << QStringLiteral("8005")
                                             << QStringLiteral("1") << QString() << QString() << listed;
        QTest::newRow("delete 10 around the listed")
            << QStringLiteral("delete") << QStringLiteral("8001") << QStringLiteral("10") << QString()
            << QString() << QStringList{QStringLiteral("8011=8011")};
        QTest::newRow("delete 99") << QStringLiteral("delete") << QStringLiteral("7990")
                                   << QStringLiteral("99") << QString() << QString() << QStringList{};
        QTest::newRow("delete 100") << QStringLiteral("delete") << QStringLiteral("8001")
                                    << QStringLiteral("100") << delCount << QStringLiteral("editExtenCount")
                                    << listed;
        QTest::newRow("delete 999") << QStringLiteral("delete") << QStringLiteral("8001")
                                    << QStringLiteral("999") << delCount << QStringLiteral("editExtenCount")
                                    << listed;
        QTest::newRow("delete past the largest number")
            << QStringLiteral("delete") << QStringLiteral("2147483600") << QStringLiteral("99") << QString()
            << QString() << listed;
    }

    void extensionCommands()
    {
        QFETCH(QString, command);
        QFETCH(QString, first);
        QFETCH(QString, count);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QStringList, rows);
        PageWindow window;
        QVERIFY(window.Show());
        CGridExten& grid = window.Extens();
        grid.SetExten(8002, QStringLiteral("own"));
        grid.SetExten(8004, QStringLiteral("8004"));
        grid.SetExten(8011, QStringLiteral("8011"));
        window.Edit("editFirstExten")->setText(first);
        window.Edit("editExtenCount")->setText(count);
        window.Edit("editSipAccountId")->setFocus();
        window.Click(command == QLatin1String("add") ? "btnAddExten" : "btnDelExten");

        QCOMPARE(Rows(grid), rows);
        if (message.isEmpty()) {
            QVERIFY(m_messages->Messages().empty());
            // A command done empties both boxes.
            QCOMPARE(window.Edit("editFirstExten")->text(), QString());
            QCOMPARE(window.Edit("editExtenCount")->text(), QString());
        } else {
            CheckOneMessage(window, Utf8(message), "Tarvex");
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
            QCOMPARE(window.Edit("editFirstExten")->text(), first);
            QCOMPARE(window.Edit("editExtenCount")->text(), count);
        }
        // The index of the grid agrees with its rows.
        for (int index = 0; index < grid.GetPropertyCount(); ++index)
            QCOMPARE(grid.FindById(static_cast<int>(grid.GetProperty(index)->GetData())),
                     grid.GetProperty(index));
    }

    void numberBoxesTakeDigitsUpToTheLargestNumber_data()
    {
        QTest::addColumn<QString>("box");
        for (const char* box :
             {"editFirstExten", "editExtenCount", "editSipAccountId", "editTrunkItemId", "editTrunkMatchId"})
            QTest::newRow(box) << QString::fromLatin1(box);
    }

    void numberBoxesTakeDigitsUpToTheLargestNumber()
    {
        QFETCH(QString, box);
        PageWindow window;
        QVERIFY(window.Show());
        auto* edit = window.page->findChild<QLineEdit*>(box);
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("-1a2 b3.4"));
        QCOMPARE(edit->text(), QStringLiteral("1234"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("21474836479"));
        QCOMPARE(edit->text(), QStringLiteral("2147483647"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("2147483648"));
        QCOMPARE(edit->text(), QStringLiteral("214748364"));
    }

    void recordCommands_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("add");
        QTest::addColumn<QString>("del");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("duplicate");
        QTest::addColumn<QString>("missing");
        QTest::newRow("SIP accounts") << "gridSipAccount"
                                      << "editSipAccountId"
                                      << "btnAddSipAccount"
                                      << "btnDelSipAccount" << QStringLiteral("SIP账户%1")
                                      << QStringLiteral("ID = %1的SIP注册账户已存在，请更换ID后重新添加")
                                      << QStringLiteral("不存在ID = %1的SIP注册账户！");
        QTest::newRow("trunk items") << "gridTrunkItem"
                                     << "editTrunkItemId"
                                     << "btnAddTrunkItem"
                                     << "btnDelTrunkItem" << QStringLiteral("中继项%1")
                                     << QStringLiteral("ID = %1的中继项已存在，请更换ID后重新添加")
                                     << QStringLiteral("不存在ID = %1的中继项！");
        QTest::newRow("trunk matches") << "gridTrunkMatch"
                                       << "editTrunkMatchId"
                                       << "btnAddTrunkMatch"
                                       << "btnDelTrunkMatch" << QStringLiteral("中继匹配%1")
                                       << QStringLiteral("ID = %1的中继匹配已存在，请更换ID后重新添加")
                                       << QStringLiteral("不存在ID = %1的中继匹配！");
    }

    void recordCommands()
    {
        QFETCH(QString, grid);
        QFETCH(QString, box);
        QFETCH(QString, add);
        QFETCH(QString, del);
        QFETCH(QString, caption);
        QFETCH(QString, duplicate);
        QFETCH(QString, missing);
        CCfgData& cfg = *GetCfgData();
        AddAccount(cfg, 4, "four", 5060, true);
        AddItem(cfg, 4, 0, 0, 1, -1);
        AddMatch(cfg, 4, "4", "", 4, 4);
        PageWindow window;
        QVERIFY(window.Show());
        CPropertyGridCtrl& control = GridNamed(window, grid);
        QLineEdit* edit = window.page->findChild<QLineEdit*>(box);
        const auto press = [&window](const QString& button) { window.Click(qPrintable(button)); };

        // An empty box means ID 0, once.
        press(add);
        QCOMPARE(Captions(control), (QStringList{caption.arg(4), caption.arg(0)}));
        QVERIFY(m_messages->Messages().empty());
        press(add);
        CheckOneMessage(window, Utf8(duplicate.arg(0)), "ID重复");
        QCOMPARE(control.GetPropertyCount(), 2);
        m_messages->Clear();

        // A loaded ID is taken too.
        edit->setText(QStringLiteral("4"));
        press(add);
        CheckOneMessage(window, Utf8(duplicate.arg(4)), "ID重复");
        QCOMPARE(edit->text(), QStringLiteral("4"));
        m_messages->Clear();

        // Deleting removes the group with its rows, and leaves the box as it is.
        press(del);
        QVERIFY(m_messages->Messages().empty());
        QCOMPARE(Captions(control), QStringList{caption.arg(0)});
        QCOMPARE(Rows(control).size(), control.GetProperty(0)->GetSubItemsCount() + 1);
        QCOMPARE(edit->text(), QStringLiteral("4"));
        press(del);
        CheckOneMessage(window, Utf8(missing.arg(4)), "ID不存在");
        QCOMPARE(edit->text(), QStringLiteral("4"));
        m_messages->Clear();

        edit->setText(QStringLiteral("5"));
        press(del);
        CheckOneMessage(window, Utf8(missing.arg(5)), "ID不存在");
        QCOMPARE(edit->text(), QStringLiteral("5"));
        m_messages->Clear();

        edit->setText(QStringLiteral("2147483647"));
        press(add);
        QCOMPARE(Captions(control), (QStringList{caption.arg(0), caption.arg(2147483647)}));
        edit->clear();
        press(del);
        QCOMPARE(Captions(control), (QStringList{caption.arg(2147483647)}));
        QVERIFY(m_messages->Messages().empty());
    }

    void savingAfterDeletingEverythingEmptiesTheStore()
    {
        CCfgData& cfg = *GetCfgData();
        cfg.Extens.SetAt(8001, "a");
        cfg.Extens.SetAt(8002, "b");
        AddAccount(cfg, 1, "a", 5060, true);
        AddItem(cfg, 2, 0, 0, 0, -1);
        AddMatch(cfg, 3, "0", "", 1, 1);
        PageWindow window;
        QVERIFY(window.Show());
        window.Edit("editFirstExten")->setText(QStringLiteral("8001"));
        window.Edit("editExtenCount")->setText(QStringLiteral("2"));
        window.Click("btnDelExten");
        const struct
        {
            const char* box;
            const char* button;
            const char* id;
        } deletions[] = {{"editSipAccountId", "btnDelSipAccount", "1"},
                         {"editTrunkItemId", "btnDelTrunkItem", "2"},
                         {"editTrunkMatchId", "btnDelTrunkMatch", "3"}};
        for (const auto& deletion : deletions) {
            window.Edit(deletion.box)->setText(QString::fromLatin1(deletion.id));
            window.Click(deletion.button);
        }
        QVERIFY(m_messages->Messages().empty());
        // Nothing reaches the store before UpdateCfg.
        QCOMPARE(cfg.Extens.GetCount(), std::size_t(2));
        QCOMPARE(cfg.SipAccounts.GetCount(), std::size_t(1));
        window.page->UpdateCfg(*GetCfgData());
        QVERIFY(cfg.Extens.IsEmpty());
        QVERIFY(cfg.SipAccounts.IsEmpty());
        QVERIFY(cfg.TrunkItems.IsEmpty());
        QVERIFY(cfg.TrunkMatches.IsEmpty());
    }

    void tabOrder()
    {
        PageWindow window;
        QVERIFY(window.Show());
        const QStringList expected = {
            QStringLiteral("editFirstExten"),   QStringLiteral("editExtenCount"),
            QStringLiteral("btnAddExten"),      QStringLiteral("btnDelExten"),
            QStringLiteral("gridExten"),        QStringLiteral("editSipAccountId"),
            QStringLiteral("btnAddSipAccount"), QStringLiteral("btnDelSipAccount"),
            QStringLiteral("gridSipAccount"),   QStringLiteral("editTrunkItemId"),
            QStringLiteral("btnAddTrunkItem"),  QStringLiteral("btnDelTrunkItem"),
            QStringLiteral("gridTrunkItem"),    QStringLiteral("editTrunkMatchId"),
            QStringLiteral("btnAddTrunkMatch"), QStringLiteral("btnDelTrunkMatch"),
            QStringLiteral("gridTrunkMatch"),
        };
        // Tab follows the screen: top to bottom, left to right within a row.
        QCOMPARE(ScreenOrder(window.page), expected);
        window.Edit("editFirstExten")->setFocus();
        const int steps = int(expected.size());
        QCOMPARE(WalkFocus(window.page, Qt::Key_Tab, steps - 1), expected);
        QStringList backward = WalkFocus(window.page, Qt::Key_Backtab, steps - 1);
        std::reverse(backward.begin(), backward.end());
        QCOMPARE(backward, expected);
        QCOMPARE(TabStops(window.page), QSet<QString>(expected.begin(), expected.end()));
    }

    void tabBringsTheFocusedControlIntoView()
    {
        AddMatch(*GetCfgData(), 1, "0", "", 1, 1);
        AddMatch(*GetCfgData(), 2, "9", "", 1, 2);
        PageWindow window;
        QVERIFY(window.Show());
        window.Edit("editFirstExten")->setFocus();
        for (int step = 0; step < 16; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QWidget* focus = QApplication::focusWidget();
            const QRect shown(focus->mapTo(window.page, QPoint()), focus->size());
            QVERIFY2(shown.top() >= 0 && shown.bottom() < window.page->height(),
                     qPrintable(FocusedControl(window.page)));
        }
        QCOMPARE(FocusedControl(window.page), QStringLiteral("gridTrunkMatch"));
        // The whole grid, its description area included, and a current row to show the focus.
        auto* matches = window.page->findChild<CPropertyGridCtrl*>(QStringLiteral("gridTrunkMatch"));
        QVERIFY(InView(window.page, matches->findChild<QWidget*>(QStringLiteral("propertyDescriptionArea"))));
        QCOMPARE(matches->GetCurSel(), matches->GetProperty(0));
    }

    void showingThePageFocusesTheFirstExtension()
    {
        PageWindow window;
        QVERIFY(window.Show());
        QCOMPARE(QApplication::focusWidget(), window.Edit("editFirstExten"));
        // Shown again, the page gives the focus back to where it was, and shows it.
        window.Edit("editTrunkMatchId")->setFocus();
        window.page->findChild<QScrollBar*>()->triggerAction(QAbstractSlider::SliderToMinimum);
        window.page->hide();
        window.page->show();
        QCOMPARE(QApplication::focusWidget(), window.Edit("editTrunkMatchId"));
        QVERIFY(InView(window.page, window.Edit("editTrunkMatchId")));
    }

    void enterInTheBoxesAndEscapeAnywhereChangeNothing()
    {
        CCfgData& cfg = *GetCfgData();
        cfg.Extens.SetAt(8001, "a");
        AddAccount(cfg, 1, "a", 5060, true);
        PageWindow window;
        QVERIFY(window.Show());
        const QStringList extens = Rows(window.Extens());
        const QStringList accounts = Rows(window.Accounts());
        for (const char* box : {"editFirstExten", "editExtenCount", "editSipAccountId", "editTrunkItemId",
                                "editTrunkMatchId"}) {
            QLineEdit* edit = window.Edit(box);
            edit->setFocus();
            QTest::keyClicks(edit, QStringLiteral("8002"));
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(edit, key);
            QCOMPARE(edit->text(), QStringLiteral("8002"));
            edit->clear();
        }
        for (const char* control : {"gridExten", "gridSipAccount", "btnAddExten", "btnDelSipAccount"}) {
            window.Control(control)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        QVERIFY(window.dialog.isVisible());
        QVERIFY(window.page->isVisible());
        QVERIFY(m_messages->Messages().empty());
        QCOMPARE(Rows(window.Extens()), extens);
        QCOMPARE(Rows(window.Accounts()), accounts);
        QCOMPARE(Rows(window.Items()), QStringList());
    }

    void enterOnAFocusedButtonPressesIt()
    {
        PageWindow window;
        QVERIFY(window.Show());
        window.Edit("editTrunkItemId")->setText(QStringLiteral("6"));
        window.Control("btnAddTrunkItem")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Captions(window.Items()), QStringList{QStringLiteral("中继项6")});
        window.Edit("editFirstExten")->setText(QStringLiteral("100"));
        window.Edit("editExtenCount")->setText(QStringLiteral("2"));
        window.Control("btnAddExten")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(Rows(window.Extens()), (QStringList{QStringLiteral("100=100"), QStringLiteral("101=101")}));
        QVERIFY(m_messages->Messages().empty());
    }

    void aGridEditByKeyboardInsideThePage()
    {
        GetCfgData()->Extens.SetAt(8001, "old");
        PageWindow window;
        QVERIFY(window.Show());
        // Tab to the grid, type over the password, Enter takes it; then Escape abandons one.
        window.Edit("editFirstExten")->setFocus();
        for (int step = 0; step < 4; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(FocusedControl(window.page), QStringLiteral("gridExten"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(edit);
        edit->selectAll();
        Type(QStringLiteral("新密码"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(Rows(window.Extens()), QStringList{QStringLiteral("8001=新密码")});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        Type(QStringLiteral("x"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(Rows(window.Extens()), QStringList{QStringLiteral("8001=新密码")});
        QCOMPARE(FocusedControl(window.page), QStringLiteral("gridExten"));
        QVERIFY(window.dialog.isVisible());
    }
};

QTEST_MAIN(TestLinePage)
#include "tst_linepage.moc"
