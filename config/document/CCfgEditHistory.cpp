#include "config/document/CCfgEditHistory.h"

#include "config/document/CCfgChanges.h"

void CCfgEditHistory::Reset(CCfgData state)
{
    m_states.clear();
    m_states.push_back(std::make_unique<const CCfgData>(std::move(state)));
    m_at = 0;
}

bool CCfgEditHistory::Record(CCfgData state)
{
    if (m_states.empty()) {
        Reset(std::move(state));
        return false;
    }
    if (CCfgChanges::Compare(*m_states[m_at], state).IsEmpty())
        return false;
    m_states.resize(m_at + 1);
    m_states.push_back(std::make_unique<const CCfgData>(std::move(state)));
    if (m_states.size() > kMostSteps + 1)
        m_states.erase(m_states.begin());
    m_at = m_states.size() - 1;
    return true;
}

const CCfgData* CCfgEditHistory::Undo()
{
    if (!CanUndo())
        return nullptr;
    return m_states[--m_at].get();
}

const CCfgData* CCfgEditHistory::Redo()
{
    if (!CanRedo())
        return nullptr;
    return m_states[++m_at].get();
}
