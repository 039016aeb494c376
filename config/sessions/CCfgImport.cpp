#include "config/sessions/CCfgImport.h"

#include "config/document/CCfgChanges.h"
#include "config/sessions/CCfgFileSession.h"

CfgImportOutcome CCfgImport::Run(CCfgFileSession& session, const CCfgChanges& changes, CCfgDocument& document,
                                 ICfgImportQuestions& questions)
{
    CfgImportOutcome outcome;
    if (changes.IsEmpty()) {
        outcome.result = CfgImportOutcome::Result::Unchanged;
        return outcome;
    }
    // A file or a server refused is refused before the question, not after it.
    if (!session.Writable(outcome.error) || !session.Prepare(changes, outcome.error))
        return outcome;
    if (!questions.ConfirmImport(changes)) {
        outcome.result = CfgImportOutcome::Result::NotConfirmed;
        return outcome;
    }
    // A colleague may have saved since the differences were listed: asked as a save asks.
    const bool done = session.Write(document, &questions, outcome.written, outcome.declined, outcome.error);
    outcome.result = done ? CfgImportOutcome::Result::Written : CfgImportOutcome::Result::Failed;
    outcome.reconnected = session.Reconnected();
    return outcome;
}
