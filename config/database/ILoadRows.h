#pragma once

#include "db/IOtlRecordset.h"

#include <string>

/// Where loading's queries get their rows: the connection, one query a round trip, or rows
/// read beforehand.
class ILoadRows
{
public:
    virtual ~ILoadRows() = default;

    /// The rows of `query`, or null when it failed; LastError then says why.
    virtual RecordsetPtr Open(const std::string& query) = 0;
    /// The first column of the first row of `query` as text; empty for no row, NULL or a
    /// failure, which LastError then names.
    virtual std::string Value(const std::string& query) = 0;
    virtual std::string LastError() = 0;
};
