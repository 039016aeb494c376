#pragma once

#include <string>

/// How a write of one group ended.
struct CfgWriteOutcome
{
    enum class Result
    {
        Written,
        /// The overwrite question was answered no: nothing was written.
        Declined,
        /// Refused before the first statement: nothing was written. `error` says why.
        Refused,
        /// A statement failed after others had taken effect; `backup` holds what was there.
        PartlyWritten,
    };

    Result result = Result::Refused;
    std::string error;
    /// The backup of what the write wrote over; empty when it made none.
    std::string backup;
    /// The connection had dropped and was opened again before the first statement.
    bool reconnected = false;

    bool IsWritten() const { return result == Result::Written; }
};
