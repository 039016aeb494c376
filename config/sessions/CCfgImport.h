#pragma once

#include "config/catalogue/CfgGroup.h"
#include "config/database/ICfgOverwriteQuestion.h"

#include <string>
#include <vector>

class CCfgDocument;
class CCfgFileSession;

/// What an import asks of whoever runs it: the window asks in dialogs, the command line on
/// the terminal or not at all.
class ICfgImportQuestions : public ICfgOverwriteQuestion
{
public:
    /// Asked once the groups that differ are checked, before anything is written: true to
    /// write them.
    virtual bool ConfirmImport(const CCfgChanges& changes) = 0;
};

/// How an import ended.
struct CfgImportOutcome
{
    enum class Result
    {
        /// The database already holds what the file holds: nothing was written.
        Unchanged,
        /// The file holds a value a column would refuse: nothing was written.
        Refused,
        NotConfirmed,
        Written,
        /// A group was not written; `written` lists those before it.
        Failed,
    };

    Result result = Result::Refused;
    std::string error;
    std::vector<CfgGroup> written;
    /// Failed because a colleague's changes were not to be written over.
    bool declined = false;
    bool reconnected = false;
};

/// One import of what a session has read (a file, a backup, a sheet) into the database: the
/// same steps for the window and the command line, which supply only their questions.
class CCfgImport
{
public:
    /// Checks the groups that `changes` (the session's comparison) names, asks, and writes
    /// them; `document` then holds what CCfgFileSession::Write leaves in it.
    static CfgImportOutcome Run(CCfgFileSession& session, const CCfgChanges& changes, CCfgDocument& document,
                                ICfgImportQuestions& questions);
};
