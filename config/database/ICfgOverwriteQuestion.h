#pragma once

#include "config/catalogue/CfgGroup.h"

#include <utility>

class CCfgChanges;

/// Asked, before anything is written, when a group's tables no longer hold what the document
/// last read or wrote (`changes`: from that to what they hold now): true to write over them.
class ICfgOverwriteQuestion
{
public:
    virtual ~ICfgOverwriteQuestion() = default;
    virtual bool Overwrite(CfgGroup group, const CCfgChanges& changes) = 0;
};

/// The question asked by a callable `ask(group, changes)`.
template <class Ask> class CfgOverwriteAsking final : public ICfgOverwriteQuestion
{
public:
    explicit CfgOverwriteAsking(Ask ask) : m_ask(std::move(ask)) {}
    bool Overwrite(CfgGroup group, const CCfgChanges& changes) override { return m_ask(group, changes); }

private:
    Ask m_ask;
};
