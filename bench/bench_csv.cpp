// Times a spreadsheet import at a big site's size, without a database: a 10,000-row
// extension file and 2,000-row files of the other lists, each read and checked, put into the
// large configuration (merge and replace) and compared with it for the preview.
#include "LargeConfig.h"
#include "config/catalogue/CfgGroups.h"
#include "config/data/CCfgData.h"
#include "config/document/CCfgChanges.h"
#include "config/formats/CCsvSheet.h"

#include <QByteArrayList>
#include <QElapsedTimer>
#include <cstdio>

namespace {

double Milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

CCfgData Copy(const CCfgData& from)
{
    CCfgData to;
    for (CfgGroup group : kCfgGroups)
        CopyCfgGroup(from, to, group);
    return to;
}

/// The list's file as exported, with every other row changed: the key kept, its last cell
/// replaced by one the column takes.
QByteArray ChangedFile(const CCfgData& cfg, CsvList list)
{
    const QByteArray exported = CCsvSheet::Export(cfg, list);
    QList<QByteArray> lines = exported.split('\n');
    for (qsizetype index = 1; index + 1 < lines.size(); index += 2) {
        QByteArray& line = lines[index];
        line.truncate(line.lastIndexOf(',') + 1);
        line += list == CsvList::SipAccounts ? "30\r" : list == CsvList::TrunkMatches ? "2\r" : "7\r";
    }
    return lines.join('\n');
}

void Measure(const CCfgData& large, CsvList list, CCsvSheet::Mode mode)
{
    const QByteArray file = ChangedFile(large, list);
    CCfgData cfg = Copy(large);
    QElapsedTimer timer;
    timer.start();
    CCsvSheet sheet;
    std::string error;
    if (!sheet.FromBytes(file, list, "bench.csv", error) || !sheet.ApplyTo(cfg, mode, error)) {
        std::printf("refused: %s\n", error.c_str());
        return;
    }
    const double check = Milliseconds(timer);
    timer.restart();
    const CCfgChanges changes = CCfgChanges::Compare(large, cfg);
    const std::string preview = changes.ToText();
    const double compare = Milliseconds(timer);
    std::printf("%-14s %-7s %6zu rows, %5.0f KiB: read and checked %6.1f ms, preview %6.1f ms (%zu changes), "
                "total %6.1f ms\n",
                CsvListLayoutOf(list).word, mode == CCsvSheet::Mode::Merge ? "merge" : "replace",
                sheet.RowCount(), double(file.size()) / 1024, check, compare,
                changes.Lines(CfgGroup::Lines).size(), check + compare);
}

} // namespace

int main()
{
    CCfgData large;
    FillLargeLines(large);
    std::printf(
        "Spreadsheet import (no database; writing is one save of the lines group, see bench_config):\n");
    for (CsvList list : kCsvLists) {
        Measure(large, list, CCsvSheet::Mode::Merge);
        Measure(large, list, CCsvSheet::Mode::Replace);
    }
    return 0;
}
