#pragma once

#include <memory>
#include <string>

/// Rows of one query. The reader asks IsEof before each FetchNext, the first included,
/// and frees the set with DestroyInstance.
class IOtlRecordset
{
public:
    virtual ~IOtlRecordset() = default;

    /// True when no further row can be fetched.
    virtual bool IsEof() = 0;
    /// Makes the next row current.
    virtual void FetchNext() = 0;
    /// The named column of the current row as text; empty for NULL or an unknown name.
    virtual std::string GetFieldByName(const std::string& name) = 0;
    /// Column `index` (1 = first of the select list) as integer; 0 for NULL.
    virtual int GetFieldInt(int index) = 0;
    /// Column `index` as text; empty for NULL.
    virtual std::string GetFieldString(int index) = 0;

    static void DestroyInstance(IOtlRecordset* recordset);
};

struct RecordsetDeleter
{
    void operator()(IOtlRecordset* recordset) const { IOtlRecordset::DestroyInstance(recordset); }
};

/// Frees its record set with DestroyInstance however the reader leaves.
using RecordsetPtr = std::unique_ptr<IOtlRecordset, RecordsetDeleter>;
