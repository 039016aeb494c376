// Times the lines page at the size of a large site (10,000 extensions and 2,000 each of SIP
// accounts, trunk items and trunk match rules): building the page, adding 999 extensions,
// copying the grids back into the store, opening the main window and scrolling a grid. Each
// figure is printed beside the time of filling the store with the same records, the
// baseline. Prints one line per figure, "name: value".
//
// Needs no database: the page reads and writes the store only. Runs offscreen.
#include "app/CTarvexDlg.h"
#include "app/CUnsavedGroups.h"
#include "bench/LargeConfig.h"
#include "bench/WindowTiming.h"
#include "config/catalogue/CfgGroups.h"
#include "config/data/CCfgData.h"
#include "config/database/CCfgDb.h"
#include "config/document/CCfgDocument.h"
#include "controls/CPropertyGridCtrl.h"
#include "controls/UserMessage.h"
#include "pages/CDialogCfgLine.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

using WindowTiming::Best;
using WindowTiming::Settle;
using WindowTiming::Timed;

/// The page shown in a window of the main window's size, as the user sees it.
struct ShownPage
{
    QWidget window;
    CDialogCfgLine* page = nullptr;

    void Build()
    {
        window.resize(520, 460);
        page = new CDialogCfgLine(*GetCfgData(), &window);
        page->setGeometry(4, 4, 512, 400);
        page->show();
        window.show();
        Settle();
    }
};

void Print(const char* name, double ms, double fillMs)
{
    std::printf("%s: %.1f (fill_store_ms: %.1f)\n", name, ms, fillMs);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    SetMessageHandler([](const UserMessage& message) {
        std::fprintf(stderr, "unexpected message: %s\n", message.text.c_str());
        return MsgAnswer::Ok;
    });

    const double fillMs = Best([] { return Timed([] { FillLargeLines(*GetCfgData()); }); });

    const double buildMs = Best([] {
        FillLargeLines(*GetCfgData());
        ShownPage shown;
        return Timed([&shown] { shown.Build(); });
    });

    const double addMs = Best([] {
        FillLargeLines(*GetCfgData());
        ShownPage shown;
        shown.Build();
        shown.page->findChild<QLineEdit*>(QStringLiteral("editFirstExten"))->setText(QStringLiteral("30000"));
        shown.page->findChild<QLineEdit*>(QStringLiteral("editExtenCount"))->setText(QStringLiteral("999"));
        auto* add = shown.page->findChild<QPushButton*>(QStringLiteral("btnAddExten"));
        return Timed([add] {
            add->click();
            Settle();
        });
    });

    const double deleteMs = Best([] {
        FillLargeLines(*GetCfgData());
        ShownPage shown;
        shown.Build();
        shown.page->findChild<QLineEdit*>(QStringLiteral("editFirstExten"))->setText(QStringLiteral("15000"));
        shown.page->findChild<QLineEdit*>(QStringLiteral("editExtenCount"))->setText(QStringLiteral("99"));
        auto* del = shown.page->findChild<QPushButton*>(QStringLiteral("btnDelExten"));
        return Timed([del] {
            del->click();
            Settle();
        });
    });

    std::size_t saved = 0;
    const double saveMs = Best([&saved] {
        FillLargeLines(*GetCfgData());
        ShownPage shown;
        shown.Build();
        const double ms = Timed([&shown] { shown.page->UpdateCfg(*GetCfgData()); });
        const CCfgData& cfg = *GetCfgData();
        saved = cfg.Extens.GetCount() + cfg.SipAccounts.GetCount() + cfg.TrunkItems.GetCount() +
                cfg.TrunkMatches.GetCount();
        return ms;
    });

    // The check behind the unsaved mark: the page copied into the store and compared with
    // what the database held, all three groups, as it runs after the user stops typing.
    const double unsavedMs = Best([] {
        FillLargeLines(*GetCfgData());
        for (CfgGroup group : kCfgGroups)
            GetCfgDocument()->SetReference(group, *GetCfgData());
        ShownPage shown;
        shown.Build();
        CUnsavedGroups unsaved(&shown.window, *GetCfgDocument(), [&shown](CfgGroup group) {
            return group == CfgGroup::Lines ? static_cast<CCfgDialog*>(shown.page) : nullptr;
        });
        return Timed([&unsaved] { unsaved.Refresh(); });
    });

    const double openMs = Best([] {
        FillLargeLines(*GetCfgData());
        return Timed([] {
            CTarvexDlg window(*GetCfgDocument());
            window.show();
            Settle();
            window.ShowGroup(3);
            Settle();
        });
    });

    // Page by page from the top of the extension grid (10,000 rows) to its bottom, each page
    // painted.
    int pages = 0;
    const double scrollMs = Best([&pages] {
        FillLargeLines(*GetCfgData());
        ShownPage shown;
        shown.Build();
        auto* tree = shown.page->findChild<CPropertyGridCtrl*>(QStringLiteral("gridExten"))
                         ->findChild<QTreeView*>(QStringLiteral("propertyTree"));
        QScrollBar* bar = tree->verticalScrollBar();
        pages = 0;
        return Timed([bar, tree, &pages] {
            while (bar->value() < bar->maximum()) {
                bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
                tree->viewport()->repaint();
                ++pages;
            }
        });
    });

    const CCfgData& cfg = *GetCfgData();
    std::printf("extensions: %zu\n", cfg.Extens.GetCount());
    std::printf("sip_accounts: %zu\n", cfg.SipAccounts.GetCount());
    std::printf("trunk_items: %zu\n", cfg.TrunkItems.GetCount());
    std::printf("trunk_matches: %zu\n", cfg.TrunkMatches.GetCount());
    std::printf("fill_store_ms: %.1f\n", fillMs);
    Print("build_lines_page_ms", buildMs, fillMs);
    Print("add_999_extensions_ms", addMs, fillMs);
    Print("delete_99_extensions_ms", deleteMs, fillMs);
    Print("four_save_to_cfg_ms", saveMs, fillMs);
    Print("unsaved_check_ms", unsavedMs, fillMs);
    std::printf("records_saved: %zu\n", saved);
    Print("open_main_window_on_lines_ms", openMs, fillMs);
    std::printf("extension_grid_pages_scrolled: %d\n", pages);
    Print("scroll_extension_grid_all_pages_ms", scrollMs, fillMs);
    return 0;
}
