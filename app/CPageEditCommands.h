#pragma once

#include "config/catalogue/CfgGroup.h"

#include <QObject>
#include <functional>

class CCfgDialog;
class CCfgDocument;
class QMenuBar;
class QWidget;

/// The edit menu of the main window: undo and redo of the page on show, and bringing a
/// group's page back to what the database held at the last load or save.
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

    void OnUndo();
    void OnRedo();
    /// Asks, then shows what the database held for `group` at the last load or save; an
    /// edit of its own, which can be undone.
    void OnRevert(CfgGroup group);

Q_SIGNALS:
    /// A page now shows something else.
    void PageChanged();

private:
    CCfgDialog* ShownPage() const;

    QWidget* m_window;
    const CCfgDocument& m_document;
    PageOf m_pageOf;
    ShownGroup m_shownGroup;
};
