// The console shown on a real terminal. There is no thread of its own: the
// terminal is read and decoded inside the console's input reads, on the
// thread that needs the records (normally the input pump), which also does
// resize and job-control work when a signal handler wakes it. The thread
// that draws flushes when it is about to wait for messages; a timer read by
// the same poll shows drawing that no idle flushed in time.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/console/console.h"
#include "platform/terminal/decoder.h"
#include "platform/terminal/renderer.h"
#include "platform/terminal/terminal.h"

namespace tuikit::platform {

class TerminalBackend final : public ConsoleBackend, public InputSource {
public:
    // Drawing shows at the latest this long after a change.
    static constexpr int kFlushDelayMs = 20;
    // How long start-up waits for the terminal to answer its probes.
    static constexpr int kProbeTimeoutMs = 500;
    // One read of the terminal, and how many messages may wait in the main
    // thread's queue before the next: a read's keys (a press and a release
    // each, and a character) always fit in what the queue holds.
    static constexpr int kReadBytes = 2048;
    static constexpr size_t kMaxBacklog = 2000;
    static constexpr int kBacklogPollMs = 2;

    // inFd is where the terminal's input is read, -1 when input is not a terminal.
    TerminalBackend(Console &console, int inFd);
    // Switches the terminal's modes on, probes it and becomes the console
    // input's source.
    void Start();

    void OutputChanged() override;
    void Idle() override;
    bool MessageBox(const char *text, const char *caption, UINT type, int &result) override;
    bool WindowSize(int &width, int &height) override;

    void Pump(int timeoutMs) override;
    void Interrupt() override { WakeTerminalReader(WakeCommand::kInterrupt); }
    void RoundEnded() override;

private:
    void Probe(std::vector<INPUT_RECORD> &typed);
    int PollTimeout(int timeoutMs) const;
    void ReadTerminal(std::vector<INPUT_RECORD> &records);
    void HandleWake(WakeCommand what);
    void FollowSize();
    void FlushLocked();
    void ArmBackstop(bool on);
    void Deliver(std::vector<INPUT_RECORD> &records);
    void ShowBox(const char *text, const char *caption, UINT type);
    int AwaitAnswer(const char *text, const char *caption, UINT type);
    bool AwaitBoxInput(std::unique_lock<std::mutex> &guard, bool bounded);
    void EnterRound();
    void LeaveRound();
    static void LetGoAtExit();

    Console &console_;
    const int inFd_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    int backstop_ = -1;     // timerfd: drawing that no idle flushed
    DWORD mainThread_ = 0;  // told WM_QUIT when the terminal's input ends

    // Under the console's screen lock.
    Renderer renderer_;
    std::string frame_;
    bool dirty_ = false;
    std::atomic<std::thread::id> drawer_;  // the thread that changed the screen last
    bool backstopArmed_ = false;

    // Whoever runs a round of Pump; the console input lets one thread at a time.
    InputDecoder decoder_;
    bool inputOpen_ = false;
    std::atomic<int> width_{80};
    std::atomic<int> height_{25};

    // While a message box is up, input goes to it instead of the console.
    std::mutex modalLock_;
    std::condition_variable modalReady_;
    std::deque<INPUT_RECORD> modalInput_;
    unsigned roundsEnded_ = 0;  // lets the box's thread see that it may read
    std::atomic<bool> modal_{false};

    // At exit every round ends and none starts again.
    std::mutex roundLock_;
    std::condition_variable roundsDone_;
    int rounds_ = 0;
    bool stopping_ = false;
};

}  // namespace tuikit::platform
