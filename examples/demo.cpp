// The TuiKit demo. In a terminal it draws a screen with the drawing
// primitives and lists, in a panel, the messages the application receives
// (keys, characters, mouse); Esc or Ctrl+Q quits, F2 shows a message box.
// Without a terminal (memory mode) it prints the screen it drew and exits.
#include <cstdio>
#include <deque>
#include <string>

#include <unistd.h>

#include <tuikit/tuikit.h>

namespace {

constexpr WORD kBackground = 0x17;
constexpr WORD kBar = 0x70;
constexpr WORD kLogPanel = 0x1F;

// Row 0 is kept for a menu bar; the last row is the status line.
struct Layout {
    int width = 80;
    int height = 25;
    int logLeft() const { return width / 2 + 1; }
    int logRight() const { return width - 2; }
    int logTop() const { return 2; }
    int logBottom() const { return height - 3; }
    int logRows() const { return logBottom() - logTop() - 1; }
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
    case WM_TIMER: return "WM_TIMER";
    default: return nullptr;
    }
}

std::string Describe(UINT msg, WPARAM wParam, LPARAM lParam)
{
    char line[96];
    const char *name = MessageName(msg);
    std::string label = name ? name : "message";
    if (msg >= WM_MOUSEMOVE && msg <= WM_RBUTTONDBLCLK) {
        auto pos = static_cast<DWORD>(lParam);
        std::snprintf(line, sizeof line, "%-16s x=%-3u y=%-3u %s%s%s%s", label.c_str(), pos & 0xFFFF, pos >> 16,
                      (wParam & MK_LBUTTON) ? "L" : "", (wParam & MK_RBUTTON) ? "R" : "",
                      (wParam & MK_SHIFT) ? " Shift" : "", (wParam & MK_CONTROL) ? " Ctrl" : "");
    } else if (msg == WM_CHAR) {
        auto c = static_cast<unsigned char>(wParam);
        if (c >= 0x20) std::snprintf(line, sizeof line, "%-16s 0x%02X '%c'", label.c_str(), c, c);
        else std::snprintf(line, sizeof line, "%-16s 0x%02X (Ctrl+%c)", label.c_str(), c, c + '@');
    } else if (msg >= WM_KEYDOWN && msg <= WM_SYSKEYUP) {
        std::snprintf(line, sizeof line, "%-16s vk=0x%02X", label.c_str(), static_cast<unsigned>(wParam));
    } else {
        std::snprintf(line, sizeof line, "%-16s 0x%04X %ld %ld", label.c_str(), msg, static_cast<long>(wParam),
                      static_cast<long>(lParam));
    }
    return line;
}

void DrawLog()
{
    int width = layout.logRight() - layout.logLeft() - 1;
    if (width <= 0 || layout.logRows() <= 0) return;
    int row = layout.logTop() + 1;
    for (const std::string &entry : messageLog) {
        std::string text = entry.substr(0, static_cast<size_t>(width));
        text.resize(static_cast<size_t>(width), ' ');
        TuiWriteText(layout.logLeft() + 1, row++, text.c_str(), kLogPanel);
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
    while (static_cast<int>(messageLog.size()) > layout.logRows()) messageLog.pop_front();
    DrawLog();
}

void DrawPrimitives()
{
    TuiDrawBox(2, 2, 36, 10, 0x1F, 0x1F);
    TuiWriteText(4, 2, " Drawing primitives ", 0x1E);
    TuiWriteText(4, 4, "Lines, framed boxes, attribute", 0x1F);
    TuiWriteText(4, 5, "panels, text, scrolling and the", 0x1F);
    TuiWriteText(4, 6, "cursor on code page 437 cells.", 0x1F);
    TuiDrawLine(4, 8, 31, 0, 0x1B);
    TuiClearScreen(2, 12, 36, 19, 0x4F);
    for (int i = 0; i < 8; ++i) {
        std::string line = "Scrolled line " + std::to_string(i + 1);
        TuiWriteText(4, 12 + i, line.c_str(), 0x4F);
    }
    TuiScrollText(2, 13, 36, 19, 0, -2, 0x4E);
}

void DrawScreen(const char *status)
{
    layout = CurrentLayout();
    TuiClearScreen(0, 0, layout.width - 1, layout.height - 1, kBackground);
    TuiClearScreen(0, 0, layout.width - 1, 0, kBar);
    TuiWriteText(1, 0, "TuiKit demo", kBar);
    DrawPrimitives();
    TuiDrawBox(layout.logLeft() - 1, layout.logTop(), layout.logRight() + 1, layout.logBottom(), 0x1F, kLogPanel);
    TuiWriteText(layout.logLeft() + 1, layout.logTop(), " Messages received ", 0x1E);
    TuiClearScreen(0, layout.height - 1, layout.width - 1, layout.height - 1, 0x30);
    TuiWriteText(1, layout.height - 1, status, 0x30);
    while (static_cast<int>(messageLog.size()) > layout.logRows()) messageLog.pop_front();
    DrawLog();
}

constexpr const char *kStatus = "Esc or Ctrl+Q quits   F2 shows a message box   type, click or move the mouse";

bool Quits(UINT msg, WPARAM wParam)
{
    return (msg == WM_KEYDOWN && wParam == VK_ESCAPE) || (msg == WM_CHAR && (wParam & 0xFF) == 0x11);
}

LRESULT CALLBACK AppProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Layout now = CurrentLayout();
    if (now.width != layout.width || now.height != layout.height) DrawScreen(kStatus);  // the terminal was resized
    if (Quits(msg, wParam)) {
        PostQuitMessage(0);
        return 0;
    }
    switch (msg) {
    case WM_KEYDOWN:
        Log(msg, wParam, lParam);
        if (wParam == VK_F2) {
            MessageBoxA(nullptr, "This is the platform's message box.\nEnter, Space, Esc or a click closes it.",
                        "TuiKit demo", MB_OK);
        }
        return 0;
    case WM_COMMAND:  // menu commands, once the demo has a menu bar
    case WM_HSCROLL:  // scroll bar actions, once it has scroll bars
    case WM_VSCROLL:
    default:
        Log(msg, wParam, lParam);
        return 0;
    }
}

// Prints the screen as text, the drawing characters as their Unicode glyphs.
void PrintScreen()
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(TuiOutputHandle(), &info);
    std::string row(static_cast<size_t>(info.dwSize.X), ' ');
    for (SHORT y = 0; y < info.dwSize.Y; ++y) {
        DWORD n = 0;
        ReadConsoleOutputCharacterA(TuiOutputHandle(), row.data(), static_cast<DWORD>(row.size()), COORD{0, y}, &n);
        std::string out;
        for (char c : row) {
            switch (static_cast<unsigned char>(c)) {
            case 0xB3: out += "\u2502"; break;
            case 0xC4: out += "\u2500"; break;
            case 0xDA: out += "\u250C"; break;
            case 0xBF: out += "\u2510"; break;
            case 0xC0: out += "\u2514"; break;
            case 0xD9: out += "\u2518"; break;
            default: out += (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F) ? c : ' ';
            }
        }
        std::printf("%s\n", out.c_str());
    }
}

}  // namespace

int main()
{
    TuiInit();
    if (!isatty(STDOUT_FILENO)) {
        DrawScreen("Memory mode: the screen above is the console model.");
        PrintScreen();
        return 0;
    }
    TuiSetProc(AppProc);
    DrawScreen(isatty(STDIN_FILENO) ? kStatus : "Standard input is not a terminal: no input. Ctrl+C quits.");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) TuiDispatchMessage(&msg);
    return 0;
}
