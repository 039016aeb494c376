#pragma once

#include "config/document/CCfgEditHistory.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class CLineGrid;
class QColor;
class QScrollBar;
class QTimer;

/// Base of the configuration pages. A page is a borderless child of the main window, shown
/// in its page frame. The forms are taller than that frame, so the page scrolls its whole
/// form pixel by pixel, by its own vertical scroll bar and by the mouse wheel. The form is
/// as wide as the part of the page left of the scroll bar, so nothing hides under the bar.
///
/// The scroll range is fixed once, from the height H of the form: positions run from 1 to
/// H + 1 and the form is scrolled up by the position less one, so it can go up by its own
/// full height whatever the size of the frame. A control that takes the keyboard focus
/// outside the visible part is scrolled into view.
///
/// Keys inside a page: Escape does nothing; Enter (either key) presses a focused button and
/// does nothing anywhere else, so it never reaches the main window's default button or
/// closes anything.
class CCfgDialog : public QWidget
{
    Q_OBJECT

public:
    /// `templateHeight`: the height of the page's form in dialog units.
    explicit CCfgDialog(int templateHeight, QWidget* parent = nullptr);
    ~CCfgDialog() override;

    /// Copies the state of every control of the page into `cfg`, replacing list members as a
    /// whole; the rest of `cfg` stays. It validates nothing, shows nothing and cannot fail.
    virtual void UpdateCfg(CCfgData& cfg) = 0;
    /// Shows what `cfg` holds for the page in every control, in place of what they held.
    virtual void ShowCfg(const CCfgData& cfg) = 0;
    /// Shows a store that UpdateCfg of this page filled, so that copying it back gives the
    /// same store again; by default as ShowCfg does.
    virtual void ShowCopy(const CCfgData& copy) { ShowCfg(copy); }

    /// How many of what find looks at match: the count the find bar shows.
    struct FindCount
    {
        int matches = 0;
        int total = 0;
    };
    /// Shows what matches `text`, or everything again for an empty text: the rows of the
    /// page's current list, or its fields. Never changes what the page holds.
    virtual FindCount Find(const QString& text);
    /// Goes to the next (or previous) match, going round at the end.
    virtual void FindStep(bool forward);
    /// The find bar closed: everything shows again and the focus goes to the match last gone to.
    virtual void EndFind();

    /// The record list the edit commands act on: the one with the focus, or the one of the
    /// page that had it last; null when there is none.
    virtual CLineGrid* CurrentGrid() { return nullptr; }

    /// Makes what the page shows the state its edits are undone to, forgetting every step:
    /// after loading and after saving.
    void StartHistory();
    /// Records what the page shows as a step when it changed since the last; true then.
    /// Runs by itself shortly after the user's last key or click in the page.
    bool NoteEdit();
    /// Shows the state before the last step; false when there is none.
    bool Undo();
    /// Shows the state an undo left again; false when there is none, as after a new edit.
    bool Redo();
    bool CanUndo();
    bool CanRedo();

    /// The main window paints its pages white.
    void SetBackgroundColor(const QColor& color);

    /// The current scroll position, 1 when the form is not scrolled.
    int ScrollPos() const { return m_nScrollPos; }
    /// H: how far the form scrolls, so that its last control comes to the frame's bottom and
    /// no further; 0, and no scroll bar, when the frame shows it whole.
    int PageHeight() const { return m_nPageHeight; }

    /// The height the window has beyond its least size. The form grows by as much, and the
    /// page's lists and grids share it, so a larger window shows more rows.
    void SetExtraHeight(int extra);

protected:
    /// The widget that holds the page's controls; it is what moves when the page scrolls.
    QWidget* Form() const { return m_form; }

    /// Sizes the form and sets up the scroll range. Each page builds its form, then calls
    /// its own initialisation, which calls this one first and then fills the controls.
    virtual bool OnInitDialog();

    /// A request of the page's scroll bar (a QAbstractSlider::SliderAction).
    void OnVScroll(int request);
    /// One wheel message, whatever the size of its delta: 26 pixels down for a negative
    /// delta, else 26 pixels up.
    void OnMouseWheel(int delta);

    /// When the page is shown: gives the focus back to the control that had it when the page
    /// was last left (the first time: to `field`), and scrolls that control into view.
    void FocusOnShow(QWidget* field);
    /// Whether the control of the page with the focus, or the one that had it last, is
    /// `control` or part of it.
    bool IsFocusedIn(const QWidget* control) const;
    /// Scrolls the form so that `control` shows, without giving it the focus.
    void BringIntoView(const QWidget* control) { ScrollIntoView(ShownWhole(control)); }
    /// Chains the tab order through `controls`, in the order given.
    static void SetTabOrder(const QList<QWidget*>& controls);
    /// Makes a list or grid of the form taller by its share of the window's extra height;
    /// its height at the window's least size is the one it has now.
    void GrowsWithWindow(QWidget* control);

    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class PageEvents;

    /// What the page does with an event of one of its controls before the control sees it;
    /// true when the event is used up.
    bool FilterEvent(QObject* watched, QEvent* event);
    void ApplyScrollPos(int position);
    /// Sets H and the bar from what the form holds and the frame shows, keeping the position
    /// where it still can be.
    void UpdateScrollRange();
    /// Scrolls the least that shows `control` whole, or its top when it is taller than the frame.
    void ScrollIntoView(const QWidget* control);
    /// What is brought into view for a control that takes the focus: the control, or the
    /// whole of what it is part of.
    static const QWidget* ShownWhole(const QWidget* control);

    /// What the page shows, copied into an empty store.
    CCfgData ShownState();

    CCfgEditHistory m_history;
    QTimer* m_noteLater;
    int m_nPageHeight = 0;
    int m_nScrollPos = 1;

    struct Growing
    {
        QPointer<QWidget> control;
        int baseHeight;
        bool fixedHeight;
    };

    int m_templateHeight;
    int m_formHeight = 0;    // the form's height at the window's least size
    int m_contentHeight = 0; // what its controls take of it
    int m_extraHeight = 0;
    std::vector<Growing> m_growing;
    bool m_bFocusingOnShow = false;
    QPointer<QWidget> m_lastFocus; // the control of the form that had the focus last
    QWidget* m_viewport;
    QWidget* m_form;
    QScrollBar* m_scrollBar;
};
