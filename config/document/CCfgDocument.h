#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/data/CCfgData.h"
#include "config/document/CfgLoadReport.h"

#include <array>
#include <cstddef>

/// One configuration being worked on: the store the pages edit, what the database held for
/// each group when it was last read or written (the reference edits and a colleague's changes
/// are told against), and what that reading found beside the values. The window owns one;
/// each command of the command line owns its own.
class CCfgDocument
{
public:
    CCfgData& Store() { return m_store; }
    const CCfgData& Store() const { return m_store; }
    const CCfgData& Reference() const { return m_reference; }
    const CfgLoadReport& LoadReport() const { return m_loaded; }

    /// The store and the references become `cfg`, read with `report`.
    void Adopt(const CCfgData& cfg, const CfgLoadReport& report);
    /// Puts `group` of `cfg` in the reference: the database now holds it.
    void SetReference(CfgGroup group, const CCfgData& cfg);
    /// A write of `group` wrote `cfg`, keeping the rows in `kept`.
    void Written(CfgGroup group, const CCfgData& cfg, const CfgLoadReport& kept);
    /// A write of `group` stopped part-way, or its tables were emptied: they hold neither the
    /// reference nor the store, so the next save does not take that for a colleague's work.
    void NotePartlyWritten(CfgGroup group) { m_partlyWritten[Index(group)] = true; }
    bool IsPartlyWritten(CfgGroup group) const { return m_partlyWritten[Index(group)]; }
    /// Whether the database session holds the digest of the reference of `group`: the read
    /// the document adopted, or its last save of the group, left it there.
    bool SessionHoldsDigest(CfgGroup group) const { return m_digestHeld[Index(group)]; }

private:
    static std::size_t Index(CfgGroup group) { return static_cast<std::size_t>(group); }

    CCfgData m_store;
    CCfgData m_reference;
    CfgLoadReport m_loaded;
    std::array<bool, 3> m_partlyWritten{};
    std::array<bool, 3> m_digestHeld{};
};
