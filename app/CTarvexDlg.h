#pragma once

#include "app/CSingleInstance.h"
#include "config/catalogue/CfgGroup.h"

#include <QDialog>
#include <array>
#include <functional>

class CButtonST;
class CCfgDocument;
class CCfgChanges;
class CUnsavedGroups;
class CCfgFileCommands;
class CPageEditCommands;
class CPageFinder;
class CCfgDialog;
class CDialogCfgEhang;
class CDialogCfgFs;
class CDialogCfgIpo;
class CDialogCfgSys;
class QFrame;
class QLabel;
class QPushButton;

/// The main window: three group buttons over a banner, the page of the group on show inside
/// a frame, Save and Exit, and the database and help menus.
class CTarvexDlg : public QDialog
{
    Q_OBJECT

public:
    /// `document`: what the pages show and the saves write; it outlives the window.
    explicit CTarvexDlg(CCfgDocument& document, QWidget* parent = nullptr);

    /// Shows group 1 (middleware), 2 (device) or 3 (lines), or 0: none; the group on show
    /// stays as it is.
    void ShowGroup(int group);
    /// The group on show: 0 none yet, 1 middleware, 2 device, 3 lines.
    int CurrentGroup() const { return m_nCurGroup; }
    CSingleInstance& Marker() { return m_marker; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    /// Keeps the window's size and position for the next start, however the window ends.
    void done(int result) override;

private:
    void InitPages();
    /// The size and position the window had when it last ended.
    void RestoreWindowPlace();
    /// Creates the five pages, each filled from the store, and places them hidden in the frame.
    void CreatePages();
    /// Makes every page show the store afresh, unsaved edits dropped, and shows the group
    /// that was on show again (the device page chosen anew by `DevType`).
    void RebuildPages();
    /// The five pages in the order they are created.
    std::array<CCfgDialog*, 5> Pages() const;
    void PlacePage(CCfgDialog* page, const QRect& area);
    /// The frame's inside, less the find bar's strip at its bottom while the bar shows.
    QRect PageArea() const;
    /// Places the pages, and the find bar under them, in the frame.
    void LayOutPages();
    void SetGroupImages(int group, bool selected);
    /// Whether `DevType` names one of the three device kinds; the database may hold any number.
    bool IsDevTypeValid() const;
    /// The device page that `DevType` selects; null when it names none.
    CCfgDialog* SelectedDevicePage() const;

    void OnSave();
    /// Runs a save or an import; a close asked for meanwhile waits for its end.
    void Writing(const std::function<void()>& write);
    /// Saves group 1, 2 or 3 from its page, as Save does when it is on show; true when written.
    bool SaveGroupPage(int group);
    /// Runs one group's save, busy meanwhile, and reports the result.
    bool SaveGroup(CfgGroup group, const char* success, const char* failure);
    /// The page a save of `group` copies from; null when the device type names none.
    CCfgDialog* PageOf(CfgGroup group) const;
    /// Marks the tile of each group whose page has unsaved changes.
    void ShowUnsavedMarks();
    /// Says, beside the tiles, when the device type chosen differs from the saved one.
    void ShowDeviceHint();
    /// Lays out the three group tiles in a row from the window's top-left corner.
    void LayOutTiles();
    void OnExit();
    void OnAbout();
    void OnDbInit();
    void OnDsnSetup();
    /// Names the data source that Save writes to, as last confirmed.
    void ShowDataSource();
    /// Whether the window may end: with unsaved groups, after saving them or letting them go;
    /// otherwise after the usual question.
    bool ConfirmExit();

    CCfgDocument& m_document;
    int m_nCurGroup = 0;
    CButtonST* m_btnSys;
    CButtonST* m_btnDev;
    CButtonST* m_btnLine;
    CDialogCfgSys* m_pageSys = nullptr;
    CDialogCfgEhang* m_pageEhang = nullptr;
    CDialogCfgIpo* m_pageIpo = nullptr;
    CDialogCfgFs* m_pageFs = nullptr;
    CCfgDialog* m_pageLine = nullptr;
    /// The device pages by `DevType`: [0] IPO, [1] eHang, [2] FreeSWITCH.
    std::array<CCfgDialog*, 3> m_devPages;
    /// The device page shown when the device group was entered; null when `DevType` named none.
    CCfgDialog* m_pageDevShown = nullptr;

    QWidget* m_form;
    // The template's places, at the least size; a larger window moves or widens them.
    QSize m_formBase;
    QRect m_frameBase;
    QRect m_saveBase;
    QRect m_exitBase;
    QRect m_dataSourceBase;
    QLabel* m_banner;
    QFrame* m_frame = nullptr;
    QLabel* m_labelNoDevice;
    QLabel* m_labelDeviceHint;
    QLabel* m_labelDataSource;
    QPushButton* m_btnSave;
    QPushButton* m_btnExit;
    CCfgFileCommands* m_cfgFiles;
    CPageEditCommands* m_editCommands;
    CPageFinder* m_finder;
    CUnsavedGroups* m_unsaved;
    CSingleInstance m_marker;
    bool m_writing = false;
    bool m_closeWanted = false;
};
