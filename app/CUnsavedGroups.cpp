#include "app/CUnsavedGroups.h"

#include "config/catalogue/CfgGroups.h"
#include "config/data/CCfgData.h"
#include "config/document/CCfgChanges.h"
#include "config/document/CCfgDocument.h"
#include "pages/CCfgDialog.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

// Long enough that typing a word costs one comparison, short enough to look immediate.
constexpr int kSettleMs = 250;

bool MayEdit(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

} // namespace

CUnsavedGroups::CUnsavedGroups(QWidget* window, const CCfgDocument& document, PageOf pageOf)
    : QObject(window), m_window(window), m_document(document), m_pageOf(std::move(pageOf))
{
    m_later.setSingleShot(true);
    m_later.setInterval(kSettleMs);
    connect(&m_later, &QTimer::timeout, this, &CUnsavedGroups::Refresh);
    qApp->installEventFilter(this);
}

void CUnsavedGroups::Refresh()
{
    m_later.stop();
    // Each page copies itself over its group of the store, as a save would, into a copy of
    // its own: one comparison then tells all three groups, and the store is left as it is.
    CCfgData edited;
    std::array<bool, 3> compared{};
    for (CfgGroup group : kCfgGroups) {
        if (CCfgDialog* page = m_pageOf(group)) {
            CopyCfgGroup(m_document.Store(), edited, group);
            page->UpdateCfg(edited);
            compared[static_cast<std::size_t>(group)] = true;
        }
    }
    const CCfgChanges changes = CCfgChanges::Compare(m_document.Reference(), edited);
    std::array<bool, 3> unsaved{};
    for (CfgGroup group : kCfgGroups) {
        const auto index = static_cast<std::size_t>(group);
        unsaved[index] = compared[index] && changes.Differs(group);
    }
    if (unsaved == m_unsaved)
        return;
    m_unsaved = unsaved;
    Q_EMIT Changed();
}

std::vector<CfgGroup> CUnsavedGroups::Groups() const
{
    std::vector<CfgGroup> groups;
    for (CfgGroup group : kCfgGroups) {
        if (IsUnsaved(group))
            groups.push_back(group);
    }
    return groups;
}

bool CUnsavedGroups::eventFilter(QObject* watched, QEvent* event)
{
    if (MayEdit(event->type()) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == m_window)
        m_later.start();
    return QObject::eventFilter(watched, event);
}
