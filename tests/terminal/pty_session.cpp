#include "pty_session.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <iterator>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tuikit::test {

namespace {

// The child that leads the session: starts the program as its foreground
// job and ends the way the program ended.
[[noreturn]] void LeadSession(int slave, int reportFd, const std::vector<std::string> &argv, bool stdinIsTerminal)
{
    setsid();
    ioctl(slave, TIOCSCTTY, 0);
    pid_t program = fork();
    if (program == 0) {
        setpgid(0, 0);
        signal(SIGTTOU, SIG_IGN);
        tcsetpgrp(slave, getpid());
        signal(SIGTTOU, SIG_DFL);
        dup2(stdinIsTerminal ? slave : open("/dev/null", O_RDONLY), STDIN_FILENO);
        dup2(slave, STDOUT_FILENO);
        dup2(slave, STDERR_FILENO);
        dup2(reportFd, 3);
        for (int fd = 4; fd < 64; ++fd) close(fd);
        std::vector<char *> args;
        for (const std::string &a : argv) args.push_back(const_cast<char *>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
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

}  // namespace

PtySession::PtySession(const std::vector<std::string> &argv, SessionOptions options)
    : term(options.rows, options.cols), keyboardProtocol_(options.keyboardProtocol)
{
    term.Feed("prompt$ ");
    winsize ws{};
    ws.ws_row = static_cast<unsigned short>(options.rows);
    ws.ws_col = static_cast<unsigned short>(options.cols);
    int reports[2];
    if (openpty(&master_, &slave_, nullptr, nullptr, &ws) != 0 || pipe2(reports, O_CLOEXEC) != 0) return;
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    beforeSettings = Settings();
    beforeCursor = term.Cursor();
    beforeRow = term.RowText(0);
    reports_ = reports[0];
    leader_ = fork();
    if (leader_ == 0) LeadSession(slave_, reports[1], argv, options.stdinIsTerminal);
    close(reports[1]);
    // The program is the foreground job once it runs.
    WaitUntil([&] { return (program_ = tcgetpgrp(master_)) > 0 && program_ != leader_; });
}

PtySession::~PtySession()
{
    if (!exited_ && leader_ > 0) {
        if (program_ > 0) kill(program_, SIGKILL);
        kill(leader_, SIGKILL);
        waitpid(leader_, nullptr, 0);
    }
    for (int fd : {master_, slave_, reports_})
        if (fd >= 0) close(fd);
}

void PtySession::Type(const std::string &bytes)
{
    for (size_t at = 0; at < bytes.size();) {
        ssize_t n = write(master_, bytes.data() + at, bytes.size() - at);
        if (n < 0 && errno != EINTR) return;
        at += n > 0 ? static_cast<size_t>(n) : 0;
    }
}

bool PtySession::PumpOnce(int timeoutMs)
{
    pollfd fds[2] = {{master_, POLLIN, 0}, {reports_, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) return false;
    char buf[8192];
    ssize_t n = (fds[0].revents & POLLIN) ? read(master_, buf, sizeof buf) : 0;
    if (n > 0) {
        std::string out(buf, static_cast<size_t>(n));
        if (keyboardProtocol_) {
            // Answer the keyboard protocol query before the terminal's own
            // answers to what follows it (device attributes).
            std::string seen = queryTail_ + out;
            for (size_t at = seen.find("\x1b[?u"); at != std::string::npos; at = seen.find("\x1b[?u", at + 1))
                Type("\x1b[?0u");
            queryTail_ = seen.substr(seen.size() > 3 ? seen.size() - 3 : 0);
        }
        term.Feed(out);
        Type(term.TakeAnswers());
    }
    ssize_t r = (fds[1].revents & (POLLIN | POLLHUP)) ? read(reports_, buf, sizeof buf) : 0;
    if (r > 0) reportBuffer_.append(buf, static_cast<size_t>(r));
    if (fds[1].revents && r <= 0) {  // every writer is gone
        close(reports_);
        reports_ = -1;
    }
    return n > 0 || r > 0;
}

bool PtySession::WaitUntil(const std::function<bool()> &done, int timeoutMs)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        PumpOnce(20);
    }
    return true;
}

bool PtySession::WaitShows(const std::string &text)
{
    return WaitUntil([&] { return term.Shows(text); });
}

std::string PtySession::WaitReport(const std::string &prefix)
{
    std::string line;
    WaitUntil([&] {
        for (size_t end; (end = reportBuffer_.find('\n')) != std::string::npos;) {
            line = reportBuffer_.substr(0, end);
            reportBuffer_.erase(0, end + 1);
            if (line.rfind(prefix, 0) == 0) return true;
        }
        line.clear();
        return false;
    });
    return line;
}

void PtySession::Signal(int sig)
{
    if (program_ > 0) kill(program_, sig);
}

int PtySession::WaitExit()
{
    int status = -1;
    bool done = WaitUntil([&] { return exited_ = waitpid(leader_, &status, WNOHANG) == leader_; });
    while (PumpOnce(50)) {  // what the program wrote last (the restore) may still be in the pty
    }
    return done ? status : -1;
}

void PtySession::Resize(int rows, int cols)
{
    winsize ws{};
    ws.ws_row = static_cast<unsigned short>(rows);
    ws.ws_col = static_cast<unsigned short>(cols);
    term.Resize(rows, cols);
    ioctl(master_, TIOCSWINSZ, &ws);  // the program's group gets SIGWINCH
}

termios PtySession::Settings() const
{
    termios t{};
    tcgetattr(slave_, &t);
    return t;
}

int PtySession::PendingInput() const
{
    int n = 0;
    ioctl(slave_, FIONREAD, &n);
    return n;
}

bool SameSettings(const termios &a, const termios &b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag && a.c_cflag == b.c_cflag &&
           std::equal(std::begin(a.c_cc), std::end(a.c_cc), std::begin(b.c_cc));
}

void ExpectRestored(PtySession &s)
{
    const TestTerminal &t = s.term;
    EXPECT_TRUE(SameSettings(s.Settings(), s.beforeSettings)) << "terminal settings differ";
    EXPECT_FALSE(t.altScreen);
    EXPECT_EQ(t.RowText(0), s.beforeRow);
    EXPECT_EQ(t.Cursor().row, s.beforeCursor.row);
    EXPECT_EQ(t.Cursor().col, s.beforeCursor.col);
    EXPECT_TRUE(t.cursorVisible);
    EXPECT_EQ(t.mouse, 0);
    for (auto [mode, on] : t.privateModes)
        EXPECT_EQ(on, mode == 7 || mode == 25) << "private mode " << mode << " left switched";
    EXPECT_EQ(t.keyboardDepth, 0) << "keyboard protocol flags left pushed";
    EXPECT_LE(t.cursorStyle, 0) << "cursor style left changed";
    EXPECT_EQ(s.PendingInput(), 0) << "input left over for the shell";
}

}  // namespace tuikit::test
