#pragma once

class IOtlConnection;

/// The eight configuration tables: emptied where they already exist (SQL Server), or dropped
/// and created anew (MySQL). Stateless; works on the connection it is given.
class CCfgSchema
{
public:
    /// Sends one TRUNCATE per table. Failures are not looked at (a missing table is no
    /// reason to leave the others full), so the result is always true.
    static bool ClearCfgTables(IOtlConnection& connection);
    /// Drops (failure ignored, the table may not exist yet) and creates each table in turn.
    /// False at the first CREATE the database refuses; the tables after it are not touched.
    static bool CreateCfgTables(IOtlConnection& connection);
};
