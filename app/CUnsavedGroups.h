#pragma once

#include "config/catalogue/CfgGroup.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <vector>

class CCfgDialog;
class CCfgDocument;
class QWidget;

/// Tells which groups' pages differ from what the database held when this process last read
/// or wrote them. It compares content, not a flag that typing sets: an edit undone by hand
/// leaves its group saved. It looks again shortly after the user types or clicks in the
/// window, and whenever asked.
class CUnsavedGroups : public QObject
{
    Q_OBJECT

public:
    /// `pageOf` gives the page that a save of a group copies from, or null when there is none;
    /// the pages are told against the reference of `document`.
    using PageOf = std::function<CCfgDialog*(CfgGroup)>;
    CUnsavedGroups(QWidget* window, const CCfgDocument& document, PageOf pageOf);

    /// Compares every group now, and says so when the answer changed.
    void Refresh();
    /// The groups that differed at the last comparison, in the order they are shown.
    std::vector<CfgGroup> Groups() const;
    bool IsUnsaved(CfgGroup group) const { return m_unsaved[static_cast<std::size_t>(group)]; }

Q_SIGNALS:
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    const CCfgDocument& m_document;
    PageOf m_pageOf;
    QTimer m_later;
    std::array<bool, 3> m_unsaved{};
};
