// Runs a program in a pseudo-terminal the way a shell runs a job: its own
// process group in the foreground of a session whose leader waits for it.
// The test side plays the terminal: it feeds what the program writes into
// libvterm, sends back the terminal's answers, and types bytes.
#pragma once

#include <chrono>
#include <csignal>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "pty_write.h"
#include "test_terminal.h"

namespace tuikit::test {

struct SessionOptions {
    bool keyboardProtocol = false;  // answer the keyboard protocol query as a terminal that has it
    bool stdinIsTerminal = true;    // else standard input is /dev/null
    bool hangUpIgnored = false;     // the program starts with SIGHUP ignored, as under nohup
};

class PtySession {
public:
    // argv[0] is the program's path.
    explicit PtySession(std::vector<const char *> argv, SessionOptions options = {}) : options_(options)
    {
        term.Feed("prompt$ ");
        winsize ws{25, 80, 0, 0};
        if (openpty(&master_, &slave_, nullptr, nullptr, &ws) != 0) return;
        fcntl(master_, F_SETFD, FD_CLOEXEC);
        beforeSettings = Settings();
        leader_ = fork();
        if (leader_ == 0) LeadSession(argv);
        // The program is the foreground job once it runs.
        WaitUntil([&] { return (program_ = tcgetpgrp(master_)) > 0 && program_ != leader_; });
    }
    ~PtySession()
    {
        if (!exited_ && leader_ > 0) {
            if (program_ > 0) kill(program_, SIGKILL);
            kill(leader_, SIGKILL);
            waitpid(leader_, nullptr, 0);
        }
        for (int fd : {master_, slave_})
            if (fd >= 0) close(fd);
    }
    PtySession(const PtySession &) = delete;
    PtySession &operator=(const PtySession &) = delete;

    // The terminal, which shows a shell prompt before the program starts.
    TestTerminal term{25, 80};
    std::string beforeSettings;
    std::chrono::steady_clock::time_point exitedAt;  // when WaitExit saw the end, within one pump

    void Type(const std::string &bytes) { (void)!write(master_, bytes.data(), bytes.size()); }  // short: never cut
    // Types any number of bytes, playing the terminal meanwhile so that the
    // program's output never holds up its input.
    bool TypeAll(const std::string &bytes)
    {
        return WriteAllDraining(master_, bytes, [this] { PumpOnce(0); });
    }
    // Plays the terminal until done() holds or the time is up.
    bool WaitUntil(const std::function<bool()> &done)
    {
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() >= until) return false;
            PumpOnce(20);
        }
        return true;
    }
    bool WaitShows(const std::string &text) { return WaitUntil([&] { return term.Shows(text); }); }
    void Signal(int sig) { kill(program_, sig); }
    // The terminal goes away: the master side is closed.
    void HangUp()
    {
        close(master_);
        master_ = -1;
    }
    pid_t Pid() const { return program_; }
    // Waits for the program to end; the wait status, or -1 on timeout.
    int WaitExit()
    {
        int status = -1;
        bool done = WaitUntil([&] { return exited_ = waitpid(leader_, &status, WNOHANG) == leader_; });
        exitedAt = std::chrono::steady_clock::now();
        while (PumpOnce(50)) {  // what the program wrote last (the restore) may still be in the pty
        }
        return done ? status : -1;
    }
    void Resize(int rows, int cols)
    {
        winsize ws{static_cast<unsigned short>(rows), static_cast<unsigned short>(cols), 0, 0};
        term.Resize(rows, cols);
        ioctl(master_, TIOCSWINSZ, &ws);  // the program's group gets SIGWINCH
    }
    // Expects the program to end with this wait status (0 an exit with 0, a
    // signal's number death by it) and the terminal as it was before.
    void ExpectEnds(int status, const std::string &printed = "")
    {
        EXPECT_EQ(WaitExit(), status);
        ExpectRestored(printed);
    }
    // The terminal's settings as bytes, to compare.
    std::string Settings() const
    {
        termios t{};
        tcgetattr(slave_, &t);
        return std::string(reinterpret_cast<const char *>(&t), sizeof t);
    }
    // Expects the terminal as it was before the program: settings, main
    // screen with the prompt and after it the line the program wrote to
    // standard error, if any, the cursor where the shell left it, every mode
    // the program switched undone, no input left over.
    void ExpectRestored(const std::string &printed = "")
    {
        std::string firstRow = ("prompt$ " + printed).append(72 - printed.size(), ' ');
        VTermPos at = printed.empty() ? VTermPos{0, 8} : VTermPos{1, 0};
        // The restore's last bytes may still be on their way through the pty.
        EXPECT_TRUE(WaitUntil([&] {
            return !term.altScreen && term.RowText(0) == firstRow && term.Cursor().row == at.row && term.Cursor().col == at.col;
        })) << "alternate screen " << term.altScreen << ", first row '" << term.RowText(0) << "', cursor at "
            << term.Cursor().row << "," << term.Cursor().col;
        EXPECT_EQ(Settings(), beforeSettings) << "terminal settings differ";
        EXPECT_EQ(term.mouse, 0);
        EXPECT_EQ(ModesLeft(), "");
        EXPECT_EQ(Pending(), 0) << "input left over for the shell";
    }
    // Bytes typed that no one has read: what the shell would get next.
    int Pending() const
    {
        int pending = 0;
        ioctl(slave_, FIONREAD, &pending);
        return pending;
    }

