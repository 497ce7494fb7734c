#include "platform/terminal/terminal_backend.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include "platform/message_queue.h"
#include "platform/terminal/message_box_view.h"

namespace tuikit::platform {

namespace {

TerminalBackend *instance = nullptr;

int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void ShowWhenIdle() { Console::Get().Idle(); }

bool IsKeyDown(const INPUT_RECORD &r, WORD vk)
{
    return r.EventType == KEY_EVENT && r.Event.KeyEvent.bKeyDown && r.Event.KeyEvent.wVirtualKeyCode == vk;
}

}  // namespace

TerminalBackend::TerminalBackend(Console &console, int inFd)
    : console_(console), inFd_(inFd), inputOpen_(inFd >= 0)
{
}

void TerminalBackend::Start()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = fds[0];
        wakeWrite_ = fds[1];
    }
    backstop_ = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    SetTerminalWakeFd(wakeWrite_);
    mainThread_ = GetCurrentThreadId();
    EnsureThreadQueue();
    PushScreenModes();
    std::vector<INPUT_RECORD> typed;
    if (inFd_ >= 0) {
        PushMouseModes();
        Probe(typed);
        PushKeyboardModes(decoder_.Replies().keyboardFlags >= 0);
        decoder_.SetReleasesReported(decoder_.Replies().keyboardFlags >= 0);
        int sync = decoder_.Replies().syncOutputMode;
        renderer_.SetSynchronizedOutput(sync >= 1 && sync <= 3);
    } else {
        console_.Input().SetReadable(false);
        renderer_.SetRawOutput(false);  // the terminal's settings are not ours
    }
    int w = 80, h = 25;
    TerminalSize(w, h);
    width_ = std::min(w, Console::kMaxDimension);
    height_ = std::min(h, Console::kMaxDimension);
    {
        std::lock_guard guard(console_.ScreenLock());
        renderer_.SetViewport(width_, height_);
        console_.Screen().Resize(width_, height_);
        console_.Screen().DamageAll();
        dirty_ = true;
        ArmBackstop(true);
    }
    if (!typed.empty()) Deliver(typed);
    instance = this;
    SetTerminalExitHook(LetGoAtExit);
    SetIdleHook(ShowWhenIdle);
    if (inFd_ >= 0) {
        console_.Input().SetSource(this);
    } else {
        // Nothing reads input, so resizes, stops and the backstop have a
        // thread of their own; the input pump ends at its first read.
        std::thread([this] {
            for (;;) Pump(-1);
        }).detach();
    }
}

void TerminalBackend::Probe(std::vector<INPUT_RECORD> &typed)
{
    WriteProbes();
    int64_t deadline = NowMs() + kProbeTimeoutMs;
    char buf[512];
    while (!decoder_.Replies().deviceAttributes) {
        int64_t left = deadline - NowMs();
        if (left <= 0) break;
        pollfd p{inFd_, POLLIN, 0};
        int r = poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        ssize_t n = read(inFd_, buf, sizeof buf);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) break;
        // Keys typed meanwhile are kept for the application.
        decoder_.SetInputCodePage(console_.inputCodePage.load());
        decoder_.Feed(buf, static_cast<size_t>(n), static_cast<uint64_t>(NowMs()), typed);
    }
}

void TerminalBackend::OutputChanged()
{
    // Only note the change: the idle flush or the backstop writes it.
    drawer_.store(std::this_thread::get_id(), std::memory_order_relaxed);
    if (dirty_) return;
    dirty_ = true;
    ArmBackstop(true);
}

void TerminalBackend::Idle()
{
    if (dirty_ || console_.Screen().HasDamage()) FlushLocked();
}

bool TerminalBackend::WindowSize(int &width, int &height)
{
    width = width_;
    height = height_;
    return true;
}

