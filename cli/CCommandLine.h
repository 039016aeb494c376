#pragma once

/// The commands that run as a console program, with no display and no widgets: export,
/// import and diff of configuration files against the database (`tarvex --help`).
class CCommandLine
{
public:
    /// Exit codes: done (diff: no changes); the file differs, or an import was not
    /// confirmed; failed.
    enum ExitCode
    {
        kDone = 0,
        kChanges = 1,
        kFailed = 2,
    };

    /// Whether the arguments ask for a command (or its help) rather than for the window.
    static bool IsCommand(int argc, char* argv[]);
    /// Runs the command under a core application and returns the exit code.
    static int Run(int argc, char* argv[]);
};
