#include "platform/console/console.h"

namespace tuikit::platform {

namespace {

// Signalled while input records are waiting to be read.
class ConsoleInputObject : public WaitableObject {
public:
    explicit ConsoleInputObject(InputBuffer &input) : WaitableObject(ObjectKind::ConsoleInput), input_(input) {}
    bool Signalled() override { return input_.Size() != 0; }
    bool CanReadWhileWaiting() override { return input_.CanPump(); }
    void ReadWhileWaiting(int timeoutMs) override { input_.PumpOnce(timeoutMs); }
    void InterruptRead() override { input_.InterruptOtherPumper(); }

private:
    InputBuffer &input_;
};

class ConsoleOutputObject : public KernelObject {
public:
    ConsoleOutputObject() : KernelObject(ObjectKind::ConsoleOutput) {}
};

}  // namespace

Console &Console::Get()
{
    // Never destroyed: the input pump and the terminal's exit path may still
    // use it while static destructors run.
    static Console *console = [] {
        auto *c = new Console;
        c->AttachBackend();
        return c;
    }();
    return *console;
}

Console::Console() : screen_(kMemoryWidth, kMemoryHeight)
{
    inputHandle_ = RegisterPermanentHandle(new ConsoleInputObject(input_));
    outputHandle_ = RegisterPermanentHandle(new ConsoleOutputObject);
}

void Console::AttachBackend()
{
    backend_ = CreateTerminalBackend(*this);
}

void Console::Idle()
{
    if (!backend_) return;
    std::lock_guard guard(screenLock_);
    backend_->Idle();
}

COORD Console::MaximumWindowSize()
{
    int w = 0, h = 0;
    if (backend_ && backend_->WindowSize(w, h)) return COORD{static_cast<SHORT>(w), static_cast<SHORT>(h)};
    return maxWindow_;
}

}  // namespace tuikit::platform
