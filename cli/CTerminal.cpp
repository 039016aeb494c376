#include "cli/CTerminal.h"

#include <csignal>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace {

struct termios g_echoing;

extern "C" void RestoreEchoAndDie(int signal)
{
    tcsetattr(STDIN_FILENO, TCSANOW, &g_echoing);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

bool ReadInputLine(std::string& line)
{
    line.clear();
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return c != EOF || !line.empty();
}

void Prompt(const std::string& prompt)
{
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace

bool CTerminal::IsInteractive()
{
    return isatty(STDIN_FILENO) == 1;
}

bool CTerminal::ReadLine(const std::string& prompt, std::string& line)
{
    Prompt(prompt);
    const bool read = ReadInputLine(line);
    // A terminal echoes the answer and its Enter; piped input does not.
    if (!IsInteractive())
        Prompt("\n");
    return read;
}

bool CTerminal::ReadSecret(const std::string& prompt, std::string& secret)
{
    Prompt(prompt);
    if (tcgetattr(STDIN_FILENO, &g_echoing) != 0)
        return ReadInputLine(secret);
    struct termios silent = g_echoing;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    const auto previousInt = std::signal(SIGINT, RestoreEchoAndDie);
    const auto previousTerm = std::signal(SIGTERM, RestoreEchoAndDie);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    const bool read = ReadInputLine(secret);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_echoing);
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
    Prompt("\n");
    return read;
}
