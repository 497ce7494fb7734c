// The demo's screen: the menu bar, the drawing primitives, a text view with
// scroll bars, a panel listing the messages the application receives (keys,
// characters, mouse, commands) and the status line, and the application
// procedure behind them.
#include "demo_screen.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>

#include "demo_menu.h"
#include "demo_scroll.h"

const char *const kDemoHelp = "Ctrl+Q quits   Alt or F10: menu   F2: message box   type, click, scroll";

namespace {

constexpr WORD kBackground = 0x17;
constexpr WORD kBar = 0x70;
constexpr WORD kLogPanel = 0x1F;
constexpr WORD kStatus = 0x30;

// Row 0 is the menu bar and the last row the status line; the drawing
// primitives and the scroll view share the left half, the message log has
// the right half.
struct Layout {
    int width = 80;
    int height = 25;
    int LeftRight() const { return width / 2 - 2; }
    int LogLeft() const { return width / 2 + 1; }
    int LogRight() const { return width - 2; }
    int LogTop() const { return 2; }
    int LogBottom() const { return height - 3; }
    int LogRows() const { return LogBottom() - LogTop() - 1; }
};

Layout layout;
std::deque<std::string> messageLog;

Layout CurrentLayout()
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    Layout l;
    if (GetConsoleScreenBufferInfo(TuiOutputHandle(), &info)) {
        l.width = info.dwSize.X;
        l.height = info.dwSize.Y;
    }
    return l;
}

const char *MessageName(UINT msg)
{
    switch (msg) {
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_RBUTTONDBLCLK: return "WM_RBUTTONDBLCLK";
    case WM_COMMAND: return "WM_COMMAND";
    case WM_HSCROLL: return "WM_HSCROLL";
    case WM_VSCROLL: return "WM_VSCROLL";
    case WM_INITMENUPOPUP: return "WM_INITMENUPOPUP";
    case WM_TIMER: return "WM_TIMER";
    default: return "message";
    }
}

std::string Describe(UINT msg, WPARAM wParam, LPARAM lParam)
{
    char line[96];
    const char *name = MessageName(msg);
    if (msg >= WM_MOUSEMOVE && msg <= WM_RBUTTONDBLCLK) {
        auto pos = static_cast<DWORD>(lParam);
        std::snprintf(line, sizeof line, "%-16s x=%-3u y=%-3u %s%s%s%s", name, pos & 0xFFFF, pos >> 16,
                      (wParam & MK_LBUTTON) ? "L" : "", (wParam & MK_RBUTTON) ? "R" : "",
                      (wParam & MK_SHIFT) ? " Shift" : "", (wParam & MK_CONTROL) ? " Ctrl" : "");
    } else if (msg == WM_CHAR) {
        auto c = static_cast<unsigned char>(wParam);
        if (c >= 0x20) std::snprintf(line, sizeof line, "%-16s 0x%02X '%c'", name, c, c);
        else std::snprintf(line, sizeof line, "%-16s 0x%02X (Ctrl+%c)", name, c, c + '@');
    } else if (msg >= WM_KEYDOWN && msg <= WM_SYSKEYUP) {
        std::snprintf(line, sizeof line, "%-16s vk=0x%02X", name, static_cast<unsigned>(wParam));
    } else {
        std::snprintf(line, sizeof line, "%-16s %ld %ld", name, static_cast<long>(wParam), static_cast<long>(lParam));
    }
    return line;
}

void DrawLog()
{
    int width = layout.LogRight() - layout.LogLeft() - 1;
    if (width <= 0 || layout.LogRows() <= 0) return;
    int row = layout.LogTop() + 1;
    for (const std::string &entry : messageLog) {
        std::string text = entry.substr(0, static_cast<size_t>(width));
        text.resize(static_cast<size_t>(width), ' ');
        TuiWriteText(layout.LogLeft() + 1, row++, text.c_str(), kLogPanel);
    }
}

