#pragma once

#include "config/database/CCfgClusterTables.h"

#include <string>
#include <vector>

class IOtlConnection;
struct CCfgData;

/// Makes a database's configuration tables ones a cluster replicates: converted to InnoDB,
/// after a backup of every group. Nothing else is written. The window and the command line
/// both ask between finding and converting.
class CCfgClusterConversion
{
public:
    using Table = CCfgClusterTables::Table;

    struct Result
    {
        std::vector<std::string> backups;
        std::vector<std::string> converted;

        /// The tables converted, as a list to show: "conf_dev、conf_line".
        std::string ConvertedNames() const;
    };

    /// The configuration tables in an engine the cluster would not replicate. A read-only
    /// server is refused.
    static bool Find(IOtlConnection& db, std::vector<Table>& tables, std::string& error);
    /// Backs up every group of `database`, as read from `db` just before, then converts
    /// `tables`. Without every backup nothing is converted.
    static bool Convert(IOtlConnection& db, const CCfgData& database, const std::vector<Table>& tables,
                        Result& result, std::string& error);
};