private:
    // The child that leads the session: starts the program as its foreground
    // job and ends the way the program ended.
    [[noreturn]] void LeadSession(std::vector<const char *> argv)
    {
        close(master_);  // the terminal's side belongs to the test alone
        setsid();
        ioctl(slave_, TIOCSCTTY, 0);
        if (options_.hangUpIgnored) signal(SIGHUP, SIG_IGN);  // inherited through exec
        pid_t program = fork();
        if (program == 0) {
            setpgid(0, 0);
            signal(SIGTTOU, SIG_IGN);
            tcsetpgrp(slave_, getpid());
            signal(SIGTTOU, SIG_DFL);
            dup2(options_.stdinIsTerminal ? slave_ : open("/dev/null", O_RDONLY), STDIN_FILENO);
            dup2(slave_, STDOUT_FILENO);
            dup2(slave_, STDERR_FILENO);
            closefrom(3);
            argv.push_back(nullptr);
            execv(argv[0], const_cast<char *const *>(argv.data()));
            _exit(127);
        }
        int status = 0;
        while (waitpid(program, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFSIGNALED(status)) {
            signal(WTERMSIG(status), SIG_DFL);
            kill(getpid(), WTERMSIG(status));
        }
        _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 123);
    }

    bool PumpOnce(int timeoutMs)
    {
        pollfd p{master_, POLLIN, 0};
        char buf[8192];
        ssize_t n = poll(&p, 1, timeoutMs) > 0 ? read(master_, buf, sizeof buf) : 0;
        if (n <= 0) return false;
        std::string out(buf, static_cast<size_t>(n));
        // Answer the keyboard protocol query (written whole, with the other
        // probes) before the terminal's own answers to what follows it.
        if (options_.keyboardProtocol && out.find("\x1b[?u") != std::string::npos) Type("\x1b[?0u");
        // The mouse still moves as the program gives the terminal back: none of that may reach the shell.
        if (options_.stdinIsTerminal && out.find("\x1b[?1049l") != std::string::npos) Type("\x1b[<35;12;10M");
        Type(term.Feed(out));
        return true;
    }

    // DEC private modes left other than a shell has them (cursor shown,
    // line wrap on), keyboard protocol pushes not popped, a cursor style
    // left set (libvterm brings back its own with the main screen).
    std::string ModesLeft() const
    {
        static const std::regex kMode("\x1b\\[(\\?[0-9]+[hl]|[<>][0-9]*u|[0-9]* q)");
        std::map<std::string, std::string> last;  // each DEC mode's last setting
        int pushed = 0;
        for (std::sregex_iterator it(term.written.begin(), term.written.end(), kMode), end; it != end; ++it) {
            std::string m = (*it)[1];
            if (m.back() == 'q') last["style"] = m == " q" ? "0 q" : m;
            else if (m[0] == '?') last[m.substr(0, m.size() - 1)] = m;
            else pushed += m[0] == '>' ? 1 : -std::max(1, std::atoi(m.c_str() + 1));
        }
        std::string left = pushed ? "keyboard protocol pushed " + std::to_string(pushed) : "";
        for (const auto &[mode, set] : last) {
            std::string shells = mode == "style" ? "0 q" : mode + (mode == "?7" || mode == "?25" ? "h" : "l");
            if (set != shells) left += " " + set;
        }
        return left;
    }

    SessionOptions options_;
    int master_ = -1, slave_ = -1;
    pid_t leader_ = -1, program_ = -1;
    bool exited_ = false;
};

// A left button pressed and released at a cell.
inline std::string Click(int x, int y)
{
    std::string at = std::to_string(x + 1) + ";" + std::to_string(y + 1);
    return "\x1b[<0;" + at + "M\x1b[<0;" + at + "m";
}

// Where text first shows, as {x, y}; {-1, -1} when nowhere.
inline std::pair<int, int> At(PtySession &s, const std::string &text)
{
    for (int y = 0; y < 25; ++y)
        if (size_t x = s.term.RowText(y).find(text); x != std::string::npos) return {static_cast<int>(x), y};
    return {-1, -1};
}

// A click on the first cell showing text; an empty string when nothing shows it.
inline std::string ClickOn(PtySession &s, const std::string &text)
{
    auto [x, y] = At(s, text);
    return x < 0 ? "" : Click(x, y);
}

// The demo's screen is whole: its title on the menu bar row is drawn last, after
// the status line, and a frame may be flushed between them.
inline bool WaitDemoUp(PtySession &s)
{
    return s.WaitShows("Ctrl+Q quits") && s.WaitShows("TuiKit demo");
}

// The left half of rows 0 to 23: the messages panel on the right logs what the demo receives.
inline std::string LeftHalf(PtySession &s)
{
    std::string rows;
    for (int y = 0; y < 24; ++y) rows += s.term.RowText(y).substr(0, 40) + "\n";
    return rows;
}

}  // namespace tuikit::test
