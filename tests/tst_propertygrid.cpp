// The property-grid control on its own, inside a page as the lines page holds it: rows and
// groups in the order added, finding by item data, removal, header and description area,
// option rows that refuse typing, the room of a typed value, and the keyboard of an edit.
#include "controls/CPropertyGridCtrl.h"
#include "controls/CPropertyGridProperty.h"
#include "controls/CPropertyGridView.h"
#include "pages/CCfgDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>
#include <memory>

namespace {

using Property = CPropertyGridProperty;

/// A page with a field before and after the grid, as the lines page places its grids.
class HostPage : public CCfgDialog
{
public:
    QLineEdit* before;
    CPropertyGridCtrl* grid;
    QLineEdit* after;

    explicit HostPage(QWidget* parent) : CCfgDialog(300, parent)
    {
        before = new QLineEdit;
        before->setObjectName(QStringLiteral("editBefore"));
        grid = new CPropertyGridCtrl;
        grid->setObjectName(QStringLiteral("grid"));
        grid->setFixedHeight(300);
        after = new QLineEdit;
        after->setObjectName(QStringLiteral("editAfter"));
        auto* layout = new QVBoxLayout(Form());
        layout->addWidget(before);
        layout->addWidget(grid);
        layout->addWidget(after);
        OnInitDialog();
    }

    void UpdateCfg(CCfgData&) override {}
    void ShowCfg(const CCfgData&) override {}
};

/// A window with a default button that Enter would press and that Escape would close.
struct Window
{
    QDialog dialog;
    QPushButton* ok;
    HostPage* page;
    int accepted = 0;

    Window()
    {
        dialog.resize(640, 480);
        ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        ok->setGeometry(10, 440, 80, 30);
        QObject::connect(ok, &QPushButton::clicked, &dialog, [this] { ++accepted; });
        page = new HostPage(&dialog);
        page->setGeometry(10, 10, 620, 420);
        page->show();
    }

    bool Show()
    {
        dialog.show();
        dialog.activateWindow();
        return QTest::qWaitForWindowActive(&dialog);
    }

    CPropertyGridCtrl& Grid() const { return *page->grid; }
    QTreeView* Tree() const { return page->grid->findChild<QTreeView*>(QStringLiteral("propertyTree")); }
    QLabel* Label(const char* name) const
    {
        return page->grid->findChild<QLabel*>(QString::fromLatin1(name));
    }
    QWidget* Description() const
    {
        return page->grid->findChild<QWidget*>(QStringLiteral("propertyDescriptionArea"));
    }
};

std::unique_ptr<Property> Group(const QString& caption, qint64 data, const QStringList& names)
{
    auto group = Property::NewGroup(caption, data);
    for (const QString& name : names)
        group->AddSubItem(Property::NewValue(name, name + QStringLiteral(" value"), {}, data));
    return group;
}

Property* AddValue(CPropertyGridCtrl& grid, const QString& name, const QString& value, qint64 data = 0)
{
    return grid.AddProperty(Property::NewValue(name, value, {}, data));
}

/// The captions and names of the rows the tree shows, from the top, as a user sees them.
QStringList ShownRows(QTreeView* tree)
{
    QStringList shown;
    for (QModelIndex index = tree->model()->index(0, 0); index.isValid(); index = tree->indexBelow(index))
        shown << index.data().toString();
    return shown;
}

/// Types `text` a character at a time, as a keyboard or an input method delivers it.
void Type(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

bool Editing(QTreeView* tree)
{
    return qobject_cast<CPropertyGridView*>(tree)->IsEditing();
}

QWidget* Focused()
{
    return QApplication::focusWidget();
}

} // namespace

class TestPropertyGrid : public QObject
{
    Q_OBJECT

    std::unique_ptr<Window> m_window;

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<Window>();
        QVERIFY(m_window->Show());
    }
    void cleanup() { m_window.reset(); }

