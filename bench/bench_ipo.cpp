// Times the IPO page's line lists at sizes an installer may reach: filling the page from the
// store, a run of 99 added lines, a run of 99 lines that are listed already, deleting 500
// selected rows (every other row, the worst case for removal, and one block), and saving
// the lists into the store. Runs offscreen unless a display is asked for.
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CXListCtrl.h"
#include "pages/CDialogCfgIpo.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <cstdio>
#include <memory>

namespace {

void FillStore(int extensions)
{
    CCfgData& cfg = *GetCfgData();
    cfg.IpoLines.DeleteAll();
    for (int i = 0; i < extensions; ++i)
        cfg.IpoLines.AddTail(
            std::make_unique<tagIpoLine>(tagIpoLine{std::to_string(10000 + i), "EXT", std::to_string(i)}));
    for (int i = 0; i < 30; ++i)
        cfg.IpoLines.AddTail(std::make_unique<tagIpoLine>(tagIpoLine{std::to_string(1 + i), "DT", ""}));
}

double Milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void Run(CDialogCfgIpo& page, const QString& start, int count)
{
    page.findChild<QLineEdit*>(QStringLiteral("editExtStart"))->setText(start);
    page.findChild<QLineEdit*>(QStringLiteral("editExtCount"))->setText(QString::number(count));
    page.findChild<QLineEdit*>(QStringLiteral("editExtChannel"))->setText(QStringLiteral("500"));
    page.OnAddExtLines();
}

void Measure(int rows)
{
    FillStore(rows);
    QElapsedTimer timer;
    timer.start();
    CDialogCfgIpo page(*GetCfgData());
    page.show();
    QCoreApplication::processEvents();
    const double fill = Milliseconds(timer);
    auto* list = page.findChild<CXListCtrl*>(QStringLiteral("listExtLines"));

    timer.restart();
    Run(page, QStringLiteral("90000"), 99);
    QCoreApplication::processEvents();
    const double addNew = Milliseconds(timer);

    timer.restart();
    Run(page, QString::number(10000 + rows / 2), 99);
    QCoreApplication::processEvents();
    const double addListed = Milliseconds(timer);

    for (int row = 0; row < 1000 && row < list->rowCount(); row += 2)
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    timer.restart();
    page.OnDelExtLines();
    QCoreApplication::processEvents();
    const double deleteScattered = Milliseconds(timer);

    list->selectionModel()->select(QItemSelection(list->model()->index(0, 0), list->model()->index(499, 2)),
                                   QItemSelectionModel::Select);
    timer.restart();
    page.OnDelExtLines();
    QCoreApplication::processEvents();
    const double deleteBlock = Milliseconds(timer);

    timer.restart();
    page.UpdateCfg(*GetCfgData());
    const double save = Milliseconds(timer);

    std::printf(
        "%6d rows: fill %7.1f ms | add 99 new %6.1f ms | 99 listed %6.1f ms | delete 500 scattered %6.1f ms"
        " | 500 in a block %6.1f ms | save %6.1f ms\n",
        rows, fill, addNew, addListed, deleteScattered, deleteBlock, save);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    for (int rows : {1000, 10000, 50000})
        Measure(rows);
    return 0;
}
