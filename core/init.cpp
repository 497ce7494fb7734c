// Start-up: the console, its modes and code page, the main thread, and the
// input pump with its gate.
#include "core/boundary.h"
#include "core/console_state.h"
#include "core/input_pump.h"
#include "tuikit/tuikit.h"

namespace tuikit::core {

ConsoleState console;

void PostToMain(UINT message, WPARAM wParam, LPARAM lParam)
{
    PostThreadMessageA(console.mainThreadId, message, wParam, lParam);
}

}  // namespace tuikit::core

using tuikit::core::console;

extern "C" {

TUIKIT_API int TuiInit(void)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        // A second call would start a second pump racing the first for records;
        // it is accepted and changes nothing.
        if (console.initialised) return 0;
        console.consoleOutput =
            CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        console.consoleInput = GetStdHandle(STD_INPUT_HANDLE);
        SetConsoleMode(console.consoleInput, ENABLE_MOUSE_INPUT);

        UINT cp = GetOEMCP();
        CPINFO info{};
        if (GetCPInfo(cp, &info) && info.MaxCharSize > 1) cp = 437;
        SetConsoleOutputCP(cp);

        console.mainThreadId = GetCurrentThreadId();
        console.inputGate = CreateEventA(nullptr, TRUE, TRUE, nullptr);
        HANDLE pump =
            console.inputGate ? CreateThread(nullptr, 0, tuikit::core::InputPump, nullptr, 0, nullptr) : nullptr;
        if (!pump) {
            // Without memory for the gate or the pump nothing runs: the drawing
            // calls keep saying "not initialised" and a later call tries again.
            if (console.inputGate) CloseHandle(console.inputGate);
            console.inputGate = nullptr;
            return 0;
        }
        CloseHandle(pump);
        console.initialised = 1;
        return 0;
    });
}

TUIKIT_API HANDLE TuiOutputHandle(void) { return console.consoleOutput; }

TUIKIT_API int TuiLockInput(void)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        ResetEvent(console.inputGate);
        // Wakes the pump from its blocking read; it drops this record and then
        // stops at the gate.
        INPUT_RECORD wake{};
        wake.EventType = MENU_EVENT;
        wake.Event.MenuEvent.dwCommandId = 0;
        DWORD written = 0;
        WriteConsoleInputA(console.consoleInput, &wake, 1, &written);
        return 0;
    });
}

TUIKIT_API int TuiUnlockInput(void)
{
    SetEvent(console.inputGate);
    return 0;
}

}  // extern "C"