    void rowsStayInTheOrderAddedAndGroupsShowExpanded()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        AddValue(grid, QStringLiteral("9"), QStringLiteral("x"));
        grid.AddProperty(Group(QStringLiteral("Group 5"), 5, {QStringLiteral("b"), QStringLiteral("a")}));
        std::vector<std::unique_ptr<Property>> more;
        more.push_back(Property::NewValue(QStringLiteral("1"), {}, {}, 1));
        more.push_back(Group(QStringLiteral("Group 2"), 2, {QStringLiteral("c")}));
        grid.AddProperties(std::move(more));
        AddValue(grid, QStringLiteral("0"), {});

        QCOMPARE(grid.GetPropertyCount(), 5);
        QCOMPARE(grid.GetProperty(1)->GetName(), QStringLiteral("Group 5"));
        QCOMPARE(grid.GetProperty(1)->GetSubItem(1)->GetName(), QStringLiteral("a"));
        QCOMPARE(grid.GetProperty(1)->GetSubItem(1)->GetParent(), grid.GetProperty(1));
        QCOMPARE(ShownRows(m_window->Tree()),
                 (QStringList{QStringLiteral("9"), QStringLiteral("Group 5"), QStringLiteral("b"),
                              QStringLiteral("a"), QStringLiteral("1"), QStringLiteral("Group 2"),
                              QStringLiteral("c"), QStringLiteral("0")}));
        // A value shows beside its name.
        const QModelIndex first = m_window->Tree()->model()->index(0, 1);
        QCOMPARE(first.data().toString(), QStringLiteral("x"));
    }

    void groupsCollapseAndExpandByKeyboardAndMouse()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        Property* group =
            grid.AddProperty(Group(QStringLiteral("G"), 1, {QStringLiteral("a"), QStringLiteral("b")}));
        AddValue(grid, QStringLiteral("after"), {});
        QTreeView* tree = m_window->Tree();
        grid.setFocus();
        grid.SetCurSel(group);
        QTest::keyClick(tree, Qt::Key_Left);
        QCOMPARE(ShownRows(tree), (QStringList{QStringLiteral("G"), QStringLiteral("after")}));
        QTest::keyClick(tree, Qt::Key_Right);
        QCOMPARE(ShownRows(tree).size(), 4);
        const QRect caption = tree->visualRect(tree->model()->index(0, 0));
        // A double click is a click and then a second press that makes it double.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, caption.center());
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, caption.center());
        QCOMPARE(ShownRows(tree).size(), 2);
        // The caption is no value: nothing opens an editor on it.
        QVERIFY(!grid.EditItem(group));
        QVERIFY(!Editing(tree));
    }

    void findingByItemDataGivesTheFirstFromTheTop()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        Property* first = AddValue(grid, QStringLiteral("a"), {}, 5);
        Property* other = AddValue(grid, QStringLiteral("b"), {}, 7);
        Property* second = AddValue(grid, QStringLiteral("c"), {}, 5);
        Property* group = grid.AddProperty(Group(QStringLiteral("g"), 9, {QStringLiteral("x")}));
        QCOMPARE(grid.FindItemByData(5), first);
        QCOMPARE(grid.FindItemByData(7), other);
        QCOMPARE(grid.FindItemByData(9), group);
        QCOMPARE(grid.FindItemByData(6), nullptr);

        grid.DeleteProperty(first);
        QCOMPARE(grid.FindItemByData(5), second);
        Property* third = AddValue(grid, QStringLiteral("d"), {}, 5);
        QCOMPARE(grid.FindItemByData(5), second);
        grid.DeleteProperty(second);
        QCOMPARE(grid.FindItemByData(5), third);
        grid.DeleteProperty(third);
        QCOMPARE(grid.FindItemByData(5), nullptr);
        QCOMPARE(grid.FindItemByData(7), other);
    }

    void removingAGroupTakesItsSubRowsAndLeavesNoSelection()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        AddValue(grid, QStringLiteral("top"), {}, 1);
        Property* group =
            grid.AddProperty(Group(QStringLiteral("G"), 2, {QStringLiteral("a"), QStringLiteral("b")}));
        grid.AddProperty(Group(QStringLiteral("H"), 3, {QStringLiteral("c")}));
        grid.SetCurSel(group->GetSubItem(1));
        QCOMPARE(grid.GetCurSel(), group->GetSubItem(1));

        grid.DeleteProperty(group);
        QCOMPARE(grid.GetPropertyCount(), 2);
        QCOMPARE(grid.GetProperty(1)->GetName(), QStringLiteral("H"));
        QCOMPARE(ShownRows(m_window->Tree()),
                 (QStringList{QStringLiteral("top"), QStringLiteral("H"), QStringLiteral("c")}));
        QCOMPARE(grid.GetCurSel(), nullptr);
        QCOMPARE(grid.FindItemByData(2), nullptr);
        QCOMPARE(grid.FindItemByData(3), grid.GetProperty(1));

        // Rows after a removed one keep working: edited, selected, removed in turn.
        Property* h = grid.GetProperty(1);
        grid.SetCurSel(h->GetSubItem(0));
        h->GetSubItem(0)->SetValue(QStringLiteral("changed"));
        QCOMPARE(
            m_window->Tree()->model()->index(0, 1, m_window->Tree()->model()->index(1, 0)).data().toString(),
            QStringLiteral("changed"));
        grid.DeleteProperty(h);
        grid.DeleteProperty(grid.GetProperty(0));
        QCOMPARE(grid.GetPropertyCount(), 0);
        QVERIFY(ShownRows(m_window->Tree()).isEmpty());
    }

    void headerRowOnAndOff()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        QHeaderView* header = m_window->Tree()->header();
        grid.EnableHeaderCtrl(true, QStringLiteral("分机号"), QStringLiteral("接入密码"));
        QVERIFY(header->isVisible());
        QCOMPARE(header->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("分机号"));
        QCOMPARE(header->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("接入密码"));
        grid.EnableHeaderCtrl(false);
        QVERIFY(!header->isVisible());
        // The first row then starts at the top of the grid.
        AddValue(grid, QStringLiteral("a"), {});
        QCOMPARE(m_window->Tree()->visualRect(m_window->Tree()->model()->index(0, 0)).top(), 0);
    }

    void theNameColumnKeepsItsShareOfTheWidth_data()
    {
        QTest::addColumn<int>("divisor");
        QTest::newRow("a third") << 3;
        QTest::newRow("a quarter") << 4;
    }

    void theNameColumnKeepsItsShareOfTheWidth()
    {
        QFETCH(int, divisor);
        CPropertyGridCtrl& grid = m_window->Grid();
        QTreeView* tree = m_window->Tree();
        grid.SetNameColumnShare(divisor);
        QCOMPARE(tree->header()->sectionSize(0), tree->viewport()->width() / divisor);
        grid.setFixedWidth(grid.width() - 90);
        QTRY_COMPARE(tree->header()->sectionSize(0), tree->viewport()->width() / divisor);
    }

    void theDescriptionAreaShowsTheSelectedRow()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        auto group = Property::NewGroup(QStringLiteral("中继项2"), 2);
        group->AddSubItem(Property::NewValue(QStringLiteral("设备节点"), QStringLiteral("0"), {}, 2));
        group->AddSubItem(Property::NewValue(QStringLiteral("数字中继口"), QStringLiteral("-1"),
                                             QStringLiteral("SIP中继该值填写-1"), 2));
        Property* added = grid.AddProperty(std::move(group));

        QVERIFY(!m_window->Description()->isVisible());
        grid.EnableDescriptionArea(true, 2);
        QVERIFY(m_window->Description()->isVisible());
        const int line = m_window->Label("propertyDescription")->fontMetrics().lineSpacing();
        QVERIFY(m_window->Description()->height() >= 2 * line);
        QVERIFY(m_window->Description()->height() < 4 * line);
        // Below the rows, inside the grid.
        QVERIFY(m_window->Description()->geometry().top() >= m_window->Tree()->geometry().bottom());

        grid.SetCurSel(added->GetSubItem(1));
        QCOMPARE(m_window->Label("propertyDescription")->text(), QStringLiteral("SIP中继该值填写-1"));
        QCOMPARE(m_window->Label("propertyDescriptionName")->text(), QStringLiteral("数字中继口"));
        grid.SetCurSel(added->GetSubItem(0));
        QCOMPARE(m_window->Label("propertyDescription")->text(), QString());
        QCOMPARE(m_window->Label("propertyDescriptionName")->text(), QStringLiteral("设备节点"));
        // The keyboard moves the selection, and the description with it.
        m_window->Tree()->setFocus();
        QTest::keyClick(m_window->Tree(), Qt::Key_Down);
        QCOMPARE(m_window->Label("propertyDescription")->text(), QStringLiteral("SIP中继该值填写-1"));

        grid.EnableDescriptionArea(false, 2);
        QVERIFY(!m_window->Description()->isVisible());
    }

    // The grid shows that it has the focus: a frame round its rows, gone with the focus.
    void focusShows()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        grid.AddProperty(Property::NewValue(QStringLiteral("名称"), QStringLiteral("值"), {}, 1));
        m_window->Tree()->setFocus(Qt::TabFocusReason);
        QVERIFY(m_window->Tree()->hasFocus());
        const QImage focused = m_window->Tree()->viewport()->grab().toImage();
        m_window->ok->setFocus(Qt::TabFocusReason);
        const QImage away = m_window->Tree()->viewport()->grab().toImage();
        const QPoint edge(1, focused.height() / 2);
        QCOMPARE(focused.pixelColor(edge), m_window->Tree()->palette().color(QPalette::Highlight));
        QVERIFY(away.pixelColor(edge) != focused.pixelColor(edge));
    }

    void optionRowsAreEditedOnlyByChoosing()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        auto row = Property::NewValue(QStringLiteral("是否注册"), QStringLiteral("true"), {}, 1);
        row->AddOption(QStringLiteral("true"));
        row->AddOption(QStringLiteral("false"));
        Property* reg = grid.AddProperty(std::move(row));

        QVERIFY(grid.EditItem(reg));
        auto* choice = qobject_cast<QComboBox*>(Focused());
        QVERIFY(choice);
        QVERIFY(!choice->isEditable());
        QCOMPARE(choice->count(), 2);
        QCOMPARE(choice->itemText(0), QStringLiteral("true"));
        QCOMPARE(choice->itemText(1), QStringLiteral("false"));
        QCOMPARE(choice->currentText(), QStringLiteral("true"));
        QTest::keyClicks(choice, QStringLiteral("xyz1"));
        QTest::keyClick(choice, Qt::Key_Return);
        QCOMPARE(reg->GetValue(), QStringLiteral("true"));

        // Choosing from the list is the whole edit.
        QVERIFY(grid.EditItem(reg));
        choice = qobject_cast<QComboBox*>(Focused());
        QVERIFY(choice);
        choice->setCurrentIndex(1);
        Q_EMIT choice->activated(1);
        QCOMPARE(reg->GetValue(), QStringLiteral("false"));
        QVERIFY(!Editing(m_window->Tree()));

        // Typing on the row opens the list; the letters still cannot make a value of their own.
        grid.SetCurSel(reg);
        m_window->Tree()->setFocus();
        for (char letter : {'m', 'a', 'y', 'b', 'e'})
            QTest::keyClick(Focused(), letter);
        auto* open = qobject_cast<QComboBox*>(Focused());
        QVERIFY(open);
        QTest::keyClick(open, Qt::Key_Return);
        QCOMPARE(reg->GetValue(), QStringLiteral("false"));
        QVERIFY(!Editing(m_window->Tree()));
    }

    void aValueOutsideTheOptionsStaysUntilOneIsChosen()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        auto row = Property::NewValue(QStringLiteral("优先级"), QStringLiteral("7"), {}, 1);
        for (const char* option : {"1", "2", "3", "4"})
            row->AddOption(QString::fromLatin1(option));
        Property* priority = grid.AddProperty(std::move(row));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QVERIFY(grid.EditItem(priority));
            auto* choice = qobject_cast<QComboBox*>(Focused());
            QVERIFY(choice);
            QCOMPARE(choice->currentIndex(), -1);
            QCOMPARE(choice->placeholderText(), QStringLiteral("7"));
            QTest::keyClick(choice, key);
            QCOMPARE(priority->GetValue(), QStringLiteral("7"));
        }
        QVERIFY(grid.EditItem(priority));
        auto* choice = qobject_cast<QComboBox*>(Focused());
        choice->setCurrentIndex(1);
        QTest::keyClick(choice, Qt::Key_Enter);
        QCOMPARE(priority->GetValue(), QStringLiteral("2"));
    }

    void enterTakesAndEscapeAbandonsAnEditWithoutReachingThePage_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("taken");
        QTest::newRow("Return") << int(Qt::Key_Return) << true;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    }

    void enterTakesAndEscapeAbandonsAnEditWithoutReachingThePage()
    {
        QFETCH(int, key);
        QFETCH(bool, taken);
        CPropertyGridCtrl& grid = m_window->Grid();
        Property* row = AddValue(grid, QStringLiteral("密码"), QStringLiteral("old"));
        AddValue(grid, QStringLiteral("next"), QStringLiteral("n"));
        QVERIFY(grid.EditItem(row));
        auto* edit = qobject_cast<QLineEdit*>(Focused());
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("old"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("new text"));
        QTest::keyClick(edit, Qt::Key(key));

        QCOMPARE(row->GetValue(), taken ? QStringLiteral("new text") : QStringLiteral("old"));
        QVERIFY(!Editing(m_window->Tree()));
        QCOMPARE(Focused(), m_window->Tree());
        QCOMPARE(grid.GetCurSel(), row);
        // Neither the window's default button nor its Escape saw the key.
        QCOMPARE(m_window->accepted, 0);
        QVERIFY(m_window->dialog.isVisible());
        // And the key without an edit open does nothing either.
        QTest::keyClick(m_window->Tree(), Qt::Key(key));
        QCOMPARE(row->GetValue(), taken ? QStringLiteral("new text") : QStringLiteral("old"));
        QCOMPARE(m_window->accepted, 0);
        QVERIFY(m_window->dialog.isVisible());
    }

    void typingOnARowStartsItsEditWhicheverCellIsCurrent()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        Property* row = AddValue(grid, QStringLiteral("注册端口"), QStringLiteral("5060"));
        grid.SetCurSel(row);
        QCOMPARE(m_window->Tree()->currentIndex().column(), 0);
        m_window->Tree()->setFocus();
        // Each key goes where the keyboard focus is, as the keyboard sends it.
        for (char digit : {'5', '0', '7', '0'})
            QTest::keyClick(Focused(), digit);
        QVERIFY(qobject_cast<QLineEdit*>(Focused()));
        QTest::keyClick(Focused(), Qt::Key_Return);
        QCOMPARE(row->GetValue(), QStringLiteral("5070"));
        // F2 opens the edit with the value as it is.
        QTest::keyClick(m_window->Tree(), Qt::Key_F2);
        auto* edit = qobject_cast<QLineEdit*>(Focused());
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("5070"));
        QTest::keyClick(edit, Qt::Key_Escape);
        // Names cannot be edited.
        QCOMPARE(m_window->Tree()->model()->flags(m_window->Tree()->model()->index(0, 0)) &
                     Qt::ItemIsEditable,
                 Qt::ItemFlags());
    }

    void tabLeavesTheGridForTheNextControl()
    {
        CPropertyGridCtrl& grid = m_window->Grid();
        Property* row = AddValue(grid, QStringLiteral("a"), QStringLiteral("1"));
        AddValue(grid, QStringLiteral("b"), QStringLiteral("2"));
        HostPage& page = *m_window->page;
        page.before->setFocus();
        QTest::keyClick(page.before, Qt::Key_Tab);
        QCOMPARE(Focused(), m_window->Tree());
        QTest::keyClick(Focused(), Qt::Key_Tab);
        QCOMPARE(Focused(), page.after);
        QTest::keyClick(Focused(), Qt::Key_Backtab);
        QCOMPARE(Focused(), m_window->Tree());
        QTest::keyClick(Focused(), Qt::Key_Backtab);
        QCOMPARE(Focused(), page.before);

        // From an open edit Tab takes the value and moves on all the same, either way.
        QVERIFY(grid.EditItem(row));
        QTest::keyClicks(Focused(), QStringLiteral("9"));
        QTest::keyClick(Focused(), Qt::Key_Tab);
        QCOMPARE(row->GetValue(), QStringLiteral("9"));
        QCOMPARE(Focused(), page.after);
        QVERIFY(grid.EditItem(row));
        QTest::keyClicks(Focused(), QStringLiteral("8"));
        QTest::keyClick(Focused(), Qt::Key_Backtab);
        QCOMPARE(row->GetValue(), QStringLiteral("8"));
        QCOMPARE(Focused(), page.before);
        QVERIFY(!Editing(m_window->Tree()));
    }

    void typingStopsAtTheRoomOfTheValue_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("characters");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString hundred(100, u'p');
        QTest::newRow("7 bytes, ASCII")
            << 7 << -1 << QStringLiteral("0123456789") << QStringLiteral("0123456");
        QTest::newRow("7 bytes, no half character")
            << 7 << -1 << QStringLiteral("字冠字冠") << QStringLiteral("字冠");
        QTest::newRow("7 bytes, a last byte left")
            << 7 << -1 << QStringLiteral("字冠a字") << QStringLiteral("字冠a");
        QTest::newRow("29 bytes") << 29 << -1 << QString(40, u'x') << QString(29, u'x');
        QTest::newRow("100 characters") << -1 << 100 << hundred + QStringLiteral("qq") << hundred;
        QTest::newRow("100 characters of 3 bytes") << -1 << 100 << QString(101, u'密') << QString(100, u'密');
        QTest::newRow("a pair of surrogates is one character")
            << -1 << 2 << QStringLiteral("a😀b") << QStringLiteral("a😀");
        QTest::newRow("no limit") << -1 << -1 << QString(300, u'z') << QString(300, u'z');
    }

    void typingStopsAtTheRoomOfTheValue()
    {
        QFETCH(int, bytes);
        QFETCH(int, characters);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        CPropertyGridCtrl& grid = m_window->Grid();
        auto added = Property::NewValue(QStringLiteral("账户"), {}, {}, 1);
        added->SetMaxUtf8Bytes(bytes);
        added->SetMaxCharacters(characters);
        Property* row = grid.AddProperty(std::move(added));
        QVERIFY(grid.EditItem(row));
        auto* edit = qobject_cast<QLineEdit*>(Focused());
        QVERIFY(edit);
        Type(edit, typed);
        QCOMPARE(edit->text(), kept);
        // A paste that would not fit is refused whole.
        edit->insert(QStringLiteral("€"));
        if (bytes < 0 && characters < 0)
            kept += QStringLiteral("€");
        QCOMPARE(edit->text(), kept);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(row->GetValue(), kept);
    }
};

QTEST_MAIN(TestPropertyGrid)
#include "tst_propertygrid.moc"
