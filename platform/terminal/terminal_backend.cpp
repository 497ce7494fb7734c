#include "platform/terminal/terminal_backend.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "platform/message_queue.h"
#include "platform/terminal/message_box_view.h"
#include "platform/terminal/terminal.h"

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
        dirtySince_ = NowMs() + 1;
    }
    if (!typed.empty()) Deliver(typed);
    instance = this;
    SetTerminalExitHook(StopReader);
    std::thread([this] { ReaderLoop(); }).detach();
    SetIdleHook(ShowWhenIdle);
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
        decoder_.SetInputCodePage(InputCodePage());
        decoder_.Feed(buf, static_cast<size_t>(n), static_cast<uint64_t>(NowMs()), typed);
    }
}

void TerminalBackend::OutputChanged()
{
    // Only note the change: the screen lock is held, so no terminal I/O here.
    if (dirtySince_.load(std::memory_order_relaxed) != 0) return;
    int64_t expected = 0;
    if (dirtySince_.compare_exchange_strong(expected, NowMs() + 1) && wakeWrite_ >= 0) {
        char c = 'f';
        ssize_t n = write(wakeWrite_, &c, 1);
        (void)n;
    }
}

void TerminalBackend::Idle()
{
    if (dirtySince_.load() != 0 || console_.Screen().HasDamage()) FlushLocked();
}

bool TerminalBackend::WindowSize(int &width, int &height)
{
    width = width_;
    height = height_;
    return true;
}

void TerminalBackend::FlushLocked()
{
    dirtySince_ = 0;
    if (modal_) return;  // the box stays on top; the damage waits for it to go
    ScreenBuffer &screen = console_.Screen();
    frame_.clear();
    renderer_.SetCodePage(console_.outputCodePage);
    renderer_.Render(screen, frame_);
    screen.ClearDamage();
    if (!frame_.empty()) WriteTerminal(frame_.data(), frame_.size());
}

int TerminalBackend::PollTimeout(int64_t now) const
{
    int64_t due = -1;
    if (int64_t dirty = dirtySince_.load()) due = dirty - 1 + kFlushDelayMs;
    if (auto d = decoder_.Deadline()) {
        auto escape = static_cast<int64_t>(*d);
        due = due < 0 ? escape : std::min(due, escape);
    }
    if (due < 0) return -1;  // nothing to wait for: sleep until input or a wake-up
    return static_cast<int>(std::clamp<int64_t>(due - now, 0, 60'000));
}

void TerminalBackend::ReaderLoop()
{
    std::vector<INPUT_RECORD> records;
    char buf[4096];
    for (;;) {
        pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {inputOpen_ && !TerminalDraining() ? inFd_ : -1, POLLIN, 0}};
        int r = poll(fds, 2, PollTimeout(NowMs()));
        if (r < 0 && errno != EINTR) break;
        if (r > 0 && (fds[0].revents & POLLIN)) {
            char wakes[64];
            ssize_t n = read(wakeRead_, wakes, sizeof wakes);
            for (ssize_t i = 0; i < n; ++i) HandleWake(wakes[i]);
        }
        if (stopping_) break;
        auto now = static_cast<uint64_t>(NowMs());
        if (r > 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            ssize_t n = read(inFd_, buf, sizeof buf);
            if (n > 0 && TerminalDraining()) NoteDrained(buf, static_cast<size_t>(n));
            if (n > 0) {
                decoder_.SetInputCodePage(InputCodePage());
                decoder_.Feed(buf, static_cast<size_t>(n), now, records);
            } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
                // The terminal hung up: no more input will come.
                inputOpen_ = false;
                console_.Input().SetReadable(false);
                // Tell the thread that started the console, so that its
                // message loop (or a dialog's) ends normally.
                PostThreadMessageA(mainThread_, WM_QUIT, 0, 0);
            }
        }
        decoder_.Expire(now, records);
        if (!records.empty()) {
            Deliver(records);
            records.clear();
        }
        int64_t dirty = dirtySince_.load();
        if (dirty != 0 && static_cast<int64_t>(now) >= dirty - 1 + kFlushDelayMs) {
            std::lock_guard guard(console_.ScreenLock());
            FlushLocked();
        }
    }
    std::lock_guard guard(stopLock_);
    readerParked_ = true;
    stopped_.notify_all();
}

void TerminalBackend::HandleWake(char what)
{
    if (what == 'w') {
        FollowSize();
    } else if (what == 's' || what == 'c') {
        // Back from a stop, or from a terminating signal the application
        // survived: the terminal was given back and taken again (and the
        // size may have changed).
        if (!SettleTerminal() && what != 'c') return;
        FollowSize();
    }
    // 'f' (something was drawn) only makes the loop look at its timeout.
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

UINT TerminalBackend::InputCodePage()
{
    std::lock_guard guard(console_.ScreenLock());
    return console_.inputCodePage;
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
    {
        // As on a console, mouse and size records are queued only when the
        // input mode asks for them.
        std::lock_guard guard(console_.ScreenLock());
        DWORD mode = console_.inputMode;
        std::erase_if(records, [mode](const INPUT_RECORD &r) {
            return (r.EventType == MOUSE_EVENT && !(mode & ENABLE_MOUSE_INPUT)) ||
                   (r.EventType == WINDOW_BUFFER_SIZE_EVENT && !(mode & ENABLE_WINDOW_INPUT));
        });
    }
    if (!records.empty()) console_.Input().Append(records.data(), records.size());
}

void TerminalBackend::StopReader()
{
    TerminalBackend *self = instance;
    if (!self) return;
    self->stopping_ = true;
    char c = 'q';
    ssize_t n = write(self->wakeWrite_, &c, 1);
    (void)n;
    std::unique_lock guard(self->stopLock_);
    self->stopped_.wait_for(guard, std::chrono::milliseconds(500), [self] { return self->readerParked_; });
}

bool TerminalBackend::MessageBox(const char *text, const char *caption, UINT type, int &result)
{
    if (inFd_ < 0 || stopping_) return false;  // nothing to dismiss it with
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
        if (modalInput_.empty()) {
            if (answeredKey) {
                // With real releases, wait for the answering key's release so
                // that it does not reach the application alone.
                if (!modalReady_.wait_for(guard, std::chrono::seconds(1), [this] { return !modalInput_.empty(); }))
                    return answer;
            } else {
                modalReady_.wait(guard, [this] { return !modalInput_.empty(); });
            }
        }
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
