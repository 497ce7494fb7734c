// The edit field's drawing, caret, scrolling and the keys it takes.
#include "controls/edit.h"

#include <algorithm>
#include <string>

#include "dialog/dialog_window.h"
#include "tuikit/tuikit.h"

namespace tuikit::controls {

namespace {

constexpr int32_t kFieldAttr = 0xF0;
constexpr int32_t kDisabledAttr = 0x78;

}  // namespace

void DlgEdit::SetText(const char *newText)
{
    text = newText ? newText : "";
    firstVisible = 0;
    caret = 0;
}

void DlgEdit::Draw()
{
    if (width <= 0) return;
    std::string row(static_cast<size_t>(width), '.');
    row.front() = '[';
    row.back() = ']';
    const bool masked = style & ES_PASSWORD;
    for (int32_t i = 0; i < width - 2 && firstVisible + i < Length(); ++i)
        row[static_cast<size_t>(i) + 1] = masked ? '*' : text[static_cast<size_t>(firstVisible + i)];
    TuiWriteText(x, y, row.c_str(), enabled ? kFieldAttr : kDisabledAttr);
}

// The caret's cell is kept between the brackets; at the end of a long text
// it is the last cell before ']'. A field too narrow to have a cell between
// its brackets keeps the caret on its first visible character.
void DlgEdit::KeepCaretVisible()
{
    const int32_t lastCell = std::max(width - 3, 0);
    const int32_t d = caret - firstVisible;
    if (d < 0)
        firstVisible = caret;
    else if (d >= lastCell)
        firstVisible = caret - lastCell;
    TuiSetCursorPos(x + 1 + caret - firstVisible, y);
}

void DlgEdit::CaretChanged()
{
    KeepCaretVisible();
    Draw();
}

void DlgEdit::ShowFocusCursor(int gaining)
{
    if (!gaining) return;
    TuiSetCursorInfo(25, 1);
    TuiSetCursorPos(x + 1 + caret - firstVisible, y);
}

// Codes arrive as the pump made them: bytes 0x80 to 0xFF sign-extended, so
// only 0x20 to 0x7E get in from the keyboard. Codes beyond a byte are not
// characters of the code page and are refused too.
void DlgEdit::InsertChar(int32_t code)
{
    if (code < 0x20 || code == 0x7F || code > 0xFF) return;
    text.insert(static_cast<size_t>(caret), 1, static_cast<char>(code));
    ++caret;
    CaretChanged();
}

int DlgEdit::HandleEditKey(WPARAM vk)
{
    switch (vk) {
    case VK_LEFT:
        if (caret > 0) {
            --caret;
            CaretChanged();
        }
        return 1;
    case VK_RIGHT:
        if (caret < Length()) {
            ++caret;
            CaretChanged();
        }
        return 1;
    case VK_BACK:
        if (caret > 0) {
            text.erase(static_cast<size_t>(--caret), 1);
            CaretChanged();
        }
        return 1;
    case VK_DELETE:
        if (caret < Length()) {
            text.erase(static_cast<size_t>(caret), 1);
            CaretChanged();
        }
        return 1;
    default:
        return 0;
    }
}

int DlgEdit::HandleMessage(const KeyRecord &m)
{
    switch (m.message) {
    case WM_KEYDOWN:
        return HandleEditKey(m.wParam);
    case WM_CHAR:
        InsertChar(static_cast<int32_t>(m.wParam));
        return 1;
    case WM_LBUTTONDOWN: {
        dialog->SetFocusItem(index);
        // The caret goes before the character under the mouse: to the first
        // visible one on '[', to the end on a dot.
        const int32_t p = MouseColumn(m) - x - 1 + firstVisible;
        caret = p < firstVisible ? firstVisible : std::min(p, Length());
        // Only a click on ']' with more text after it scrolls the view; the
        // field is redrawn then, so what it shows matches the caret.
        const int32_t viewBefore = firstVisible;
        KeepCaretVisible();
        if (firstVisible != viewBefore) Draw();
        return 1;
    }
    default:
        return 0;
    }
}

}  // namespace tuikit::controls
