#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class CCfgDialog;
class CFindBar;
class QAction;
class QMenu;
class QWidget;

/// Find on the page on show: the find bar under the page, and its commands in the edit menu
/// (Ctrl+F, F3, Shift+F3). What the bar's text matches is shown by the page itself (see
/// CCfgDialog::Find); switching groups with the bar open finds on the new page.
class CPageFinder : public QObject
{
    Q_OBJECT

public:
    /// The page on show, or null.
    using ShownPage = std::function<CCfgDialog*()>;

    /// The bar is made a child of `form`; its commands go in `menu` before `before`.
    CPageFinder(QWidget* form, QMenu* menu, QAction* before, ShownPage shownPage);

    CFindBar* Bar() const { return m_bar; }
    /// Another page is on show, or the page shows other content: the last page searched shows
    /// everything again, the one on show what matches.
    void PageSwitched();

Q_SIGNALS:
    /// The bar was shown or hidden: the page above it gets the room left.
    void BarToggled();

private:
    void OpenBar();
    void FindOnPage(const QString& text);
    void GoToMatch(bool forward);
    void BarClosed();

    CFindBar* m_bar;
    ShownPage m_shownPage;
    /// The page the bar's text was last looked for on.
    QPointer<CCfgDialog> m_searched;
};