void TerminalBackend::ArmBackstop(bool on)
{
    if (backstop_ < 0 || backstopArmed_ == on) return;
    backstopArmed_ = on;
    itimerspec due{};
    due.it_value.tv_nsec = on ? kFlushDelayMs * 1'000'000L : 0;
    timerfd_settime(backstop_, 0, &due, nullptr);
}

void TerminalBackend::FlushLocked()
{
    dirty_ = false;
    ArmBackstop(false);
    if (modal_) return;  // the box stays on top; the damage waits for it to go
    ScreenBuffer &screen = console_.Screen();
    frame_.clear();
    renderer_.SetCodePage(console_.outputCodePage);
    renderer_.Render(screen, frame_);
    screen.ClearDamage();
    if (!frame_.empty()) WriteTerminal(frame_.data(), frame_.size());
}

// The caller's limit, shortened to when a kept escape sequence resolves.
int TerminalBackend::PollTimeout(int timeoutMs) const
{
    auto escape = decoder_.Deadline();
    if (!escape) return timeoutMs;
    auto left = static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(*escape) - NowMs(), 0, 60'000));
    return timeoutMs < 0 ? left : std::min(timeoutMs, left);
}

void TerminalBackend::EnterRound()
{
    std::unique_lock guard(roundLock_);
    if (stopping_) {
        // The process is exiting and the terminal is being given back: this
        // thread reads nothing more.
        roundsDone_.wait(guard, [] { return false; });
    }
    ++rounds_;
}

void TerminalBackend::LeaveRound()
{
    std::lock_guard guard(roundLock_);
    if (--rounds_ == 0 && stopping_) roundsDone_.notify_all();
}

void TerminalBackend::Pump(int timeoutMs)
{
    EnterRound();
    if (drawer_.load(std::memory_order_relaxed) == std::this_thread::get_id()) {
        // A thread that drew and now waits for input is idle: what it drew shows.
        std::lock_guard guard(console_.ScreenLock());
        if (dirty_) FlushLocked();
    }
    std::vector<INPUT_RECORD> records;
    // While the main thread is behind with its messages (a paste), the
    // terminal waits, so that no key is lost to a full queue.
    bool behind = PostedCount(mainThread_) > kMaxBacklog;
    bool reading = inputOpen_ && !TerminalDraining() && !behind;
    pollfd fds[3] = {{wakeRead_, POLLIN, 0}, {reading ? inFd_ : -1, POLLIN, 0}, {backstop_, POLLIN, 0}};
    int timeout = PollTimeout(timeoutMs);
    if (behind) timeout = timeout < 0 ? kBacklogPollMs : std::min(timeout, kBacklogPollMs);
    int r = poll(fds, 3, timeout);
    if (r > 0 && (fds[0].revents & POLLIN)) {
        char wakes[64];
        ssize_t n = read(wakeRead_, wakes, sizeof wakes);
        for (ssize_t i = 0; i < n; ++i) HandleWake(static_cast<WakeCommand>(wakes[i]));
    }
    if (r > 0 && (fds[2].revents & POLLIN)) {
        uint64_t expiries = 0;
        ssize_t n = read(backstop_, &expiries, sizeof expiries);
        (void)n;
        std::lock_guard guard(console_.ScreenLock());
        backstopArmed_ = false;
        if (dirty_) FlushLocked();
    }
    if (r > 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) ReadTerminal(records);
    decoder_.Expire(static_cast<uint64_t>(NowMs()), records);
    if (!records.empty()) Deliver(records);
    LeaveRound();
}

// Reads once: the console input asks for more only when it runs dry, so a
// paste waits in the terminal rather than in memory.
void TerminalBackend::ReadTerminal(std::vector<INPUT_RECORD> &records)
{
    char buf[kReadBytes];
    ssize_t n = read(inFd_, buf, sizeof buf);
    if (n > 0) {
        if (TerminalDraining()) NoteDrained(buf, static_cast<size_t>(n));
        decoder_.SetInputCodePage(console_.inputCodePage.load());
        decoder_.Feed(buf, static_cast<size_t>(n), static_cast<uint64_t>(NowMs()), records);
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        // The terminal hung up: no more input will come. The thread that
        // started the console is told, so that its message loop (or a
        // dialog's) ends normally.
        inputOpen_ = false;
        console_.Input().SetReadable(false);
        PostThreadMessageA(mainThread_, WM_QUIT, 0, 0);
    }
}

