// The console calls on handles, modes, code pages and the input buffer;
// screen_api.cpp has the screen buffer's, write_console.cpp WriteConsoleA.
#include <strings.h>

#include <cstring>

#include "core/boundary.h"
#include "platform/code_pages.h"
#include "platform/console/console_access.h"

using namespace tuikit::platform;

extern "C" {

HANDLE WINAPI GetStdHandle(DWORD nStdHandle)
{
    return tuikit::Guarded<HANDLE>(INVALID_HANDLE_VALUE, [&]() -> HANDLE {
        Console &console = Console::Get();
        switch (nStdHandle) {
        case STD_INPUT_HANDLE: return console.InputHandle();
        case STD_OUTPUT_HANDLE:
        case STD_ERROR_HANDLE: return console.OutputHandle();
        default: Fail(ERROR_INVALID_HANDLE); return INVALID_HANDLE_VALUE;
        }
    });
}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                          HANDLE)
{
    return tuikit::Guarded<HANDLE>(INVALID_HANDLE_VALUE, [&]() -> HANDLE {
        // Only the console devices exist here; the library opens no files.
        // "CON" is the input when read and the output when written.
        const DWORD access = dwDesiredAccess & (GENERIC_READ | GENERIC_WRITE);
        if (lpFileName && strcasecmp(lpFileName, "CONOUT$") == 0) return Console::Get().OutputHandle();
        if (lpFileName && strcasecmp(lpFileName, "CONIN$") == 0) return Console::Get().InputHandle();
        if (lpFileName && strcasecmp(lpFileName, "CON") == 0) {
            if (access == GENERIC_READ) return Console::Get().InputHandle();
            if (access == GENERIC_WRITE) return Console::Get().OutputHandle();
            Fail(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
        }
        Fail(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    });
}

BOOL WINAPI GetConsoleMode(HANDLE h, LPDWORD lpMode)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto ref = LookupHandle(h);
        ObjectKind kind = ref ? ref.get()->Kind() : ObjectKind::Event;
        if (kind != ObjectKind::ConsoleInput && kind != ObjectKind::ConsoleOutput) return Fail(ERROR_INVALID_HANDLE);
        if (!lpMode) return Fail(ERROR_NOACCESS);
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        *lpMode = kind == ObjectKind::ConsoleInput ? console.inputMode.load() : console.outputMode;
        return TRUE;
    });
}

BOOL WINAPI SetConsoleMode(HANDLE h, DWORD dwMode)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto ref = LookupHandle(h);
        if (!ref) return Fail(ERROR_INVALID_HANDLE);
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        if (ref.get()->Kind() == ObjectKind::ConsoleInput) console.inputMode = dwMode;
        else if (ref.get()->Kind() == ObjectKind::ConsoleOutput) console.outputMode = dwMode;
        else return Fail(ERROR_INVALID_HANDLE);
        return TRUE;
    });
}

UINT WINAPI GetOEMCP(void) { return 437; }

BOOL WINAPI GetCPInfo(UINT CodePageID, LPCPINFO lpCPInfo)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!lpCPInfo) return Fail(ERROR_INVALID_PARAMETER);
        std::memset(lpCPInfo, 0, sizeof *lpCPInfo);
        lpCPInfo->DefaultChar[0] = '?';
        // Code page 437 is the library's own; every other single-byte page is
        // one that iconv converts a byte at a time.
        if (CodePageID == CP_UTF8) lpCPInfo->MaxCharSize = 4;
        else if (CodePageID == CP_ACP || CodePageID == CP_OEMCP || CodePageID == 437 || CodePage::Find(CodePageID))
            lpCPInfo->MaxCharSize = 1;
        else return Fail(ERROR_INVALID_PARAMETER);
        return TRUE;
    });
}

static bool KnownCodePage(UINT cp)
{
    CPINFO info;
    return cp != CP_ACP && cp != CP_OEMCP && GetCPInfo(cp, &info);
}

UINT WINAPI GetConsoleOutputCP(void)
{
    return tuikit::Guarded<UINT>(0, [&]() -> UINT {
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        return console.outputCodePage;
    });
}

BOOL WINAPI SetConsoleOutputCP(UINT wCodePageID)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!KnownCodePage(wCodePageID)) return Fail(ERROR_INVALID_PARAMETER);
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        if (console.outputCodePage == wCodePageID) return TRUE;
        console.outputCodePage = wCodePageID;
        // Every byte on the screen now shows another glyph.
        console.Screen().DamageAll();
        console.Changed();
        return TRUE;
    });
}

UINT WINAPI GetConsoleCP(void)
{
    return tuikit::Guarded<UINT>(0, [&]() -> UINT {
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        return console.inputCodePage;
    });
}

BOOL WINAPI SetConsoleCP(UINT wCodePageID)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (!KnownCodePage(wCodePageID)) return Fail(ERROR_INVALID_PARAMETER);
        Console &console = Console::Get();
        std::lock_guard guard(console.ScreenLock());
        console.inputCodePage = wCodePageID;
        return TRUE;
    });
}

BOOL WINAPI ReadConsoleInputA(HANDLE h, PINPUT_RECORD lpBuffer, DWORD nLength, LPDWORD lpRead)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithInput(h, [&](auto &input) -> BOOL {
            if (!lpBuffer) return Fail(ERROR_NOACCESS);
            if (nLength == 0) return Fail(ERROR_INVALID_PARAMETER);
            size_t n = input.Read(lpBuffer, nLength);
            Store(lpRead, static_cast<DWORD>(n));
            return n ? TRUE : Fail(ERROR_INVALID_HANDLE);
        });
    });
}

BOOL WINAPI PeekConsoleInputA(HANDLE h, PINPUT_RECORD lpBuffer, DWORD nLength, LPDWORD lpRead)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithInput(h, [&](auto &input) -> BOOL {
            if (!lpBuffer && nLength) return Fail(ERROR_NOACCESS);
            input.PumpOnce(0);  // what the terminal holds counts as typed
            Store(lpRead, static_cast<DWORD>(input.Peek(lpBuffer, nLength)));
            return TRUE;
        });
    });
}

BOOL WINAPI WriteConsoleInputA(HANDLE h, const INPUT_RECORD *lpBuffer, DWORD nLength, LPDWORD lpWritten)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithInput(h, [&](auto &input) -> BOOL {
            if (!lpBuffer && nLength) return Fail(ERROR_NOACCESS);
            input.Append(lpBuffer, nLength);
            Store(lpWritten, nLength);
            return TRUE;
        });
    });
}

BOOL WINAPI GetNumberOfConsoleInputEvents(HANDLE h, LPDWORD lpNumberOfEvents)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithInput(h, [&](auto &input) -> BOOL {
            if (!lpNumberOfEvents) return Fail(ERROR_NOACCESS);
            input.PumpOnce(0);
            *lpNumberOfEvents = static_cast<DWORD>(input.Size());
            return TRUE;
        });
    });
}

BOOL WINAPI FlushConsoleInputBuffer(HANDLE h)
{
    return tuikit::Guarded<BOOL>(FALSE, [&]() -> BOOL {
        return WithInput(h, [](auto &input) -> BOOL {
            input.Flush();
            return TRUE;
        });
    });
}

}  // extern "C"
