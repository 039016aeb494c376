#include "app/CPageFinder.h"

#include "controls/CFindBar.h"
#include "pages/CCfgDialog.h"

#include <QAction>
#include <QMenu>

CPageFinder::CPageFinder(QWidget* form, QMenu* menu, QAction* before, ShownPage shownPage)
    : QObject(form), m_bar(new CFindBar(form)), m_shownPage(std::move(shownPage))
{
    auto* find = new QAction(QStringLiteral("查找(&F)..."), menu);
    find->setObjectName(QStringLiteral("actionFind"));
    find->setShortcut(QKeySequence::Find);
    auto* next = new QAction(QStringLiteral("查找下一个(&N)"), menu);
    next->setObjectName(QStringLiteral("actionFindNext"));
    next->setShortcut(QKeySequence(Qt::Key_F3));
    auto* previous = new QAction(QStringLiteral("查找上一个(&V)"), menu);
    previous->setObjectName(QStringLiteral("actionFindPrevious"));
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    menu->insertActions(before, {find, next, previous});
    menu->insertSeparator(before);

    connect(find, &QAction::triggered, this, &CPageFinder::OpenBar);
    connect(next, &QAction::triggered, this, [this] { GoToMatch(true); });
    connect(previous, &QAction::triggered, this, [this] { GoToMatch(false); });
    connect(m_bar, &CFindBar::Search, this, &CPageFinder::FindOnPage);
    connect(m_bar, &CFindBar::Step, this, &CPageFinder::GoToMatch);
    connect(m_bar, &CFindBar::Closed, this, &CPageFinder::BarClosed);
}

void CPageFinder::OpenBar()
{
    const bool opening = m_bar->isHidden();
    m_bar->Open();
    if (opening)
        Q_EMIT BarToggled();
    FindOnPage(m_bar->Text());
}

void CPageFinder::FindOnPage(const QString& text)
{
    CCfgDialog* page = m_shownPage();
    if (m_searched && m_searched != page)
        m_searched->Find(QString());
    m_searched = page;
    const CCfgDialog::FindCount count = page ? page->Find(text) : CCfgDialog::FindCount{};
    m_bar->ShowCount(count.matches, count.total);
}

void CPageFinder::GoToMatch(bool forward)
{
    if (m_bar->isHidden()) {
        OpenBar();
        return;
    }
    if (m_searched)
        m_searched->FindStep(forward);
}

void CPageFinder::BarClosed()
{
    if (m_searched)
        m_searched->EndFind();
    m_searched = nullptr;
    Q_EMIT BarToggled();
}

void CPageFinder::PageSwitched()
{
    if (!m_bar->isHidden())
        FindOnPage(m_bar->Text());
}
