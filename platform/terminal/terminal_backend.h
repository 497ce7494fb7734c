// The console shown on a real terminal: a reader thread waits in poll() on
// the terminal and a self-pipe (resize, continue, wake-ups), decodes input
// into the console's input buffer and flushes drawing that the UI thread
// left unshown for too long; the UI thread flushes itself when it goes idle.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/console/console.h"
#include "platform/terminal/decoder.h"
#include "platform/terminal/renderer.h"

namespace tuikit::platform {

class TerminalBackend final : public ConsoleBackend {
public:
    // Drawing shows at the latest this long after a change.
    static constexpr int64_t kFlushDelayMs = 20;
    // How long start-up waits for the terminal to answer its probes.
    static constexpr int kProbeTimeoutMs = 500;

    // inFd is where the terminal's input is read, -1 when input is not a terminal.
    TerminalBackend(Console &console, int inFd);
    // Switches the terminal's modes on, probes it and starts the reader.
    void Start();

    void OutputChanged() override;
    void Idle() override;
    bool MessageBox(const char *text, const char *caption, UINT type, int &result) override;
    bool WindowSize(int &width, int &height) override;

private:
    void Probe(std::vector<INPUT_RECORD> &typed);
    void ReaderLoop();
    int PollTimeout(int64_t now) const;
    void HandleWake(char what);
    void FollowSize();
    void FlushLocked();
    UINT InputCodePage();
    void Deliver(std::vector<INPUT_RECORD> &records);
    void ShowBox(const char *text, const char *caption, UINT type);
    int AwaitAnswer(const char *text, const char *caption, UINT type);
    static void StopReader();

    Console &console_;
    const int inFd_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    bool inputOpen_ = false;  // reader thread only
    DWORD mainThread_ = 0;    // told WM_QUIT when the terminal's input ends

    // Under the console's screen lock.
    Renderer renderer_;
    std::string frame_;

    InputDecoder decoder_;  // reader thread only, once started
    std::atomic<int64_t> dirtySince_{0};  // 1 + ms of the first unshown change; 0 none
    std::atomic<int> width_{80};
    std::atomic<int> height_{25};

    // While a message box is up, input goes to it instead of the console.
    std::mutex modalLock_;
    std::condition_variable modalReady_;
    std::deque<INPUT_RECORD> modalInput_;
    std::atomic<bool> modal_{false};

    std::atomic<bool> stopping_{false};
    std::mutex stopLock_;
    std::condition_variable stopped_;
    bool readerParked_ = false;
};

}  // namespace tuikit::platform