void TerminalBackend::HandleWake(WakeCommand what)
{
    switch (what) {
    case WakeCommand::kResized:
        FollowSize();
        break;
    case WakeCommand::kStop:
    case WakeCommand::kContinued:
        // Back from a stop, or from a terminating signal the application
        // survived: the terminal was given back and taken again (and the
        // size may have changed).
        if (SettleTerminal() || what == WakeCommand::kContinued) FollowSize();
        break;
    case WakeCommand::kInterrupt:
    case WakeCommand::kQuit:
        break;  // the round ends and the caller looks again
    }
}

// The terminal may have cut what it showed even when its size is back where
// it was, or was given back meanwhile: everything is drawn afresh.
void TerminalBackend::FollowSize()
{
    int w = 0, h = 0;
    if (!TerminalSize(w, h)) return;
    w = std::min(w, Console::kMaxDimension);
    h = std::min(h, Console::kMaxDimension);
    width_ = w;
    height_ = h;
    {
        std::lock_guard guard(console_.ScreenLock());
        renderer_.Invalidate();
        renderer_.SetViewport(w, h);
        console_.Screen().FollowWindow(w, h);
        FlushLocked();
    }
    std::vector<INPUT_RECORD> records(1);
    records[0].EventType = WINDOW_BUFFER_SIZE_EVENT;
    records[0].Event.WindowBufferSizeEvent.dwSize = COORD{static_cast<SHORT>(w), static_cast<SHORT>(h)};
    Deliver(records);
}

void TerminalBackend::Deliver(std::vector<INPUT_RECORD> &records)
{
    {
        std::lock_guard guard(modalLock_);
        if (modal_) {
            modalInput_.insert(modalInput_.end(), records.begin(), records.end());
            modalReady_.notify_all();
            return;
        }
    }
    // As on a console, mouse and size records are queued only when the
    // input mode asks for them.
    DWORD mode = console_.inputMode;
    std::erase_if(records, [mode](const INPUT_RECORD &r) {
        return (r.EventType == MOUSE_EVENT && !(mode & ENABLE_MOUSE_INPUT)) ||
               (r.EventType == WINDOW_BUFFER_SIZE_EVENT && !(mode & ENABLE_WINDOW_INPUT));
    });
    if (!records.empty()) console_.Input().Append(records.data(), records.size());
}

void TerminalBackend::RoundEnded()
{
    if (!modal_) return;
    std::lock_guard guard(modalLock_);
    ++roundsEnded_;
    modalReady_.notify_all();
}

// At an orderly exit: every round on the terminal ends (bounded) before it
// is given back, and none starts again.
void TerminalBackend::LetGoAtExit()
{
    TerminalBackend *self = instance;
    if (!self) return;
    std::unique_lock guard(self->roundLock_);
    self->stopping_ = true;
    WakeTerminalReader(WakeCommand::kQuit);
    self->roundsDone_.wait_for(guard, std::chrono::milliseconds(500), [self] { return self->rounds_ == 0; });
}

bool TerminalBackend::MessageBox(const char *text, const char *caption, UINT type, int &result)
{
    if (inFd_ < 0 || !console_.Input().Readable()) return false;  // nothing to dismiss it with
    {
        std::lock_guard guard(roundLock_);
        if (stopping_) return false;
    }
    {
        std::lock_guard guard(modalLock_);
        if (modal_) return false;
        modal_ = true;
        modalInput_.clear();
    }
    ShowBox(text, caption, type);
    result = AwaitAnswer(text, caption, type);
    {
        std::lock_guard guard(modalLock_);
        modal_ = false;
        modalInput_.clear();
    }
    std::lock_guard guard(console_.ScreenLock());
    console_.Screen().DamageAll();
    FlushLocked();
    return true;
}

