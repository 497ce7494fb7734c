// Dialog templates: the classic DLGTEMPLATE header and its DLGITEMTEMPLATE
// items as the resource compiler writes them for DIALOG statements.
//
// Layout (little-endian, strings are zero-terminated 16-bit units):
//   header  style u32, dwExtendedStyle u32, cdit u16, x y cx cy i16
//           menu string, windowClass string, title string,
//           [pointsize u16, typeface string]   when style has DS_SETFONT
//           padding to a 4-byte boundary of the template
//   item    style u32, dwExtendedStyle u32, x y cx cy i16, id u16
//           windowClass: 0xFFFF + atom, or a string
//           title: a string, or 0xFFFF + ordinal
//           creation data size u16 (in bytes), then that many bytes
//           padding to a 4-byte boundary
// Every read is bounded by the resource's size: a template that runs past
// its end is refused, whatever its counts say.
#include <algorithm>
#include <memory>

#include "controls/check_box.h"
#include "controls/edit.h"
#include "controls/list_box.h"
#include "controls/push_button.h"
#include "controls/radio_button.h"
#include "controls/static_text.h"
#include "core/console_state.h"
#include "dialog/dialog_window.h"
#include "menu/template_reader.h"

namespace tuikit::dialog {

namespace {

using menu::TemplateReader;

constexpr uint16_t kOrdinalMarker = 0xFFFF;
constexpr uint16_t kButtonAtom = 0x0080;
constexpr uint16_t kEditAtom = 0x0081;
constexpr uint16_t kStaticAtom = 0x0082;
constexpr uint16_t kListBoxAtom = 0x0083;

#pragma pack(push, 2)
struct DialogHeader {
    uint32_t style;
    uint32_t dwExtendedStyle;
    uint16_t cdit;
    int16_t x, y, cx, cy;
};
#pragma pack(pop)
static_assert(sizeof(DialogHeader) == 18);

void AlignToDword(TemplateReader &reader)
{
    uint16_t padding;
    if (reader.position % 4 != 0) reader.ReadWord(padding);
}

std::unique_ptr<DlgControl> MakeControl(uint16_t atom, uint32_t style)
{
    switch (atom) {
    case kButtonAtom:
        switch (style & 0x0F) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return std::make_unique<controls::DlgPushButton>();
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX: return std::make_unique<controls::DlgCheckBox>();
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return std::make_unique<controls::DlgRadioButton>();
        default: return nullptr;
        }
    case kEditAtom: return std::make_unique<controls::DlgEdit>();
    case kStaticAtom: return std::make_unique<controls::DlgStatic>();
    case kListBoxAtom: return std::make_unique<controls::DlgListBox>();
    default: return nullptr;
    }
}

// The title, creation data and padding behind the class; the title goes to
// the control when there is one and it is a string.
void ReadItemTail(TemplateReader &reader, DlgControl *control)
{
    uint16_t word;
    if (static_cast<uint16_t>(reader.PeekWord()) == kOrdinalMarker) {
        reader.ReadWord(word);
        reader.ReadWord(word);
    } else {
        std::string title;
        reader.ReadString(title);
        if (control) control->SetText(title.c_str());
    }
    uint16_t extra;
    reader.ReadWord(extra);
    for (uint16_t skipped = 0; skipped < extra && !reader.Overran(); skipped += 2) reader.ReadWord(word);
}

int LoadItem(DialogWindow &dialog, TemplateReader &reader)
{
    controls::ItemTemplate item;
    reader.ReadFixedPart(&item);
    if (reader.Overran()) return 0;
    std::unique_ptr<DlgControl> control;
    if (static_cast<uint16_t>(reader.PeekWord()) != kOrdinalMarker) {
        // A class given by name makes no control; the item is stepped over.
        std::string className;
        reader.ReadString(className);
        ReadItemTail(reader, nullptr);
        if (reader.Overran()) return 0;
        AlignToDword(reader);
        return 1;
    }
    uint16_t marker, atom;
    reader.ReadWord(marker);
    reader.ReadWord(atom);
    control = MakeControl(atom, item.style);
    if (!control) return 0;
    control->dialog = &dialog;
    control->PlaceFromTemplate(item);
    ReadItemTail(reader, control.get());
    // The last item's padding may lie past the end; nothing else may.
    if (reader.Overran()) return 0;
    AlignToDword(reader);
    dialog.Append(std::move(control));
    return 1;
}

}  // namespace

int32_t DialogUnitsToColumns(int32_t v) { return v / 4 + (v % 4 >= 2 ? 1 : 0); }
int32_t DialogUnitsToRows(int32_t v) { return v / 8 + (v % 8 >= 6 ? 1 : 0); }

int LoadDialogItem(DialogWindow &dialog, TemplateReader &reader) { return LoadItem(dialog, reader); }

int LoadDialogTemplate(DialogWindow &dialog, const char *name, int32_t x, int32_t y)
{
    HRSRC found = FindResourceA(nullptr, name, RT_DIALOG);
    if (!found) {
        MessageBoxA(nullptr, "can not find the specified resource", "Error Message", MB_OK);
        return 0;
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        MessageBoxA(nullptr, "can not load the specified resource", "Error Message", MB_OK);
        return 0;
    }
    TemplateReader reader;
    const DWORD size = SizeofResource(nullptr, found);
    reader.Attach(data, size);

    DialogHeader header;
    reader.ReadFixedPart(&header);
    dialog.style = header.style;
    dialog.width = DialogUnitsToColumns(header.cx);
    dialog.height = DialogUnitsToRows(header.cy);
    if (dialog.width < 0 || dialog.height < 0) return 0;  // nothing to cover or save

    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(core::console.consoleOutput, &info);
    dialog.left = (info.dwMaximumWindowSize.X - dialog.width) / 2;
    dialog.top = (info.dwMaximumWindowSize.Y - dialog.height) / 2;
    // A console coordinate is 16-bit; clamping there keeps the sums of the
    // origin and the item offsets far from overflow.
    if (x != -1) dialog.left = std::clamp(x, -32768, 32767);
    if (y != -1) dialog.top = std::clamp(y, -32768, 32767);

    std::string discarded;
    reader.ReadString(discarded);  // menu
    reader.ReadString(discarded);  // windowClass
    reader.ReadString(dialog.title);
    if (dialog.style & DS_SETFONT) {
        uint16_t pointSize;
        reader.ReadWord(pointSize);
        reader.ReadString(discarded);  // typeface
    }
    if (reader.Overran()) return 0;
    AlignToDword(reader);

    for (uint16_t i = 0; i < header.cdit; ++i)
        if (!LoadDialogItem(dialog, reader)) return 0;
    dialog.itemCount = static_cast<int32_t>(dialog.controls.size());
    return 1;
}

}  // namespace tuikit::dialog
