#pragma once

#include "config/catalogue/CfgGroup.h"

#include <QObject>
#include <functional>
#include <vector>

class CCfgDialog;
class CCfgDocument;
class CLineGrid;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

/// The edit menu of the main window: undo and redo of the page on show; selecting, deleting,
/// copying, pasting and changing together the records of the list the page's focus is in;
/// and bringing a group's page back to what the database held at the last load or save.
class CPageEditCommands : public QObject
{
    Q_OBJECT

public:
    /// The page of a group, or null when there is none to show (see CTarvexDlg::PageOf).
    using PageOf = std::function<CCfgDialog*(CfgGroup)>;
    /// The group on show; false when none is.
    using ShownGroup = std::function<bool(CfgGroup&)>;

    CPageEditCommands(QWidget* window, QMenuBar* menuBar, const CCfgDocument& document, PageOf pageOf,
                      ShownGroup shownGroup);

    /// The edit menu, for the commands of find.
    QMenu* Menu() const { return m_menu; }

    void OnUndo();
    void OnRedo();
    /// Asks, then shows what the database held for `group` at the last load or save; an
    /// edit of its own, which can be undone.
    void OnRevert(CfgGroup group);
    void OnSelectAll();
    void OnCopy();
    void OnPaste();
    void OnDeleteSelected();
    void OnBulkChange();

Q_SIGNALS:
    /// A page now shows something else.
    void PageChanged();

private:
    CCfgDialog* ShownPage() const;
    /// The list of the page on show that the focus is in, or was in last; null, after saying
    /// so, when there is none.
    CLineGrid* CurrentGrid() const;
    /// After a command changed the page: a step to undo, and the unsaved mark.
    void Changed();
    /// The list commands, and their keys, are on while the focus is in a list: elsewhere the
    /// keys keep their meaning in the control that has the focus.
    void EnableListCommands();

    QWidget* m_window;
    QMenu* m_menu;
    const CCfgDocument& m_document;
    PageOf m_pageOf;
    ShownGroup m_shownGroup;
    std::vector<QAction*> m_listCommands;
};
