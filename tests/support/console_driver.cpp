#include "support/console_driver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <thread>

namespace tuikit::test {

namespace {

// A virtual-key code no keyboard sends, used as the end-of-feed marker.
constexpr WORD kMarkerKey = 0xFF;

std::vector<MSG> FeedImpl(const std::vector<INPUT_RECORD> &records, bool dispatch)
{
    auto all = records;
    all.push_back(KeyRecord(true, kMarkerKey));
    Append(all);
    std::vector<MSG> out;
    MSG msg;
    while (NextMessage(msg)) {
        if (msg.message == WM_KEYDOWN && msg.wParam == kMarkerKey) return out;
        out.push_back(msg);
        if (dispatch) TuiDispatchMessage(&msg);
    }
    ADD_FAILURE() << "the pump never delivered the end-of-feed marker";
    return out;
}

HANDLE ScreenHandle()
{
    HANDLE h = TuiOutputHandle();
    return h ? h : GetStdHandle(STD_OUTPUT_HANDLE);
}

}  // namespace

INPUT_RECORD KeyRecord(bool down, WORD vk, char ch, DWORD state, WORD repeat)
{
    INPUT_RECORD r{};
    r.EventType = KEY_EVENT;
    r.Event.KeyEvent.bKeyDown = down;
    r.Event.KeyEvent.wRepeatCount = repeat;
    r.Event.KeyEvent.wVirtualKeyCode = vk;
    r.Event.KeyEvent.uChar.AsciiChar = ch;
    r.Event.KeyEvent.dwControlKeyState = state;
    return r;
}

INPUT_RECORD MouseRecord(int x, int y, DWORD buttons, DWORD state, DWORD flags)
{
    INPUT_RECORD r{};
    r.EventType = MOUSE_EVENT;
    r.Event.MouseEvent.dwMousePosition = COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)};
    r.Event.MouseEvent.dwButtonState = buttons;
    r.Event.MouseEvent.dwControlKeyState = state;
    r.Event.MouseEvent.dwEventFlags = flags;
    return r;
}

void Append(const std::vector<INPUT_RECORD> &records)
{
    DWORD written = 0;
    WriteConsoleInputA(GetStdHandle(STD_INPUT_HANDLE), records.data(), static_cast<DWORD>(records.size()), &written);
}

std::vector<MSG> Feed(const std::vector<INPUT_RECORD> &records) { return FeedImpl(records, false); }

std::vector<MSG> FeedAndDispatch(const std::vector<INPUT_RECORD> &records) { return FeedImpl(records, true); }

bool NextMessage(MSG &out, int timeoutMs)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!PeekMessageA(&out, nullptr, 0, 0, PM_REMOVE)) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

std::string RowText(int y, int x, int count)
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(ScreenHandle(), &info);
    if (count < 0) count = std::max(0, info.dwSize.X - x);  // the rest of the row
    std::string s(static_cast<size_t>(count), '\0');
    DWORD n = 0;
    ReadConsoleOutputCharacterA(ScreenHandle(), s.data(), static_cast<DWORD>(count),
                                COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}, &n);
    s.resize(n);
    return s;
}

char CharAt(int x, int y)
{
    std::string s = RowText(y, x, 1);
    return s.empty() ? '\0' : s[0];
}

WORD AttrAt(int x, int y) { return RowAttrs(y, x, 1).at(0); }

std::vector<WORD> RowAttrs(int y, int x, int count)
{
    std::vector<WORD> a(static_cast<size_t>(count));
    DWORD n = 0;
    ReadConsoleOutputAttribute(ScreenHandle(), a.data(), static_cast<DWORD>(count),
                               COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}, &n);
    a.resize(n);
    return a;
}

COORD CursorPos()
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(ScreenHandle(), &info);
    return info.dwCursorPosition;
}

CONSOLE_CURSOR_INFO CursorInfo()
{
    CONSOLE_CURSOR_INFO info{};
    GetConsoleCursorInfo(ScreenHandle(), &info);
    return info;
}

std::string Picture(int x, int y, int width, int height)
{
    static const std::string from = "\xC4\xB3\xDA\xBF\xC0\xD9", to = "-|r7LJ";
    std::string out;
    for (int row = y; row < y + height; ++row) {
        std::string text = RowText(row, x, width);
        for (char &c : text)
            if (size_t i = from.find(c); i != std::string::npos) c = to[i];
        out += (row == y ? "" : "/") + text;
    }
    return out;
}

Msg M(UINT message, long long wParam, long long lParam) { return Msg{message, wParam, lParam}; }

std::vector<Msg> Compact(const std::vector<MSG> &msgs)
{
    std::vector<Msg> out;
    for (const MSG &m : msgs)
        out.push_back(Msg{m.message, static_cast<long long>(m.wParam), static_cast<long long>(m.lParam)});
    return out;
}

void PrintTo(const Msg &m, std::ostream *os)
{
    char buf[80];
    std::snprintf(buf, sizeof buf, "{0x%04X, %lld, %lld}", m.message, m.wParam, m.lParam);
    *os << buf;
}

void StartOnPattern()
{
    ASSERT_EQ(TuiInit(), 0);
    for (int i = 0; i < 80 * 25; ++i) TuiWriteText(i % 80, i / 80, std::string(1, char('a' + i % 23)).c_str(), 0x10 + i % 0x50);
    TuiSetCursorPos(40, 12);
    TuiSetCursorInfo(60, 1);
}

Screen CaptureScreen() { return {RowText(0, 0, 80 * 25), RowAttrs(0, 0, 80 * 25)}; }

}  // namespace tuikit::test
