#pragma once

#include <cstddef>
#include <memory>
#include <vector>

/// A list that owns its records: appended at the tail, walked from head to tail, and
/// freed exactly once, by DeleteAll or with the list.
template <class Record> class CRecordList
{
public:
    using RecordType = Record;
    using Storage = std::vector<std::unique_ptr<Record>>;

    /// The list takes the record over.
    void AddTail(std::unique_ptr<Record> record) { m_records.push_back(std::move(record)); }
    /// Frees every record; the list is empty afterwards.
    void DeleteAll() { m_records.clear(); }

    std::size_t GetCount() const { return m_records.size(); }
    bool IsEmpty() const { return m_records.empty(); }

    typename Storage::const_iterator begin() const { return m_records.begin(); }
    typename Storage::const_iterator end() const { return m_records.end(); }

private:
    Storage m_records;
};

struct tagIpoLine;
struct tagSIP_ACCOUNT;
struct tagTRUNK_ITEM;
struct tagTRUNK_MATCH;

using CIpoLineList = CRecordList<tagIpoLine>;
using CSipAccount = CRecordList<tagSIP_ACCOUNT>;
using CTrunkItem = CRecordList<tagTRUNK_ITEM>;
using CTrunkMatch = CRecordList<tagTRUNK_MATCH>;
