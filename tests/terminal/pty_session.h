// Runs the test program in a pseudo-terminal the way a shell runs a job:
// its own process group in the foreground of a session whose leader waits
// for it. The test side plays the terminal: it reads what the program
// writes into libvterm, sends back the terminal's answers, and types bytes.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/console/screen_buffer.h"
#include "test_terminal.h"

namespace tuikit::test {

struct SessionOptions {
    int rows = 25;
    int cols = 80;
    // Answer the extended keyboard protocol query as a terminal that has it.
    bool keyboardProtocol = false;
    // Standard input is /dev/null instead of the terminal.
    bool stdinIsTerminal = true;
    // Text already on the terminal before the program starts, as a shell
    // prompt would be.
    std::string before = "prompt$ ";
};

// What the terminal looked like before the program ran.
struct TerminalBefore {
    termios settings;
    VTermPos cursor;
    std::string firstRow;
};

class PtySession {
public:
    explicit PtySession(const std::string &mode, SessionOptions options = {});
    ~PtySession();
    PtySession(const PtySession &) = delete;
    PtySession &operator=(const PtySession &) = delete;

    TestTerminal &Term() { return term_; }
    const TerminalBefore &Before() const { return before_; }
    void Type(const std::string &bytes);
    // Plays the terminal until done() holds or the time is up.
    bool WaitUntil(const std::function<bool()> &done, int timeoutMs = 5000);
    // The program's next report line; false when none came in time.
    bool NextReport(std::string &line, int timeoutMs = 5000);
    // Skips reports until one starting with prefix; empty when none came.
    std::string WaitReport(const std::string &prefix, int timeoutMs = 5000);
    // The screen the program reported ("screen W H cx cy" and its rows).
    platform::ScreenBuffer ReadScreen();

    void Signal(int sig);
    bool Stopped() const;
    pid_t Pid() const { return program_; }
    // Waits for the program to end; the wait status, or -1 on timeout.
    int WaitExit(int timeoutMs = 5000);
    void Resize(int rows, int cols);

    // The terminal's settings, and how many typed bytes nobody has read.
    termios Settings() const;
    int PendingInput() const;

private:
    void Spawn(const std::string &mode, const SessionOptions &options);
    bool PumpOnce(int timeoutMs);
    void Answer(const char *data, size_t size);

    TestTerminal term_;
    TerminalBefore before_{};
    bool keyboardProtocol_;
    int master_ = -1;
    int slave_ = -1;
    int reports_ = -1;
    pid_t leader_ = -1;
    pid_t program_ = -1;
    bool exited_ = false;
    bool reportsOpen_ = true;
    std::string reportBuffer_;
    std::string queryTail_;
};

}  // namespace tuikit::test