void TerminalBackend::ShowBox(const char *text, const char *caption, UINT type)
{
    std::lock_guard guard(console_.ScreenLock());
    ScreenBuffer composed = console_.Screen();
    DrawMessageBox(composed, text, caption, type);
    frame_.clear();
    renderer_.Render(composed, frame_);
    WriteTerminal(frame_.data(), frame_.size());
}

int TerminalBackend::AwaitAnswer(const char *text, const char *caption, UINT type)
{
    std::unique_lock guard(modalLock_);
    bool clicked = false;
    WORD answeredKey = 0;
    int answer = 0;
    for (;;) {
        // After an answering key, wait (bounded) for its release with real
        // releases, so that it does not reach the application alone.
        if (!AwaitBoxInput(guard, answeredKey != 0)) return answeredKey ? answer : MessageBoxAnswer(type, true);
        INPUT_RECORD r = modalInput_.front();
        modalInput_.pop_front();
        if (answeredKey) {
            if (r.EventType == KEY_EVENT && !r.Event.KeyEvent.bKeyDown && r.Event.KeyEvent.wVirtualKeyCode == answeredKey)
                return answer;
            continue;
        }
        if (IsKeyDown(r, VK_RETURN) || IsKeyDown(r, VK_SPACE) || IsKeyDown(r, VK_ESCAPE)) {
            answer = MessageBoxAnswer(type, IsKeyDown(r, VK_ESCAPE));
            answeredKey = r.Event.KeyEvent.wVirtualKeyCode;
        } else if (r.EventType == MOUSE_EVENT) {
            const MOUSE_EVENT_RECORD &m = r.Event.MouseEvent;
            bool left = (m.dwButtonState & FROM_LEFT_1ST_BUTTON_PRESSED) != 0;
            if (m.dwEventFlags & (MOUSE_WHEELED | MOUSE_HWHEELED)) continue;
            if (left) clicked = true;
            else if (clicked) return MessageBoxAnswer(type, false);  // a click is a press and its release
        } else if (r.EventType == WINDOW_BUFFER_SIZE_EVENT) {
            guard.unlock();
            ShowBox(text, caption, type);
            guard.lock();
        }
    }
}

// Waits for the box's next record, reading the terminal on this thread
// whenever no other thread does. False when none came within a second
// (bounded) or no more input will come.
bool TerminalBackend::AwaitBoxInput(std::unique_lock<std::mutex> &guard, bool bounded)
{
    using Clock = std::chrono::steady_clock;
    auto due = Clock::now() + std::chrono::seconds(1);
    while (modalInput_.empty()) {
        if (bounded && Clock::now() >= due) return false;
        unsigned seen = roundsEnded_;
        int left = bounded ? static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count())
                           : -1;
        guard.unlock();
        bool read = console_.Input().PumpOnce(left);
        bool open = console_.Input().Readable();
        guard.lock();
        if (!modalInput_.empty()) break;
        if (!open) return false;
        if (read || roundsEnded_ != seen) continue;  // look again, or take the next round
        if (bounded) modalReady_.wait_until(guard, due);
        else modalReady_.wait(guard);
    }
    return true;
}

std::unique_ptr<ConsoleBackend> CreateTerminalBackend(Console &console)
{
    bool input = isatty(STDIN_FILENO) != 0;
    if (!isatty(STDOUT_FILENO)) return nullptr;  // memory mode
    int inFd = input ? STDIN_FILENO : -1;
    if (!TakeTerminal(inFd, STDOUT_FILENO)) return nullptr;
    auto backend = std::make_unique<TerminalBackend>(console, TerminalInputFd());
    backend->Start();
    return backend;
}

}  // namespace tuikit::platform
