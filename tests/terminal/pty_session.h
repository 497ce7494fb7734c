// Runs a program in a pseudo-terminal the way a shell runs a job: its own
// process group in the foreground of a session whose leader waits for it.
// The test side plays the terminal: it feeds what the program writes into
// libvterm, sends back the terminal's answers, and types bytes. The test
// program also reports what it sees on descriptor 3.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <functional>
#include <string>
#include <vector>

#include "test_terminal.h"

namespace tuikit::test {

struct SessionOptions {
    int rows = 25;
    int cols = 80;
    // Answer the extended keyboard protocol query as a terminal that has it.
    bool keyboardProtocol = false;
    // Standard input is /dev/null instead of the terminal.
    bool stdinIsTerminal = true;
};

class PtySession {
public:
    // argv[0] is the program's path.
    explicit PtySession(const std::vector<std::string> &argv, SessionOptions options = {});
    ~PtySession();
    PtySession(const PtySession &) = delete;
    PtySession &operator=(const PtySession &) = delete;

    // The terminal, which shows a shell prompt before the program starts.
    TestTerminal term;
    // What the terminal was like before the program ran.
    termios beforeSettings{};
    VTermPos beforeCursor{};
    std::string beforeRow;

    void Type(const std::string &bytes);
    // Plays the terminal until done() holds or the time is up.
    bool WaitUntil(const std::function<bool()> &done, int timeoutMs = 5000);
    bool WaitShows(const std::string &text);
    // Skips reports until one starting with prefix; empty when none came.
    std::string WaitReport(const std::string &prefix);

    void Signal(int sig);
    pid_t Pid() const { return program_; }
    // Waits for the program to end; the wait status, or -1 on timeout.
    int WaitExit();
    void Resize(int rows, int cols);
    termios Settings() const;
    // Typed bytes that nobody has read.
    int PendingInput() const;

private:
    bool PumpOnce(int timeoutMs);

    bool keyboardProtocol_;
    int master_ = -1;
    int slave_ = -1;
    int reports_ = -1;
    pid_t leader_ = -1;
    pid_t program_ = -1;
    bool exited_ = false;
    std::string reportBuffer_;
    std::string queryTail_;
};

bool SameSettings(const termios &a, const termios &b);
// Expects the terminal as it was before the program: settings, main screen
// with its text and cursor, every mode the program switched on switched off,
// no input left over for the shell.
void ExpectRestored(PtySession &s);

}  // namespace tuikit::test
