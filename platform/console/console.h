// The process-wide console: one screen buffer and one input buffer behind
// every console call, shown either in memory (no terminal) or on a terminal
// by a backend.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/console/input_buffer.h"
#include "platform/console/screen_buffer.h"
#include "platform/kernel_object.h"

namespace tuikit::platform {

class Console;

// What shows the console. Called with the console's screen lock held.
class ConsoleBackend {
public:
    virtual ~ConsoleBackend() = default;
    // Cells or the cursor changed; the damage is in the screen buffer.
    virtual void OutputChanged() = 0;
    // The thread that draws is about to wait for messages: show what it drew.
    virtual void Idle() {}
    // Shows the platform's modal message box and waits until it is
    // dismissed; false when this backend cannot show one. Called without
    // the screen lock.
    virtual bool MessageBox(const char *text, const char *caption, UINT type, int &result)
    {
        (void)text; (void)caption; (void)type; (void)result;
        return false;
    }
    // The size of the window the buffer is shown in, when it has one.
    virtual bool WindowSize(int &width, int &height) { (void)width; (void)height; return false; }
};

class Console {
public:
    static constexpr int kMemoryWidth = 80;
    static constexpr int kMemoryHeight = 25;
    static constexpr int kMaxDimension = 4096;

    // The console, created on first use: a terminal when standard input and
    // output are terminals, memory when neither is.
    static Console &Get();

    std::mutex &ScreenLock() { return screenLock_; }
    ScreenBuffer &Screen() { return screen_; }  // only with ScreenLock() held
    InputBuffer &Input() { return input_; }

    HANDLE InputHandle() const { return inputHandle_; }
    HANDLE OutputHandle() const { return outputHandle_; }

    // Called with ScreenLock() held after a change of cells or cursor.
    void Changed()
    {
        if (backend_) backend_->OutputChanged();
    }
    void Idle();

    COORD MaximumWindowSize();  // with ScreenLock() held
    void SetMaximumWindowSize(COORD size) { maxWindow_ = size; }

    // The input settings are read by the terminal's reader without the
    // screen lock, which the drawing thread may be holding.
    std::atomic<DWORD> inputMode{ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_MOUSE_INPUT};
    DWORD outputMode = ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT;
    UINT outputCodePage = 437;
    std::atomic<UINT> inputCodePage{437};

    bool IsTerminal() const { return backend_ != nullptr; }
    ConsoleBackend *Backend() { return backend_.get(); }

private:
    Console();
    void AttachBackend();

    std::mutex screenLock_;
    ScreenBuffer screen_;
    InputBuffer input_;
    COORD maxWindow_{kMemoryWidth, kMemoryHeight};
    HANDLE inputHandle_ = nullptr;
    HANDLE outputHandle_ = nullptr;
    std::unique_ptr<ConsoleBackend> backend_;
};

// Starts the terminal backend when standard input and output call for one;
// returns null in memory mode. Defined by the terminal subsystem.
std::unique_ptr<ConsoleBackend> CreateTerminalBackend(Console &console);

}  // namespace tuikit::platform
