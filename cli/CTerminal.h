#pragma once

#include <string>

/// The terminal of a console command: questions go to standard error, so that standard
/// output carries only results, and answers come from standard input.
class CTerminal
{
public:
    /// Whether standard input is a terminal, so that someone can answer.
    static bool IsInteractive();
    /// Asks a question; false at the end of the input.
    static bool ReadLine(const std::string& prompt, std::string& line);
    /// Asks for a secret without showing what is typed; false at the end of the input.
    /// The echo comes back however the prompt ends, an interrupt included.
    static bool ReadSecret(const std::string& prompt, std::string& secret);
};
