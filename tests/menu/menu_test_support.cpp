#include "menu_test_support.h"

#include <map>

namespace tuikit::test {

std::string appCalls;
Screen idleScreen;

char PatternChar(int x, int y) { return static_cast<char>('a' + (x + 3 * y) % 26); }

void Drive(const Records &records)
{
    FeedAndDispatch(records);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) TuiDispatchMessage(&msg);
}

Screen CaptureScreen() { return {RowText(0, 0, 80 * 25), RowAttrs(0, 0, 80 * 25)}; }

std::string AttrLetters(int y, int x, int count)
{
    static const std::map<WORD, char> letters{{0x70, 'w'}, {0x7F, 'W'}, {0x07, 'k'}, {0x0F, 'K'}, {0x78, 'g'}};
    std::string out;
    for (WORD a : RowAttrs(y, x, count)) out.push_back(letters.contains(a) ? letters.at(a) : '.');
    return out;
}

LRESULT CALLBACK RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const std::map<UINT, std::string> names{{WM_INITMENUPOPUP, "init"}, {WM_COMMAND, "cmd"}, {WM_KEYDOWN, "key"},
                                                   {WM_CHAR, "char"}, {WM_TIMER, "timer"}, {WM_MOUSEMOVE, "move"},
                                                   {WM_LBUTTONDOWN, "down"}, {WM_LBUTTONUP, "up"}};
    if (message == WM_KEYUP || message == WM_SYSKEYUP) return 0;
    std::string call = names.contains(message) ? names.at(message) : std::to_string(message);
    if (message >= WM_MOUSEMOVE && message <= WM_LBUTTONUP)
        call += ":" + std::to_string(LOWORD(lParam)) + "," + std::to_string(HIWORD(lParam));
    else if (wParam || lParam)
        call += ":" + std::to_string(wParam) + (lParam ? "," + std::to_string(lParam) : "");
    if (message == WM_COMMAND) {
        EXPECT_EQ(menu::MenuMode, menu::MenuModeIdle);
        EXPECT_EQ(CaptureScreen(), idleScreen);
    }
    appCalls += (appCalls.empty() ? "" : " ") + call;
    return 0;
}

void MenuTest::SetUp()
{
    ASSERT_EQ(TuiInit(), 0);
    for (SHORT y = 0; y < 25; ++y) {
        std::string chars;
        std::vector<WORD> attrs;
        for (int x = 0; x < 80; ++x) chars.push_back(PatternChar(x, y)), attrs.push_back(0x10 + (x * 7 + y) % 0x50);
        DWORD n;
        WriteConsoleOutputCharacterA(TuiOutputHandle(), chars.data(), 80, COORD{0, y}, &n);
        WriteConsoleOutputAttribute(TuiOutputHandle(), attrs.data(), 80, COORD{0, y}, &n);
    }
    TuiSetCursorPos(40, 12);
    TuiSetCursorInfo(60, 1);
    TuiSetProc(RecordingProc);
}

void MenuTest::LoadMenu(const char *name)
{
    ASSERT_EQ(TuiMenu(0, 0, name), 1) << name;
    idleScreen = CaptureScreen();
    appCalls.clear();
}

}  // namespace tuikit::test
