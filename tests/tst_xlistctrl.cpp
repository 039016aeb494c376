// The line list: its look, finding a row by its line number, deleting the selected rows,
// selecting by mouse, and a click on a heading that leaves the rows where they are.
#include "controls/CXListCtrl.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace {

/// A list in a window, with a field after it for the keyboard.
struct ListWindow
{
    QWidget window;
    CXListCtrl* list;
    QLineEdit* after;

    explicit ListWindow(const QStringList& lines = {})
    {
        auto* layout = new QVBoxLayout(&window);
        list = new CXListCtrl;
        list->setObjectName(QStringLiteral("list"));
        list->SetColumns(
            {QStringLiteral("线路号"), QStringLiteral("线路类型"), QStringLiteral("关联VS线路")});
        after = new QLineEdit;
        layout->addWidget(list);
        layout->addWidget(after);
        window.resize(400, 300);
        for (const QString& line : lines) {
            const int row = list->AppendRow(line);
            list->SetItemText(row, 1, QStringLiteral("EXT"));
            list->SetItemText(row, 2, line + QStringLiteral("0"));
        }
    }

    bool Show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    QStringList Column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < list->rowCount(); ++row)
            texts << list->GetItemText(row, column);
        return texts;
    }

    QPoint CellCentre(int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column)).center();
    }
    void ClickCell(int row, int column, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, CellCentre(row, column));
    }
    QList<int> SelectedRows() const
    {
        QList<int> rows;
        for (const QModelIndex& index : list->selectionModel()->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    }
};

QStringList Numbers(int first, int count)
{
    QStringList numbers;
    for (int i = 0; i < count; ++i)
        numbers << QString::number(first + i);
    return numbers;
}

} // namespace

