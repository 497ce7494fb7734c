#include "scroll_app.h"

#include <algorithm>
#include <chrono>
#include <iterator>

namespace tuikit::test {

std::vector<Msg> ScrollBarApp::received;
std::function<void(const Msg &)> ScrollBarApp::answer;

namespace {

LRESULT CALLBACK RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    Msg m = M(message, static_cast<long long>(wParam), static_cast<long long>(lParam));
    ScrollBarApp::received.push_back(m);
    if (ScrollBarApp::answer) ScrollBarApp::answer(m);
    return 0;
}

// Dispatches whatever is queued now, such as the notifications a gesture posted.
void DispatchQueued()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) TuiDispatchMessage(&msg);
}

}  // namespace

void ScrollBarApp::SetUp()
{
    TuiInit();
    received.clear();
    answer = nullptr;
    TuiSetProc(RecordingProc);
}

std::vector<Msg> ScrollBarApp::Notes()
{
    std::vector<Msg> out;
    std::copy_if(received.begin(), received.end(), std::back_inserter(out),
                 [](const Msg &m) { return m.message == WM_HSCROLL || m.message == WM_VSCROLL; });
    return out;
}

std::vector<Msg> ScrollBarApp::Received(UINT message)
{
    std::vector<Msg> out;
    std::copy_if(received.begin(), received.end(), std::back_inserter(out),
                 [message](const Msg &m) { return m.message == message; });
    return out;
}

void ScrollBarApp::RunFor(int ms)
{
    RunUntil([] { return false; }, ms);
}

bool ScrollBarApp::RunUntil(const std::function<bool()> &done, int timeoutMs)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        MSG msg;
        if (NextMessage(msg, static_cast<int>(left.count()))) TuiDispatchMessage(&msg);
    }
    return true;
}

void ScrollBarApp::Press(int x, int y, DWORD flags)
{
    FeedAndDispatch({MouseRecord(x, y, FROM_LEFT_1ST_BUTTON_PRESSED, 0, flags)});
    DispatchQueued();
}

void ScrollBarApp::MoveHeld(int x, int y) { Press(x, y); }

void ScrollBarApp::Release(int x, int y)
{
    FeedAndDispatch({MouseRecord(x, y, 0)});
    DispatchQueued();
}

void ScrollBarApp::Click(int x, int y)
{
    FeedAndDispatch({MouseRecord(x, y, FROM_LEFT_1ST_BUTTON_PRESSED), MouseRecord(x, y, 0)});
    DispatchQueued();
}

std::string ScrollBarApp::ColumnText(int x, int y, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i) s += CharAt(x, y + i);
    return s;
}

}  // namespace tuikit::test
