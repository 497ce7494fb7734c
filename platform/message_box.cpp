#include "platform/message_box.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "core/boundary.h"
#include "platform/console/console.h"

namespace tuikit::platform {

namespace {

// Only the last few boxes are kept: a program that shows many in memory
// mode must not grow without end.
constexpr size_t kKeptRecords = 16;

std::mutex recordLock;
std::vector<RecordedMessageBox> &Records()
{
    static auto *records = new std::vector<RecordedMessageBox>;
    return *records;
}

// Standard error may be a terminal: control bytes are shown as \xNN so the
// text can never switch its modes.
std::string Printable(const char *text)
{
    std::string out;
    for (const char *p = text; *p; ++p) {
        auto c = static_cast<unsigned char>(*p);
        if (c < 0x20 || c == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
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
            auto &records = Records();
            if (records.size() >= kKeptRecords) records.erase(records.begin());
            records.push_back(RecordedMessageBox{caption, text, uType});
        }
        // With no screen to show it on, the box goes to standard error so a
        // headless run still tells the user.
        std::fprintf(stderr, "[%s] %s\n", Printable(caption).c_str(), Printable(text).c_str());
        return IDOK;
    });
}
