#include "platform/terminal/message_box_view.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tuikit::platform {

namespace {

constexpr uint16_t kBody = 0x70;
constexpr uint16_t kDefaultButton = 0x1F;

struct Buttons {
    std::vector<const char *> labels;
    int first;
    int cancel;
};

Buttons ButtonsFor(UINT type)
{
    switch (type & 0x0F) {
    case MB_OKCANCEL: return {{"OK", "Cancel"}, IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {{"Abort", "Retry", "Ignore"}, IDABORT, IDIGNORE};
    case MB_YESNOCANCEL: return {{"Yes", "No", "Cancel"}, IDYES, IDCANCEL};
    case MB_YESNO: return {{"Yes", "No"}, IDYES, IDNO};
    case MB_RETRYCANCEL: return {{"Retry", "Cancel"}, IDRETRY, IDCANCEL};
    default: return {{"OK"}, IDOK, IDOK};
    }
}

// Splits text at line breaks and wraps it at word boundaries to width.
std::vector<std::string> WrapText(const char *text, size_t width)
{
    std::vector<std::string> lines;
    std::string line;
    auto flush = [&] {
        lines.push_back(line);
        line.clear();
    };
    for (const char *p = text;; ++p) {
        char c = *p;
        if (c == '\0' || c == '\n') {
            flush();
            if (c == '\0') break;
            continue;
        }
        if (c == '\r') continue;
        line += (c == '\t') ? ' ' : c;
        if (line.size() > width) {
            size_t cut = line.rfind(' ', width);
            std::string rest;
            if (cut == std::string::npos || cut == 0) {
                rest = line.substr(width);
                line.resize(width);
            } else {
                rest = line.substr(cut + 1);
                line.resize(cut);
            }
            flush();
            line = rest;
        }
    }
    return lines;
}

void Put(ScreenBuffer &screen, int x, int y, uint8_t ch, uint16_t attr) { screen.SetCell(x, y, Cell{ch, attr}); }

void PutText(ScreenBuffer &screen, int x, int y, const std::string &text, uint16_t attr, int maxX)
{
    for (size_t i = 0; i < text.size() && x + static_cast<int>(i) <= maxX; ++i)
        Put(screen, x + static_cast<int>(i), y, static_cast<uint8_t>(text[i]), attr);
}

}  // namespace

void DrawMessageBox(ScreenBuffer &screen, const char *text, const char *caption, UINT type)
{
    int sw = screen.Width(), sh = screen.Height();
    Buttons buttons = ButtonsFor(type);
    std::string row;
    for (const char *label : buttons.labels) {
        if (!row.empty()) row += "  ";
        row += std::string("[ ") + label + " ]";
    }
    std::string title = std::string(" ") + caption + " ";
    size_t wrapAt = static_cast<size_t>(std::clamp(sw - 8, 10, 70));
    std::vector<std::string> lines = WrapText(text, wrapAt);
    size_t inner = row.size();
    for (const auto &l : lines) inner = std::max(inner, l.size());
    inner = std::max(inner, std::min(title.size(), wrapAt));
    int width = std::min(static_cast<int>(inner) + 4, sw);
    int maxLines = std::max(sh - 4, 0);
    if (static_cast<int>(lines.size()) > maxLines) lines.resize(static_cast<size_t>(maxLines));
    int height = std::min(static_cast<int>(lines.size()) + 4, sh);
    int left = std::max((sw - width) / 2, 0), top = std::max((sh - height) / 2, 0);
    int right = left + width - 1, bottom = top + height - 1;

    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) Put(screen, x, y, ' ', kBody);
    for (int x = left + 1; x < right; ++x) {
        Put(screen, x, top, 0xC4, kBody);
        Put(screen, x, bottom, 0xC4, kBody);
    }
    for (int y = top + 1; y < bottom; ++y) {
        Put(screen, left, y, 0xB3, kBody);
        Put(screen, right, y, 0xB3, kBody);
    }
    Put(screen, left, top, 0xDA, kBody);
    Put(screen, right, top, 0xBF, kBody);
    Put(screen, left, bottom, 0xC0, kBody);
    Put(screen, right, bottom, 0xD9, kBody);
    int titleX = left + std::max((width - static_cast<int>(title.size())) / 2, 1);
    PutText(screen, titleX, top, title, kBody, right - 1);
    for (size_t i = 0; i < lines.size(); ++i) PutText(screen, left + 2, top + 1 + static_cast<int>(i), lines[i], kBody, right - 2);

    int x = left + std::max((width - static_cast<int>(row.size())) / 2, 1);
    int y = bottom - 1;
    for (size_t i = 0; i < buttons.labels.size(); ++i) {
        std::string label = std::string("[ ") + buttons.labels[i] + " ]";
        PutText(screen, x, y, label, i == 0 ? kDefaultButton : kBody, right - 1);
        x += static_cast<int>(label.size()) + 2;
    }
    screen.cursorVisible = false;
}

int MessageBoxAnswer(UINT type, bool cancel)
{
    Buttons buttons = ButtonsFor(type);
    return cancel ? buttons.cancel : buttons.first;
}

}  // namespace tuikit::platform
