#include "platform/terminal/terminal.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <termios.h>
#include <unistd.h>

#include "platform/terminal/escapes.h"

namespace tuikit::platform {

namespace {

constexpr size_t kMaxSequence = 512;
// How long an exit waits for input still in flight (mouse motion, key
// releases) to arrive, so that none of it is left for the shell. Every
// terminal answers at once; the bound is for one that never does.
constexpr int kDrainMs = 500;
// A crash drains too, but briefly: the process is about to die.
constexpr int kFaultDrainMs = 50;

struct Sequence {
    char bytes[kMaxSequence];
    size_t size = 0;
};

// The strings that switch every mode on and off again. The signal handlers
// read them while the main thread may be adding a mode, so there are two
// sets: the spare one is rebuilt and then published with one atomic store.
struct Sequences {
    Sequence enter;
    Sequence leave;
};

constexpr int kTerminating[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kFaults[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS};

struct TerminalState {
    int inFd = -1;  // a non-blocking description of its own, see OpenInput
    int outFd = -1;
    int settingsFd = -1;  // the descriptor whose settings are changed
    pid_t owner = 0;      // forked children never give back their parent's terminal
    termios saved{};
    termios raw{};
    Sequences sets[2];
    std::atomic<int> current{0};
    std::atomic<int> taken{0};
    // Stop and continue handlers only record which of them came last; the
    // thread that owns the terminal moves it until it matches.
    std::atomic<int> wantGiven{0};
    std::atomic<unsigned> stops{0};  // SIGTSTP seen
    // Held by frame writes and by the owner's give-back and take-again, so
    // a frame never lands on the shell's screen.
    std::mutex writeLock;
    std::atomic<int> wakeFd{-1};
    std::atomic<TerminalExitHook> exitHook{nullptr};
    // While an exit path drains input, the reader may already hold the
    // drain's answer in bytes it read: it tells so through NoteDrained.
    std::atomic<int> draining{0};
    std::atomic<int> drainAnswered{0};
    int stderrSaved = -1;
    int stderrCapture = -1;
    struct sigaction previous[NSIG];
    std::vector<std::pair<std::string, std::string>> modes;  // main thread only
    std::string pending;  // modes pushed but not yet written, under writeLock
};

TerminalState &State()
{
    static auto *state = new TerminalState;  // used by handlers until the very end
    return *state;
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

long NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

// Finds a cursor position report, ESC [ digits ; digits R, in bytes that
// may come in pieces.
struct PositionReportScan {
    int match = 0;
    bool Feed(const char *data, size_t size)
    {
        for (size_t i = 0; i < size; ++i) {
            char c = data[i];
            if (c == 0x1B) match = 1;
            else if (match == 1) match = c == '[' ? 2 : 0;
            else if (match == 2) match = (c >= '0' && c <= '9') ? 2 : c == ';' ? 3 : 0;
            else if (match == 3) {
                if (c == 'R') return true;
                match = (c >= '0' && c <= '9') ? 3 : 0;
            }
        }
        return false;
    }
};

// Asks for the cursor position and reads input until the answer arrives:
// the terminal answers only after everything it sent before, so what was in
// flight is read and dropped here rather than left for the shell. The
// thread reading the terminal stays off it meanwhile; if it had already read the
// answer, it says so and the drain ends without waiting out its limit.
void DrainInput(TerminalState &s, int limitMs)
{
    constexpr int kSliceMs = 5;  // how often the reader's word is looked at
    s.drainAnswered = 0;
    s.draining = 1;
    WriteAll(s.outFd, escapes::kCursorPositionRequest, sizeof escapes::kCursorPositionRequest - 1);
    long deadline = NowMs() + limitMs;
    PositionReportScan scan;
    char buf[256];
    for (;;) {
        long left = deadline - NowMs();
        if (left <= 0 || s.drainAnswered) break;
        pollfd p{s.inFd, POLLIN, 0};
        int r = poll(&p, 1, static_cast<int>(std::min<long>(left, kSliceMs)));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 || (r > 0 && !(p.revents & POLLIN))) break;
        if (r == 0) continue;
        ssize_t n = read(s.inFd, buf, sizeof buf);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;  // the terminal's reader took it
        if (n <= 0 || scan.Feed(buf, static_cast<size_t>(n))) break;
    }
    s.draining = 0;
}

void CaptureStderr(const TerminalState &s)
{
    if (s.stderrCapture >= 0) dup2(s.stderrCapture, STDERR_FILENO);
}

// Puts standard error back and shows what was written to it meanwhile.
void ReleaseStderr(const TerminalState &s)
{
    if (s.stderrCapture < 0) return;
    dup2(s.stderrSaved, STDERR_FILENO);
    if (lseek(s.stderrCapture, 0, SEEK_SET) < 0) return;
    char buf[1024];
    for (;;) {
        ssize_t n = read(s.stderrCapture, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        WriteAll(STDERR_FILENO, buf, static_cast<size_t>(n));
    }
    if (ftruncate(s.stderrCapture, 0) == 0) lseek(s.stderrCapture, 0, SEEK_SET);
}

// Async-signal-safe.
void GiveBack(int drainMs)
{
    TerminalState &s = State();
    if (s.owner != getpid() || s.taken.exchange(0) == 0) return;
    const Sequence &leave = s.sets[s.current.load()].leave;
    WriteAll(s.outFd, leave.bytes, leave.size);
    if (drainMs > 0 && s.inFd >= 0) DrainInput(s, drainMs);
    // Input still queued is dropped with the settings, unless it is not ours.
    tcsetattr(s.settingsFd, s.inFd >= 0 ? TCSAFLUSH : TCSADRAIN, &s.saved);
    ReleaseStderr(s);
}

// Async-signal-safe.
void TakeAgain()
{
    TerminalState &s = State();
    if (s.owner != getpid() || s.taken.exchange(1) == 1) return;
    CaptureStderr(s);
    tcsetattr(s.settingsFd, TCSANOW, &s.raw);
    const Sequence &enter = s.sets[s.current.load()].enter;
    WriteAll(s.outFd, enter.bytes, enter.size);
}


bool IsFault(int sig)
{
    for (int f : kFaults)
        if (f == sig) return true;
    return false;
}

void OnTerminate(int sig, siginfo_t *info, void *context)
{
    int savedErrno = errno;
    bool fault = IsFault(sig);
    // Mouse reporting goes off first and what is in flight is read, so no
    // report reaches the shell, even on a crash.
    GiveBack(fault ? kFaultDrainMs : kDrainMs);
    const struct sigaction &prev = State().previous[sig];
    bool handled = true;
    if ((prev.sa_flags & SA_SIGINFO) && prev.sa_sigaction) {
        prev.sa_sigaction(sig, info, context);
    } else if (!(prev.sa_flags & SA_SIGINFO) && prev.sa_handler != SIG_DFL && prev.sa_handler != SIG_IGN) {
        prev.sa_handler(sig);
    } else {
        handled = false;
        struct sigaction dfl{};
        dfl.sa_handler = SIG_DFL;
        sigaction(sig, &dfl, nullptr);
        // A hardware fault returns so that the instruction faults again,
        // now with the default action and its own context; any other
        // signal is raised again to die of it.
        if (!fault || info == nullptr || info->si_code <= 0) raise(sig);
    }
    if (handled) {
        // The application's handler chose to survive: take the terminal
        // again and have everything repainted.
        TakeAgain();
        WakeTerminalReader(WakeCommand::kContinued);
    }
    errno = savedErrno;
}

void OnStop(int)
{
    int savedErrno = errno;
    TerminalState &s = State();
    s.stops.fetch_add(1);
    s.wantGiven.store(1);
    WakeTerminalReader(WakeCommand::kStop);
    errno = savedErrno;
}

void OnContinue(int)
{
    int savedErrno = errno;
    State().wantGiven.store(0);
    WakeTerminalReader(WakeCommand::kContinued);
    errno = savedErrno;
}

void OnResize(int)
{
    int savedErrno = errno;
    WakeTerminalReader(WakeCommand::kResized);
    errno = savedErrno;
}

void Install(int sig, void (*handler)(int), bool keepPrevious)
{
    struct sigaction sa{};
    sa.sa_handler = handler;
    sa.sa_flags = SA_RESTART;
    sigemptyset(&sa.sa_mask);
    // A stop and a continue never interleave their handlers.
    sigaddset(&sa.sa_mask, SIGTSTP);
    sigaddset(&sa.sa_mask, SIGCONT);
    struct sigaction old{};
    sigaction(sig, &sa, keepPrevious ? &State().previous[sig] : &old);
}

void InstallStop() { Install(SIGTSTP, OnStop, false); }

// Stops the process with SIGTSTP's own default action, so the shell sees a
// stop from the terminal. The signal is made pending first: a continue that
// comes after that discards it, and one that came before is seen in
// wantGiven and the pending stop is dropped.
void StopUnlessContinued(TerminalState &s)
{
    sigset_t tstp;
    sigemptyset(&tstp);
    sigaddset(&tstp, SIGTSTP);
    sigset_t old;
    pthread_sigmask(SIG_BLOCK, &tstp, &old);
    struct sigaction act{};
    act.sa_handler = SIG_DFL;
    sigaction(SIGTSTP, &act, nullptr);
    pthread_kill(pthread_self(), SIGTSTP);
    if (s.wantGiven.load() == 0) {
        act.sa_handler = SIG_IGN;  // discards the pending stop
        sigaction(SIGTSTP, &act, nullptr);
    }
    pthread_sigmask(SIG_UNBLOCK, &tstp, nullptr);  // a pending stop stops the process here
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    InstallStop();
}

// Fault handlers run on a stack of their own, so that a stack overflow
// still gives the terminal back.
void InstallAltStack()
{
    static char *stack = nullptr;
    if (stack) return;
    size_t size = 64 * 1024;
    stack = static_cast<char *>(std::malloc(size));
    if (!stack) return;
    stack_t ss{};
    ss.ss_sp = stack;
    ss.ss_size = size;
    ss.ss_flags = 0;
    sigaltstack(&ss, nullptr);
}

void InstallHandlers()
{
    TerminalState &s = State();
    InstallAltStack();
    for (int sig : kTerminating) {
        struct sigaction old{};
        sigaction(sig, nullptr, &old);
        if (!(old.sa_flags & SA_SIGINFO) && old.sa_handler == SIG_IGN) continue;  // e.g. SIGHUP under nohup
        struct sigaction sa{};
        sa.sa_sigaction = OnTerminate;
        sa.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&sa.sa_mask);
        sigaction(sig, &sa, &s.previous[sig]);
    }
    for (int sig : kFaults) {
        struct sigaction sa{};
        sa.sa_sigaction = OnTerminate;
        sa.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&sa.sa_mask);
        sigaction(sig, &sa, &s.previous[sig]);
    }
    struct sigaction old{};
    sigaction(SIGTSTP, nullptr, &old);
    if (old.sa_flags & SA_SIGINFO || old.sa_handler != SIG_IGN) InstallStop();
    Install(SIGCONT, OnContinue, true);
    Install(SIGWINCH, OnResize, true);
}

void Append(Sequence &seq, const std::string &text)
{
    size_t n = std::min(text.size(), kMaxSequence - seq.size);
    std::memcpy(seq.bytes + seq.size, text.data(), n);
    seq.size += n;
}

void Publish(TerminalState &s)
{
    int spare = 1 - s.current.load();
    Sequences &set = s.sets[spare];
    set.enter.size = set.leave.size = 0;
    for (const auto &m : s.modes) Append(set.enter, m.first);
    for (auto it = s.modes.rbegin(); it != s.modes.rend(); ++it) Append(set.leave, it->second);
    s.current.store(spare);
}

void OnExit()
{
    TerminalState &s = State();
    if (s.owner != getpid()) return;
    if (TerminalExitHook hook = s.exitHook.load()) hook();
    std::lock_guard guard(s.writeLock);
    GiveBack(kDrainMs);
}

void CaptureStderrOnce(TerminalState &s)
{
    if (!isatty(STDERR_FILENO)) return;
    int capture = memfd_create("tuikit-stderr", MFD_CLOEXEC);
    if (capture < 0) return;
    s.stderrSaved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (s.stderrSaved < 0) {
        close(capture);
        return;
    }
    s.stderrCapture = capture;
    CaptureStderr(s);
}

// The terminal opened again for reading: a description of its own can be
// non-blocking without touching the shell's, so that two readers (the input
// thread and an exit path draining input) never block on each other's bytes.
int OpenInput(int fd)
{
    char path[64];
    if (ttyname_r(fd, path, sizeof path) != 0) std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    int own = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    return own >= 0 ? own : fd;
}

}  // namespace

bool TakeTerminal(int inFd, int outFd)
{
    TerminalState &s = State();
    s.settingsFd = inFd >= 0 ? inFd : outFd;
    if (tcgetattr(s.settingsFd, &s.saved) != 0) return false;
    s.inFd = inFd >= 0 ? OpenInput(inFd) : -1;
    s.outFd = outFd;
    s.raw = s.saved;
    if (inFd >= 0) {
        s.raw.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
        s.raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        s.raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
        s.raw.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
        s.raw.c_cflag |= CS8;
        s.raw.c_cc[VMIN] = 1;
        s.raw.c_cc[VTIME] = 0;
    } else {
        // Input belongs to someone else: only keep typing off the screen.
        s.raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
    }
    s.owner = getpid();
    Publish(s);
    CaptureStderrOnce(s);
    InstallHandlers();
    std::atexit(OnExit);
    tcsetattr(s.settingsFd, TCSANOW, &s.raw);
    s.taken.store(1);
    return true;
}

void PushTerminalMode(const char *on, const char *off)
{
    TerminalState &s = State();
    s.modes.emplace_back(on, off);
    Publish(s);
    // Written with the next write: set-up, probes and the first frame go
    // out in as few writes as the answers they wait for allow.
    std::lock_guard guard(s.writeLock);
    s.pending += on;
}

void PushTerminalMode(const escapes::SessionMode &mode) { PushTerminalMode(mode.on.c_str(), mode.off.c_str()); }

void PushScreenModes()
{
    using namespace escapes;
    PushTerminalMode(SetModes({DecMode::kAlternateScreen}));
    PushTerminalMode(ResetModes({DecMode::kAutowrap}));
    // Colours and the cursor belong to the renderer while the screen is up.
    std::string restore = Csi(kSelectRendition, {0}) + Csi(kCursorStyle, {0}, 0, ' ');
    AppendMode(restore, DecMode::kCursorVisible, true);
    PushTerminalMode("", restore.c_str());
}

void PushMouseModes()
{
    using escapes::DecMode;
    PushTerminalMode(
        escapes::SetModes({DecMode::kMouseButtons, DecMode::kMouseDrags, DecMode::kMouseMotion, DecMode::kMouseSgr}));
}

void PushKeyboardModes(bool extendedProtocol)
{
    using namespace escapes;
    if (extendedProtocol) {
        // Disambiguate, report releases, all keys as sequences (1|2|8),
        // pushed on the alternate screen's own stack.
        PushTerminalMode({Csi(kKeyboardFlags, {11}, '>'), Csi(kKeyboardFlags, {}, '<')});
    } else {
        PushTerminalMode(SetModes({DecMode::kWin32Input}));
    }
    // Pasted text comes between markers, so that it is never taken for keys
    // with Escape or Alt.
    PushTerminalMode(SetModes({DecMode::kBracketedPaste}));
}

void WriteProbes()
{
    using namespace escapes;
    std::string probes = Csi(kKeyboardFlags, {}, '?');
    AppendModeQuery(probes, DecMode::kSynchronizedOutput);
    AppendCsi(probes, kDeviceAttributes);
    WriteTerminal(probes.data(), probes.size());
}

void WriteTerminal(const char *data, size_t size)
{
    TerminalState &s = State();
    std::lock_guard guard(s.writeLock);
    if (!s.taken.load()) return;
    if (s.pending.empty()) {
        WriteAll(s.outFd, data, size);
        return;
    }
    s.pending.append(data, size);
    WriteAll(s.outFd, s.pending.data(), s.pending.size());
    s.pending.clear();
}

bool SettleTerminal()
{
    TerminalState &s = State();
    if (s.owner != getpid()) return false;
    bool retaken = false;
    for (;;) {
        const bool give = s.wantGiven.load() == 1;
        const bool taken = s.taken.load() == 1;
        if (give == taken) {
            std::lock_guard guard(s.writeLock);
            if (give) {
                GiveBack(kDrainMs);
            } else {
                TakeAgain();
                s.pending.clear();  // written with every other mode
            }
            retaken = !give;
            continue;
        }
        if (!give) return retaken;
        const unsigned stop = s.stops.load();
        StopUnlessContinued(s);
        // Running again: this stop is answered unless another one came.
        int asked = 1;
        if (s.stops.load() == stop) s.wantGiven.compare_exchange_strong(asked, 0);
    }
}

bool TerminalSize(int &width, int &height)
{
    winsize ws{};
    if (ioctl(State().outFd, TIOCGWINSZ, &ws) != 0 || ws.ws_col == 0 || ws.ws_row == 0) return false;
    width = ws.ws_col;
    height = ws.ws_row;
    return true;
}

int TerminalInputFd() { return State().inFd; }

void WakeTerminalReader(WakeCommand what)
{
    int fd = State().wakeFd.load();
    if (fd < 0) return;
    char byte = static_cast<char>(what);
    ssize_t n = write(fd, &byte, 1);
    (void)n;
}

void SetTerminalWakeFd(int fd)
{
    State().wakeFd.store(fd);
    if (State().wantGiven.load()) WakeTerminalReader(WakeCommand::kStop);  // a stop that came before there was anyone to wake
}

bool TerminalDraining() { return State().draining.load() != 0; }

void NoteDrained(const char *data, size_t size)
{
    thread_local PositionReportScan scan;
    TerminalState &s = State();
    if (s.draining && scan.Feed(data, size)) s.drainAnswered = 1;
}

void SetTerminalExitHook(TerminalExitHook hook) { State().exitHook.store(hook); }

}  // namespace tuikit::platform
