#include "menu_test_support.h"

namespace tuikit::test {

std::vector<Msg> appCalls;

namespace {

constexpr int kWidth = 80;
constexpr int kHeight = 25;

LRESULT CALLBACK RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    appCalls.push_back(M(message, static_cast<long long>(wParam), static_cast<long long>(lParam)));
    return 0;
}

}  // namespace

char PatternChar(int x, int y) { return static_cast<char>('a' + (x + 3 * y) % 26); }
WORD PatternAttr(int x, int y) { return static_cast<WORD>(0x10 + (x * 7 + y) % 0xE0); }

Screen CaptureScreen()
{
    Screen s;
    s.chars = RowText(0, 0, kWidth * kHeight);
    s.attrs = RowAttrs(0, 0, kWidth * kHeight);
    return s;
}

int CellsChanged(const Screen &a, const Screen &b)
{
    int n = 0;
    for (size_t i = 0; i < a.chars.size() && i < b.chars.size(); ++i)
        if (a.chars[i] != b.chars[i] || a.attrs[i] != b.attrs[i]) ++n;
    return n;
}

std::vector<Msg> AppCallsOf(UINT message)
{
    std::vector<Msg> out;
    for (const Msg &m : appCalls)
        if (m.message == message) out.push_back(m);
    return out;
}

std::vector<INPUT_RECORD> AltDown() { return {KeyRecord(true, VK_MENU, 0, LEFT_ALT_PRESSED)}; }
std::vector<INPUT_RECORD> AltUp() { return {KeyRecord(false, VK_MENU)}; }
std::vector<INPUT_RECORD> AltTap() { return AltDown() + AltUp(); }

std::vector<INPUT_RECORD> Press(WORD vk, char ch) { return {KeyRecord(true, vk, ch), KeyRecord(false, vk, ch)}; }

std::vector<INPUT_RECORD> WithAlt(WORD vk)
{
    return {KeyRecord(true, vk, 0, LEFT_ALT_PRESSED), KeyRecord(false, vk, 0, LEFT_ALT_PRESSED)};
}

std::vector<INPUT_RECORD> ButtonDown(int x, int y) { return {MouseRecord(x, y, FROM_LEFT_1ST_BUTTON_PRESSED)}; }
std::vector<INPUT_RECORD> DragTo(int x, int y)
{
    return {MouseRecord(x, y, FROM_LEFT_1ST_BUTTON_PRESSED, 0, MOUSE_MOVED)};
}
std::vector<INPUT_RECORD> ButtonUp(int x, int y) { return {MouseRecord(x, y, 0)}; }
std::vector<INPUT_RECORD> Click(int x, int y) { return ButtonDown(x, y) + ButtonUp(x, y); }
std::vector<INPUT_RECORD> HoverTo(int x, int y) { return {MouseRecord(x, y, 0, 0, MOUSE_MOVED)}; }

std::vector<INPUT_RECORD> operator+(std::vector<INPUT_RECORD> a, const std::vector<INPUT_RECORD> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<int> Drive(const std::vector<INPUT_RECORD> &records)
{
    std::vector<int> results;
    constexpr WORD kMarkerKey = 0xFF;
    Append(records + std::vector<INPUT_RECORD>{KeyRecord(true, kMarkerKey)});
    MSG msg;
    bool marker = false;
    while (!marker && NextMessage(msg)) {
        if (msg.message == WM_KEYDOWN && msg.wParam == kMarkerKey) {
            marker = true;
            continue;
        }
        results.push_back(TuiDispatchMessage(&msg));
    }
    EXPECT_TRUE(marker) << "the pump never delivered the end-of-feed marker";
    // What the menu posted while handling the input is in the queue now.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) results.push_back(TuiDispatchMessage(&msg));
    return results;
}

void MenuTest::SetUp()
{
    ASSERT_EQ(TuiInit(), 0);
    HANDLE out = TuiOutputHandle();
    for (int y = 0; y < kHeight; ++y) {
        std::string chars;
        std::vector<WORD> attrs;
        for (int x = 0; x < kWidth; ++x) {
            chars.push_back(PatternChar(x, y));
            attrs.push_back(PatternAttr(x, y));
        }
        DWORD n;
        WriteConsoleOutputCharacterA(out, chars.data(), kWidth, COORD{0, static_cast<SHORT>(y)}, &n);
        WriteConsoleOutputAttribute(out, attrs.data(), kWidth, COORD{0, static_cast<SHORT>(y)}, &n);
    }
    TuiSetCursorPos(40, 12);
    TuiSetCursorInfo(25, 1);
    TuiSetProc(RecordingProc);
    appCalls.clear();
}

void MenuTest::LoadMenu(const char *name)
{
    ASSERT_EQ(TuiMenu(0, 0, name), 1) << name;
    appCalls.clear();
}

}  // namespace tuikit::test
