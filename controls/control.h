// The base of every dialog control: the common fields the dialog reads and
// writes, the seven virtual slots it drives controls through, placement from
// a template item, the & mnemonic marker and the one way a control reports.
#pragma once

#include <cstdint>
#include <string>

#include "tuikit/tuikit_rc.h"
#include "tuikit/win32.h"

namespace tuikit::dialog {
struct DialogWindow;
}

namespace tuikit::controls {

// The record key handling and controls receive: the MSG layout, of which only
// message, wParam and lParam are read.
using KeyRecord = MSG;

// Class codes; the dialog tests these instead of asking for the type.
enum ControlKind : uint32_t {
    kEditKind = 0x81,
    kStaticKind = 0x82,
    kListBoxKind = 0x83,
    kCheckBoxKind = 0x90,
    kRadioButtonKind = 0x91,
    kPushButtonKind = 0x92,
};

// Notification codes carried in the high word of WM_COMMAND's wParam.
constexpr int32_t kBnClicked = 0;
constexpr int32_t kLbnSelChange = 1;
constexpr int32_t kLbnDblClk = 2;

// The fixed part of a DLGITEMTEMPLATE as stored (18 bytes, little-endian).
#pragma pack(push, 2)
struct ItemTemplate {
    uint32_t style;
    uint32_t dwExtendedStyle;
    int16_t x, y, cx, cy;
    uint16_t id;
};
#pragma pack(pop)
static_assert(sizeof(ItemTemplate) == 18);

class DlgControl {
public:
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t kind = 0;
    int32_t enabled = 1;
    std::string text;
    dialog::DialogWindow *dialog = nullptr;  // not owning
    uint32_t id = 0;                         // 16-bit, zero-extended
    int32_t index = 0;
    uint32_t style = 0;
    int32_t mnemonicPos = -1;
    int32_t mnemonicChar = 0;

    // Slot 0 to 6.
    virtual ~DlgControl() = default;
    virtual void GetText(std::string &out) const;
    virtual void SetText(const char *newText);
    virtual void Draw();
    virtual int HandleMessage(const KeyRecord &m);
    virtual void ShowFocusCursor(int gaining);
    virtual void Activate();

    // Position, size, id and style from a template item; the dialog must be set.
    void PlaceFromTemplate(const ItemTemplate &item);
    // WM_COMMAND to the dialog procedure: id in the low word, code in the high.
    void NotifyDialog(int32_t code);
    // The cell lies in the control's rectangle (signed comparison).
    bool Contains(int32_t column, int32_t row) const;

    DlgControl(const DlgControl &) = delete;
    DlgControl &operator=(const DlgControl &) = delete;

protected:
    explicit DlgControl(uint32_t controlKind) : kind(controlKind) {}
};

// The cell a mouse message carries: column in the low 16 bits of lParam,
// row in the high 16 bits, both unsigned.
inline int32_t MouseColumn(const KeyRecord &m) { return LOWORD(m.lParam); }
inline int32_t MouseRow(const KeyRecord &m) { return HIWORD(m.lParam); }

}  // namespace tuikit::controls
