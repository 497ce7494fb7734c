#include "core/dispatch.h"

#include "core/boundary.h"
#include "tuikit/tuikit.h"

namespace tuikit::core {

namespace {

WNDPROC appProc = nullptr;
MessageHook menuHook = nullptr;
MessageHook scrollBarHook = nullptr;

int Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A key-down that carries a character becomes the key-down alone and
    // then the character, each dispatched from the top.
    if (message == WM_KEYDOWN && lParam != 0) {
        Dispatch(WM_KEYDOWN, wParam, 0);
        auto ch = static_cast<WPARAM>(static_cast<LPARAM>(static_cast<int32_t>(lParam)));
        Dispatch(WM_CHAR, ch, 0);
        return 0;
    }
    MSG msg{};
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (menuHook && menuHook(msg)) return 1;
    if (scrollBarHook && scrollBarHook(msg)) return 1;
    return CallAppProc(message, wParam, lParam) ? 1 : 0;
}

}  // namespace

void SetMenuHook(MessageHook hook) { menuHook = hook; }
void SetScrollBarHook(MessageHook hook) { scrollBarHook = hook; }

bool CallAppProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!appProc) return false;
    appProc(nullptr, message, wParam, lParam);
    return true;
}

}  // namespace tuikit::core

extern "C" {

TUIKIT_API int TuiSetProc(WNDPROC proc)
{
    tuikit::core::appProc = proc;
    return 1;
}

TUIKIT_API int TuiDispatchMessage(const MSG *msg)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        if (!msg) return 0;
        return tuikit::core::Dispatch(msg->message, msg->wParam, msg->lParam);
    });
}

}  // extern "C"
