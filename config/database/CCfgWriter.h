#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/database/CfgWriteOutcome.h"
#include "db/IOtlConnection.h"

#include <string>

class CCfgDocument;
class ICfgOverwriteQuestion;
struct CCfgData;

/// Writes the groups of a document to the database through a given connection.
class CCfgWriter
{
public:
    /// Rewrites the tables of `group` from the document's store (each table emptied, then one
    /// INSERT per setting or record), stopping at the first statement the database refuses.
    /// A group that loading did not read whole, or a value that does not fit its column, is
    /// refused before anything is sent. Opens a dropped connection again first.
    static CfgWriteOutcome Save(IOtlConnection& db, CCfgDocument& document, CfgGroup group,
                                ICfgOverwriteQuestion* question);
    /// Writes `group` of `cfg` over the group's tables: under the group's lock, after reading
    /// them afresh (asking `question`, where there is one, when they changed since the
    /// document's reference) and backing up what they held, with the rows the program keeps
    /// as they are now. The group of `cfg` then becomes the document's reference.
    static CfgWriteOutcome Write(IOtlConnection& db, CCfgDocument& document, CfgGroup group,
                                 const CCfgData& cfg, ICfgOverwriteQuestion* question);
    /// Opens the connection again, once, when the server or the network has dropped it; to be
    /// called before an operation's first statement. False, with `error` saying why and what
    /// to do, when it cannot be opened.
    static bool EnsureConnected(IOtlConnection& db, bool& reconnected, std::string& error,
                                IOtlConnection::OpenCheck check = IOtlConnection::OpenCheck::AskTheServer);
    /// Whether the server takes writes; false, with `error` saying so, for a read-only one (a
    /// replica), whatever the user's privileges: nothing may be written to it.
    static bool Writable(IOtlConnection& db, std::string& error);

private:
    /// One attempt of Write; `lostToAnotherNode` tells that a save through another node of
    /// the cluster won and this one wrote nothing.
    static CfgWriteOutcome WriteOnce(IOtlConnection& db, CCfgDocument& document, CfgGroup group,
                                     const CCfgData& cfg, ICfgOverwriteQuestion* question,
                                     bool& lostToAnotherNode);
};
