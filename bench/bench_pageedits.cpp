// Times the edit commands of the lines page at the size of a large site (10,000 extensions and
// 2,000 each of SIP accounts, trunk items and trunk match rules), in the main window as the
// user works it: a keystroke in the find bar filtering a list; selecting every record and
// changing one field of all of them; a 10,000-row spreadsheet block checked and previewed, then
// taken; undoing that paste. Each figure includes painting what changed and recording the step
// to undo. Prints one line per figure, "name: value".
//
// Needs no database: the page works on the store only. Runs offscreen.
#include "app/CGridCommands.h"
#include "app/CTarvexDlg.h"
#include "bench/LargeConfig.h"
#include "bench/WindowTiming.h"
#include "config/catalogue/CfgCsvLists.h"
#include "config/catalogue/CfgGroups.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/UserMessage.h"
#include "pages/CCfgDialog.h"
#include "pages/CGridExten.h"
#include "pages/CGridSipAccount.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

using WindowTiming::Best;
using WindowTiming::Settle;

MsgAnswer g_answer = MsgAnswer::Ok;

/// The milliseconds `work` takes, painting what it changed included.
double Timed(const std::function<void()>& work)
{
    return WindowTiming::Timed([&work] {
        work();
        Settle();
    });
}

/// The main window on the lines page, filled with the large lines.
struct LinesWindow
{
    std::unique_ptr<CTarvexDlg> window;
    CCfgDialog* page = nullptr;

    LinesWindow()
    {
        FillLargeLines(*GetCfgData());
        for (CfgGroup group : kCfgGroups)
            GetCfgDocument()->SetReference(group, *GetCfgData());
        window = std::make_unique<CTarvexDlg>(*GetCfgDocument());
        window->show();
        window->activateWindow();
        Settle();
        window->ShowGroup(3);
        Settle();
        page = window->findChild<CCfgDialog*>(QStringLiteral("CDialogCfgLine"));
    }
    template <class T> T* Find(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
};

/// The slowest of the keystrokes that type `text` into the find bar over `grid`; `count`
/// gets what the bar shows at the end.
double SlowestKeystroke(const char* grid, const QString& text, QString& count)
{
    LinesWindow lines;
    lines.Find<QWidget>(grid)->setFocus();
    lines.Find<QAction>("actionFind")->trigger();
    auto* edit = lines.Find<QLineEdit>("editFind");
    double slowest = 0;
    for (const QChar c : text)
        slowest = std::max(slowest, Timed([edit, c] { QTest::keyClick(edit, c.toLatin1()); }));
    count = lines.Find<QLabel>("labelFindCount")->text();
    return slowest;
}

/// Every record of `grid` selected and one field set in all of them, as 批量修改 does once
/// its dialog is answered.
double SelectAllAndChange(CLineGrid& grid, CCfgDialog& page, std::size_t column, const std::string& value)
{
    return Timed([&grid, &page, column, &value] {
        grid.SelectAllRows();
        std::vector<CsvRow> rows = grid.SelectedRecords();
        for (CsvRow& row : rows)
            row[column] = value;
        grid.PutRows(rows);
        page.NoteEdit();
    });
}

/// 10,000 extensions as a spreadsheet copies them: 5,000 of the listed ones with another
/// password, 5,000 new ones.
QString PastedExtensions()
{
    const CsvListLayout& layout = CsvListLayoutOf(CsvList::Extensions);
    std::string text = layout.columns[0].label + "\t" + layout.columns[1].label + "\r\n";
    for (int number = 15000; number < 25000; ++number)
        text += std::to_string(number) + "\tnew" + std::to_string(number) + "\r\n";
    return QString::fromStdString(text);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    SetMessageHandler([](const UserMessage&) { return g_answer; });
    const QString pasted = PastedExtensions();

    QString extensionsFound;
    QString accountsFound;
    const double filterExtensions =
        Best([&] { return SlowestKeystroke("gridExten", QStringLiteral("12345"), extensionsFound); });
    const double filterAccounts =
        Best([&] { return SlowestKeystroke("gridSipAccount", QStringLiteral("0215550199"), accountsFound); });

    const double bulkExtensions = Best([] {
        LinesWindow lines;
        return SelectAllAndChange(*lines.Find<CGridExten>("gridExten"), *lines.page, 1, "same");
    });
    const double bulkAccounts = Best([] {
        LinesWindow lines;
        return SelectAllAndChange(*lines.Find<CGridSipAccount>("gridSipAccount"), *lines.page, 5, "5070");
    });

    const double pastePreview = Best([&pasted] {
        LinesWindow lines;
        g_answer = MsgAnswer::Cancel;
        auto& grid = *lines.Find<CGridExten>("gridExten");
        return Timed([&] { CGridCommands::Paste(lines.window.get(), grid, pasted); });
    });
    double undoPaste = 0;
    std::size_t afterPaste = 0;
    std::size_t afterUndo = 0;
    const double pasteTaken = Best([&] {
        LinesWindow lines;
        g_answer = MsgAnswer::Ok;
        auto& grid = *lines.Find<CGridExten>("gridExten");
        const double ms = Timed([&] {
            CGridCommands::Paste(lines.window.get(), grid, pasted);
            lines.page->NoteEdit();
        });
        afterPaste = static_cast<std::size_t>(grid.GetPropertyCount());
        const double undo = Timed([&] { lines.page->Undo(); });
        afterUndo = static_cast<std::size_t>(grid.GetPropertyCount());
        undoPaste = undoPaste == 0 ? undo : std::min(undoPaste, undo);
        return ms;
    });

    std::printf("extensions: %zu\n", GetCfgData()->Extens.GetCount());
    std::printf("sip_accounts: %zu\n", GetCfgData()->SipAccounts.GetCount());
    std::printf("find_keystroke_extensions_slowest_ms: %.1f (found %s)\n", filterExtensions,
                qPrintable(extensionsFound));
    std::printf("find_keystroke_sip_accounts_slowest_ms: %.1f (found %s)\n", filterAccounts,
                qPrintable(accountsFound));
    std::printf("select_all_and_bulk_change_10000_extensions_ms: %.1f\n", bulkExtensions);
    std::printf("select_all_and_bulk_change_2000_sip_accounts_ms: %.1f\n", bulkAccounts);
    std::printf("paste_10000_rows_checked_and_previewed_ms: %.1f\n", pastePreview);
    std::printf("paste_10000_rows_taken_ms: %.1f\n", pasteTaken);
    std::printf("extensions_after_paste: %zu\n", afterPaste);
    std::printf("undo_10000_row_paste_ms: %.1f\n", undoPaste);
    std::printf("extensions_after_undo: %zu\n", afterUndo);
    return 0;
}
