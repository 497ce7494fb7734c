#include "platform/message_box.h"

#include <cstdio>
#include <mutex>

#include "core/boundary.h"
#include "platform/console/console.h"

namespace tuikit::platform {

namespace {

std::mutex recordLock;
std::vector<RecordedMessageBox> &Records()
{
    static auto *records = new std::vector<RecordedMessageBox>;
    return *records;
}

}  // namespace

std::vector<RecordedMessageBox> RecordedMessageBoxes()
{
    std::lock_guard guard(recordLock);
    return Records();
}

}  // namespace tuikit::platform

using namespace tuikit::platform;

extern "C" int WINAPI MessageBoxA(HWND, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    return tuikit::Guarded<int>(0, [&]() -> int {
        const char *text = lpText ? lpText : "";
        const char *caption = lpCaption ? lpCaption : "Error";
        int result = IDOK;
        ConsoleBackend *backend = Console::Get().Backend();
        if (backend && backend->MessageBox(text, caption, uType, result)) return result;
        {
            std::lock_guard guard(recordLock);
            Records().push_back(RecordedMessageBox{caption, text, uType});
        }
        // With no screen to show it on, the box goes to standard error so a
        // headless run still tells the user.
        std::fprintf(stderr, "[%s] %s\n", caption, text);
        return IDOK;
    });
}
