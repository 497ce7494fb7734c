// An application around the scroll bars: a procedure that records what it
// receives, a message loop that hands everything to TuiDispatchMessage, and
// left-button gestures fed through the console input buffer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/console_driver.h"

namespace tuikit::test {

class ScrollBarApp : public ::testing::Test {
public:
    // What the application's procedure received, in order.
    static std::vector<Msg> received;
    // Called for every message the procedure receives (the app's answer).
    static std::function<void(const Msg &)> answer;

protected:
    void SetUp() override;

    // The WM_HSCROLL / WM_VSCROLL among the received messages.
    static std::vector<Msg> Notes();
    static std::vector<Msg> Received(UINT message);

    // The application's loop: retrieves and dispatches for ms milliseconds,
    // or until done() holds.
    static void RunFor(int ms);
    static bool RunUntil(const std::function<bool()> &done, int timeoutMs = 5000);

    // Left-button gestures, each dispatched together with the notifications
    // it posted.
    static void Press(int x, int y, DWORD flags = 0);
    static void MoveHeld(int x, int y);
    static void Release(int x, int y);
    static void Click(int x, int y);

    // Characters of n cells down a column from (x, y).
    static std::string ColumnText(int x, int y, int n);
};

// wParam of a thumb notification.
constexpr long long Thumb(int code, int position) { return static_cast<long long>(position) << 16 | code; }

}  // namespace tuikit::test
