// Running dialogs the way an application does: input records appended to
// the console, the dialog started, a procedure that notes what it receives,
// and checks run at marker keys while the dialog is still on the screen.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dialog/dialog_window.h"
#include "support/console_driver.h"
#include "support/records.h"

namespace tuikit::test {

// At a check marker the next check runs; at the end marker a dialog still
// running is ended with kStillOpen. No keyboard sends either key.
constexpr WORD kCheckKey = 0x87;  // VK_F24
constexpr WORD kEndKey = 0x86;    // VK_F23
constexpr int32_t kStillOpen = -99;
inline Records Check() { return {KeyRecord(true, kCheckKey)}; }

// The procedure's calls, oldest first: "init", "cmd:12" (BN_CLICKED),
// "cmd:12/1" (another code), "key:27", "char:27", "sys:67", "down:20,6".
// Key releases and the markers are left out. IDOK and IDCANCEL end the
// dialog with their id, as a typical procedure does; onCommand, when set,
// sees every other command first.
inline std::string procCalls;
inline std::function<void(WORD id, WORD code)> onCommand;

inline void Note(const std::string &call) { procCalls += (procCalls.empty() ? "" : " ") + call; }

inline LRESULT CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const std::map<UINT, std::string> names{{WM_INITDIALOG, "init"}, {WM_COMMAND, "cmd"}, {WM_KEYDOWN, "key"},
                                                   {WM_CHAR, "char"}, {WM_SYSKEYDOWN, "sys"}};
    if (message == WM_KEYUP || message == WM_SYSKEYUP) return 0;
    if (message == WM_KEYDOWN && (wParam == kCheckKey || wParam == kEndKey)) return 0;
    std::string call = names.contains(message) ? names.at(message) : std::to_string(message);
    if (message == WM_COMMAND)
        call += ":" + std::to_string(LOWORD(wParam)) + (HIWORD(wParam) ? "/" + std::to_string(HIWORD(wParam)) : "");
    else if (message == WM_CHAR || message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        call += ":" + std::to_string(static_cast<int>(static_cast<int32_t>(wParam)));
    else if (wParam || lParam)
        call += ":" + std::to_string(wParam) + "," + std::to_string(lParam);
    Note(call);
    if (message != WM_COMMAND) return 0;
    if (onCommand) onCommand(LOWORD(wParam), HIWORD(wParam));
    if (HIWORD(wParam) == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) TuiEndDialog(LOWORD(wParam));
    return 0;
}

// The input goes to the console a stretch at a time, each stretch ending at
// a marker: a dialog that is ending handles everything posted before its
// quit message, so the input meant for the dialog below is held back until
// the ending loop has taken its quit.
struct ScriptedInput {
    std::vector<Records> stretches;
    size_t next = 0;
    bool held = false;
    std::vector<std::function<void()>> checks;
    bool endSeen = false;

    void AppendNext()
    {
        held = false;
        if (next < stretches.size()) Append(stretches[next++]);
    }
};
inline ScriptedInput script;

inline bool QuitPending()
{
    MSG m;
    return PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

inline void WatchMarkers(const MSG &msg)
{
    if (msg.message == WM_QUIT) {
        if (script.held) script.AppendNext();
        return;
    }
    if (msg.message != WM_KEYDOWN) return;
    if (msg.wParam == kCheckKey) {
        if (!script.checks.empty() && dialog::CurrentDialog) {
            auto check = std::move(script.checks.front());
            script.checks.erase(script.checks.begin());
            check();
        }
        if (QuitPending())
            script.held = true;
        else
            script.AppendNext();
    } else if (msg.wParam == kEndKey) {
        script.endSeen = true;
        if (!QuitPending()) TuiEndDialog(kStillOpen);
    }
}

// Runs start (a TuiDialogBox or TuiMessageBox call) over the input and the
// end marker; each Check() in the input runs the next of checks. Returns
// start's result once the end marker has come through.
inline int32_t RunWith(const std::function<int32_t()> &start, const Records &input,
                       std::vector<std::function<void()>> checks = {})
{
    procCalls.clear();
    script = ScriptedInput{{{}}, 0, false, std::move(checks), false};
    for (const INPUT_RECORD &r : input + Records{KeyRecord(true, kEndKey)}) {
        script.stretches.back().push_back(r);
        if (r.EventType == KEY_EVENT && r.Event.KeyEvent.wVirtualKeyCode == kCheckKey) script.stretches.emplace_back();
    }
    dialog::DialogLoopObserver = WatchMarkers;
    script.AppendNext();
    const int32_t result = start();
    // A dialog that ended early leaves the rest of the input to the caller.
    if (script.held) script.AppendNext();
    for (MSG msg; !script.endSeen && NextMessage(msg);) WatchMarkers(msg);
    EXPECT_TRUE(script.endSeen) << "the input never reached its end";
    EXPECT_TRUE(script.checks.empty()) << "a check marker never arrived";
    return result;
}

inline int32_t RunDialog(const char *name, const Records &input, std::vector<std::function<void()>> checks = {},
                         int32_t x = -1, int32_t y = -1)
{
    return RunWith([=] { return TuiDialogBox(name, RecordingDialogProc, x, y); }, input, std::move(checks));
}

// Console started, a patterned screen, the cursor at (40, 12), 60% and visible.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartOnPattern();
        before = CaptureScreen();
        onCommand = nullptr;
    }
    // The screen and the cursor are as SetUp left them.
    void ExpectRestored()
    {
        EXPECT_EQ(CaptureScreen(), before);
        EXPECT_EQ(CursorPos().X, 40);
        EXPECT_EQ(CursorPos().Y, 12);
        EXPECT_EQ(CursorInfo().dwSize, 60u);
        EXPECT_TRUE(CursorInfo().bVisible);
    }
    Screen before;
};

}  // namespace tuikit::test