class TestXListCtrl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aReportListWithGridLinesAndRowSelection()
    {
        ListWindow window({QStringLiteral("201")});
        QVERIFY(window.Show());
        CXListCtrl* list = window.list;
        QVERIFY(list->showGrid());
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!list->verticalHeader()->isVisible());
        QVERIFY(list->horizontalHeader()->sectionsClickable());
        QCOMPARE(list->columnCount(), 3);
        QCOMPARE(list->horizontalHeaderItem(2)->text(), QStringLiteral("关联VS线路"));
        QCOMPARE(list->SortColumn(), -1);
        // The three columns share the width, with nothing to scroll sideways.
        const int width = list->viewport()->width();
        for (int column = 0; column < 3; ++column)
            QVERIFY(std::abs(list->columnWidth(column) - width / 3) <= 1);
        // A new row is added with empty cells after the first.
        QCOMPARE(window.Column(0), QStringList{QStringLiteral("201")});
        const int row = list->AppendRow(QStringLiteral("202"));
        QCOMPARE(row, 1);
        QCOMPARE(list->GetItemText(1, 1), QString());
        QCOMPARE(list->GetItemText(1, 2), QString());
    }

    void findItemByText_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::newRow("empty list") << QStringList() << QStringLiteral("1") << -1;
        QTest::newRow("first") << QStringList{QStringLiteral("5"), QStringLiteral("6")} << QStringLiteral("5")
                               << 0;
        QTest::newRow("last") << QStringList{QStringLiteral("5"), QStringLiteral("6")} << QStringLiteral("6")
                              << 1;
        QTest::newRow("twice: the upper one")
            << QStringList{QStringLiteral("1"), QStringLiteral("7"), QStringLiteral("2"), QStringLiteral("7")}
            << QStringLiteral("7") << 1;
        QTest::newRow("letter case counts")
            << QStringList{QStringLiteral("a1")} << QStringLiteral("A1") << -1;
        QTest::newRow("no trimming") << QStringList{QStringLiteral("5")} << QStringLiteral("5 ") << -1;
        QTest::newRow("no number compare") << QStringList{QStringLiteral("05")} << QStringLiteral("5") << -1;
        QTest::newRow("2.1 is not 2.10")
            << QStringList{QStringLiteral("2.10")} << QStringLiteral("2.1") << -1;
        QTest::newRow("empty text") << QStringList{QStringLiteral("3"), QString()} << QString() << 1;
        QTest::newRow("other columns do not count")
            << QStringList{QStringLiteral("4")} << QStringLiteral("EXT") << -1;
    }

    void findItemByText()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QFETCH(int, row);
        ListWindow window(lines);
        QCOMPARE(window.list->FindItemByText(text), row);
        // The look-up of many texts at once agrees.
        const QHash<QString, int> rows = window.list->RowsByText();
        QCOMPARE(rows.value(text, -1), row);
        for (const QString& line : lines)
            QCOMPARE(rows.value(line), window.list->FindItemByText(line));
    }

    void deleteSelectedItems_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("none selected") << 4 << QList<int>() << Numbers(1, 4);
        QTest::newRow("all") << 4 << QList<int>{0, 1, 2, 3} << QStringList();
        QTest::newRow("first") << 4 << QList<int>{0} << Numbers(2, 3);
        QTest::newRow("last") << 4 << QList<int>{3} << Numbers(1, 3);
        QTest::newRow("every other") << 6 << QList<int>{0, 2, 4}
                                     << QStringList{QStringLiteral("2"), QStringLiteral("4"),
                                                    QStringLiteral("6")};
        QTest::newRow("two runs") << 7 << QList<int>{1, 2, 4, 5}
                                  << QStringList{QStringLiteral("1"), QStringLiteral("4"),
                                                 QStringLiteral("7")};
        QTest::newRow("empty list") << 0 << QList<int>() << QStringList();
    }

    void deleteSelectedItems()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, left);
        ListWindow window(Numbers(1, count));
        for (int row : selected)
            window.list->selectionModel()->select(window.list->model()->index(row, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        window.list->DeleteSelectedItems();
        QCOMPARE(window.Column(0), left);
        // Whole rows go: the other columns stay with their line numbers.
        for (int row = 0; row < window.list->rowCount(); ++row)
            QCOMPARE(window.list->GetItemText(row, 2), left[row] + QStringLiteral("0"));
        QVERIFY(window.SelectedRows().isEmpty());
        // A second delete has nothing left to delete.
        window.list->DeleteSelectedItems();
        QCOMPARE(window.Column(0), left);
    }

    void aRowWithOnlyOneCellSelectedIsDeletedWhole()
    {
        ListWindow window(Numbers(1, 3));
        window.list->selectionModel()->select(window.list->model()->index(1, 2), QItemSelectionModel::Select);
        window.list->DeleteSelectedItems();
        QCOMPARE(window.Column(0), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    }

    void aClickSelectsTheWholeRowAndModifiersAddRows()
    {
        ListWindow window(Numbers(1, 6));
        QVERIFY(window.Show());
        CXListCtrl* list = window.list;
        window.ClickCell(1, 2);
        QCOMPARE(window.SelectedRows(), QList<int>{1});
        QCOMPARE(list->selectionModel()->selectedIndexes().size(), 3);
        window.ClickCell(3, 0, Qt::ControlModifier);
        QCOMPARE(window.SelectedRows(), (QList<int>{1, 3}));
        window.ClickCell(2, 1);
        QCOMPARE(window.SelectedRows(), QList<int>{2});
        window.ClickCell(4, 1, Qt::ShiftModifier);
        QCOMPARE(window.SelectedRows(), (QList<int>{2, 3, 4}));
        // Nothing to type into: a double click does not open an editor.
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, window.CellCentre(0, 0));
        QVERIFY(!list->findChild<QLineEdit*>());
        QCOMPARE(list->GetItemText(0, 0), QStringLiteral("1"));
    }

    void aClickOnAHeadingSortsByItsColumn()
    {
        const QStringList lines = {QStringLiteral("30"),  QStringLiteral("1"),    QStringLiteral("200"),
                                   QStringLiteral("1"),   QStringLiteral("2.10"), QStringLiteral("2.9"),
                                   QStringLiteral("2.1"), QStringLiteral("007")};
        ListWindow window(lines);
        QVERIFY(window.Show());
        CXListCtrl* list = window.list;
        for (int row = 0; row < list->rowCount(); ++row)
            list->SetItemText(row, 1, QString::number(row));
        QHeaderView* headings = list->horizontalHeader();
        const QImage before = list->viewport()->grab().toImage();
        const auto cellColour = [&window](const QImage& image, int row, int column) {
            const QRect cell = window.list->visualRect(window.list->model()->index(row, column));
            // The cell's right end, clear of its text.
            return image.pixelColor(cell.right() - 3, cell.center().y());
        };
        const auto click = [&](int column) {
            const int middle = headings->sectionViewportPosition(column) + headings->sectionSize(column) / 2;
            QTest::mouseClick(headings->viewport(), Qt::LeftButton, {},
                              QPoint(middle, headings->height() / 2));
            QCOMPARE(list->SortColumn(), column);
        };

        // Numbers as numbers; equal lines keep the order they were added in.
        const QStringList ascending = {QStringLiteral("1"),   QStringLiteral("1"),    QStringLiteral("2.1"),
                                       QStringLiteral("2.9"), QStringLiteral("2.10"), QStringLiteral("007"),
                                       QStringLiteral("30"),  QStringLiteral("200")};
        click(0);
        QCOMPARE(window.Column(0), ascending);
        QCOMPARE(window.Column(1).mid(0, 2), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
        click(0);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(window.Column(0).mid(0, 6), descending.mid(0, 6));
        // Whatever the order shown, the order the lines were added in stays known.
        QStringList added;
        for (int row : list->RowsInAddedOrder())
            added << list->GetItemText(row, 0);
        QCOMPARE(added, lines);
        click(2);
        QCOMPARE(list->SortColumn(), 2);
        // The marked column is drawn a little darker than the others and than before.
        const QImage after = list->viewport()->grab().toImage();
        const QColor marked = cellColour(after, 1, 2);
        QVERIFY(marked.lightness() < cellColour(after, 1, 0).lightness());
        QVERIFY(marked.lightness() < cellColour(before, 1, 2).lightness());
        QVERIFY(marked.lightness() > 200);
    }

    void tabLeavesTheList()
    {
        ListWindow window(Numbers(1, 3));
        QVERIFY(window.Show());
        window.list->setFocus();
        window.list->setCurrentCell(0, 0);
        QTest::keyClick(window.list, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.after);
        QTest::keyClick(window.after, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), window.list);
    }
};

QTEST_MAIN(TestXListCtrl)
#include "tst_xlistctrl.moc"
