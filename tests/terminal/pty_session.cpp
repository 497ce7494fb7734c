#include "pty_session.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tuikit::test {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point until)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

void WriteAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        data += n;
        size -= static_cast<size_t>(n);
    }
}

// The child that leads the session: starts the program as a foreground job
// and ends the way the program ended.
[[noreturn]] void LeadSession(int slave, int reportFd, const std::string &mode, const SessionOptions &options)
{
    setsid();
    ioctl(slave, TIOCSCTTY, 0);
    int ready[2];
    if (pipe(ready) != 0) _exit(120);
    pid_t program = fork();
    if (program == 0) {
        setpgid(0, 0);
        char c;
        while (read(ready[0], &c, 1) < 0 && errno == EINTR) {
        }
        int in = options.stdinIsTerminal ? slave : open("/dev/null", O_RDONLY);
        dup2(in, STDIN_FILENO);
        dup2(slave, STDOUT_FILENO);
        dup2(slave, STDERR_FILENO);
        dup2(reportFd, 3);
        fcntl(3, F_SETFD, 0);
        for (int fd = 4; fd < 64; ++fd) close(fd);
        execl(TUIKIT_TTY_APP, TUIKIT_TTY_APP, mode.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    setpgid(program, program);
    signal(SIGTTOU, SIG_IGN);
    tcsetpgrp(slave, program);
    // The pid is the first report: the program starts only after it.
    char pidText[32];
    int len = std::snprintf(pidText, sizeof pidText, "pid %d\n", static_cast<int>(program));
    if (write(reportFd, pidText, static_cast<size_t>(len)) != len) _exit(122);
    if (write(ready[1], "x", 1) != 1) _exit(121);
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

PtySession::PtySession(const std::string &mode, SessionOptions options)
    : term_(options.rows, options.cols), keyboardProtocol_(options.keyboardProtocol)
{
    term_.Feed(options.before);
    Spawn(mode, options);
}

void PtySession::Spawn(const std::string &mode, const SessionOptions &options)
{
    winsize ws{};
    ws.ws_row = static_cast<unsigned short>(options.rows);
    ws.ws_col = static_cast<unsigned short>(options.cols);
    if (openpty(&master_, &slave_, nullptr, nullptr, &ws) != 0) return;
    before_ = TerminalBefore{Settings(), term_.Cursor(), term_.RowText(0)};
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    int reports[2];
    if (pipe2(reports, O_CLOEXEC) != 0) return;
    reports_ = reports[0];
    leader_ = fork();
    if (leader_ == 0) {
        close(master_);
        LeadSession(slave_, reports[1], mode, options);
    }
    close(reports[1]);
    std::string line = WaitReport("pid ");
    if (!line.empty()) program_ = static_cast<pid_t>(std::stoi(line.substr(4)));
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

void PtySession::Type(const std::string &bytes) { WriteAll(master_, bytes.data(), bytes.size()); }

void PtySession::Answer(const char *data, size_t size)
{
    if (keyboardProtocol_) {
        // Answer the keyboard protocol query before the terminal's own
        // answers to what follows it (device attributes).
        std::string seen = queryTail_ + std::string(data, size);
        for (size_t at = seen.find("\x1b[?u"); at != std::string::npos; at = seen.find("\x1b[?u", at + 1))
            Type("\x1b[?0u");
        queryTail_ = seen.size() > 3 ? seen.substr(seen.size() - 3) : seen;
    }
    term_.Feed(data, size);
    std::string answers = term_.TakeAnswers();
    if (!answers.empty()) Type(answers);
}

bool PtySession::PumpOnce(int timeoutMs)
{
    pollfd fds[2] = {{master_, POLLIN, 0}, {reportsOpen_ ? reports_ : -1, POLLIN, 0}};
    int r = poll(fds, 2, timeoutMs);
    if (r <= 0) return false;
    char buf[8192];
    bool got = false;
    if (fds[0].revents & POLLIN) {
        ssize_t n = read(master_, buf, sizeof buf);
        if (n > 0) Answer(buf, static_cast<size_t>(n));
        got = n > 0;
    }
    if (fds[1].revents & (POLLIN | POLLHUP)) {
        ssize_t n = read(reports_, buf, sizeof buf);
        if (n > 0) reportBuffer_.append(buf, static_cast<size_t>(n));
        else reportsOpen_ = false;
        got = got || n > 0;
    }
    return got;
}

bool PtySession::WaitUntil(const std::function<bool()> &done, int timeoutMs)
{
    auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (Clock::now() >= until) return false;
        PumpOnce(std::min(MsLeft(until), 20));
    }
    return true;
}

bool PtySession::NextReport(std::string &line, int timeoutMs)
{
    bool got = WaitUntil([&] { return reportBuffer_.find('\n') != std::string::npos; }, timeoutMs);
    if (!got) return false;
    size_t end = reportBuffer_.find('\n');
    line = reportBuffer_.substr(0, end);
    reportBuffer_.erase(0, end + 1);
    return true;
}

std::string PtySession::WaitReport(const std::string &prefix, int timeoutMs)
{
    auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string line;
    while (NextReport(line, MsLeft(until)))
        if (line.rfind(prefix, 0) == 0) return line;
    return {};
}

platform::ScreenBuffer PtySession::ReadScreen()
{
    std::string head = WaitReport("screen ");
    int w = 1, h = 1, cx = 0, cy = 0;
    if (std::sscanf(head.c_str(), "screen %d %d %d %d", &w, &h, &cx, &cy) != 4) return platform::ScreenBuffer(1, 1);
    platform::ScreenBuffer screen(w, h);
    for (int y = 0; y < h; ++y) {
        std::string row;
        if (!NextReport(row)) break;
        for (int x = 0; x < w && static_cast<size_t>(x * 4 + 4) <= row.size(); ++x) {
            unsigned ch = 0, attr = 0;
            std::sscanf(row.c_str() + x * 4, "%2x%2x", &ch, &attr);
            screen.SetCell(x, y, platform::Cell{static_cast<uint8_t>(ch), static_cast<uint16_t>(attr)});
        }
    }
    screen.cursor = COORD{static_cast<SHORT>(cx), static_cast<SHORT>(cy)};
    return screen;
}

void PtySession::Signal(int sig)
{
    if (program_ > 0) kill(program_, sig);
}

bool PtySession::Stopped() const
{
    std::ifstream stat("/proc/" + std::to_string(program_) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    size_t close = all.rfind(')');
    return close != std::string::npos && close + 2 < all.size() && all[close + 2] == 'T';
}

int PtySession::WaitExit(int timeoutMs)
{
    int status = -1;
    bool done = WaitUntil(
        [&] {
            if (exited_) return true;
            pid_t r = waitpid(leader_, &status, WNOHANG);
            exited_ = r == leader_;
            return exited_;
        },
        timeoutMs);
    // What the program wrote last (the restore) may still be in the pipe.
    while (PumpOnce(50)) {
    }
    return done ? status : -1;
}

void PtySession::Resize(int rows, int cols)
{
    winsize ws{};
    ws.ws_row = static_cast<unsigned short>(rows);
    ws.ws_col = static_cast<unsigned short>(cols);
    term_.Resize(rows, cols);
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

}  // namespace tuikit::test