void Log(UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::string line = Describe(msg, wParam, lParam);
    // Mouse motion comes in floods: one line follows it.
    if (msg == WM_MOUSEMOVE && !messageLog.empty() && messageLog.back().rfind("WM_MOUSEMOVE", 0) == 0)
        messageLog.back() = line;
    else
        messageLog.push_back(line);
    while (!messageLog.empty() && static_cast<int>(messageLog.size()) > layout.LogRows()) messageLog.pop_front();
    DrawLog();
}

}  // namespace

void DemoPanelLine(const std::string &line)
{
    const size_t width = static_cast<size_t>(std::max(1, layout.LogRight() - layout.LogLeft() - 1));
    for (size_t at = 0; at < line.size(); at += width) messageLog.push_back(line.substr(at, width));
    while (!messageLog.empty() && static_cast<int>(messageLog.size()) > layout.LogRows()) messageLog.pop_front();
    DrawLog();
}

namespace {

void DrawPrimitives()
{
    int right = layout.LeftRight();
    TuiDrawBox(1, 2, right, 9, 0x1F, 0x1F);
    TuiClearScreen(2, 3, right - 1, 8, 0x1F);
    TuiWriteText(3, 2, " Drawing primitives ", 0x1E);
    TuiWriteText(3, 4, "Lines, framed boxes, attribute", 0x1F);
    TuiWriteText(3, 5, "panels, text, scrolling and the", 0x1F);
    TuiWriteText(3, 6, "cursor on code page 437 cells.", 0x1F);
    TuiDrawLine(3, 8, right - 4, 0, 0x1B);
}

}  // namespace

void DemoDrawScreen(const char *status)
{
    layout = CurrentLayout();
    DemoScrollStop();
    TuiClearScreen(0, 0, layout.width - 1, layout.height - 1, kBackground);
    TuiClearScreen(0, 0, layout.width - 1, 0, kBar);
    DrawPrimitives();
    TuiDrawBox(1, 11, layout.LeftRight(), layout.height - 3, 0x1F, 0x1F);
    TuiWriteText(3, 11, " Scroll bars ", 0x1E);
    DemoScrollStart(2, 12, layout.LeftRight() - 1, layout.height - 4);
    TuiDrawBox(layout.LogLeft() - 1, layout.LogTop(), layout.LogRight() + 1, layout.LogBottom(), 0x1F, kLogPanel);
    TuiClearScreen(layout.LogLeft(), layout.LogTop() + 1, layout.LogRight(), layout.LogBottom() - 1, kLogPanel);
    TuiWriteText(layout.LogLeft() + 1, layout.LogTop(), " Messages received ", 0x1E);
    TuiClearScreen(0, layout.height - 1, layout.width - 1, layout.height - 1, kStatus);
    TuiWriteText(1, layout.height - 1, status, kStatus);
    while (!messageLog.empty() && static_cast<int>(messageLog.size()) > layout.LogRows()) messageLog.pop_front();
    DrawLog();
    DemoMenuStart();
    TuiWriteText(layout.width - 12, 0, "TuiKit demo", kBar);
}

LRESULT CALLBACK DemoAppProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Layout now = CurrentLayout();
    if (now.width != layout.width || now.height != layout.height) DemoDrawScreen(kDemoHelp);  // the terminal was resized
    if (msg == WM_CHAR && (wParam & 0xFF) == 0x11) {  // Ctrl+Q
        PostQuitMessage(0);
        return 0;
    }
    if (msg != WM_INITMENUPOPUP) Log(msg, wParam, lParam);
    if (DemoMenuMessage(msg, wParam) || DemoScrollMessage(msg, wParam, lParam)) return 0;
    if (msg == WM_KEYDOWN && wParam == VK_F2)
        TuiMessageBox("This is a TuiKit message box.\nEnter, Space, Esc or a click closes it.", "TuiKit demo",
                      MB_OK);
    return 0;
}
