#pragma once

#include "config/data/CCfgData.h"

#include <cstddef>
#include <memory>
#include <vector>

/// The edits of one page as the states it showed: each recorded state that differs from the
/// one before it is a step, which can be undone and redone. A state holds what the page
/// copies into a store; the rest of it is left at its defaults.
class CCfgEditHistory
{
public:
    /// The oldest steps are forgotten beyond this many: a state of the lines page at a large
    /// site takes a few megabytes.
    static constexpr std::size_t kMostSteps = 50;

    /// Forgets every step: `state` is what the page shows now, as loaded or saved.
    void Reset(CCfgData state);
    /// What the page shows now. A step when it differs from the current state, which forgets
    /// what was undone; true then.
    bool Record(CCfgData state);

    bool CanUndo() const { return m_at > 0; }
    bool CanRedo() const { return m_at + 1 < m_states.size(); }
    /// Goes one step back; the state to show, or null when there is none.
    const CCfgData* Undo();
    /// Goes one step forward again; the state to show, or null when there is none.
    const CCfgData* Redo();

private:
    std::vector<std::unique_ptr<const CCfgData>> m_states;
    std::size_t m_at = 0;
};
