// An independent terminal for the tests: libvterm fed with the bytes a
// program writes, plus a note of the modes those bytes switch (private
// modes, keyboard protocol pushes, cursor style) to check restoration.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <vterm.h>

#include "platform/console/screen_buffer.h"

namespace tuikit::test {

struct TermCell {
    char32_t glyph;  // a blank cell reads as a space
    int fg;          // palette index, -1 for the default colour
    int bg;
};

class TestTerminal {
public:
    TestTerminal(int rows, int cols);
    ~TestTerminal();
    TestTerminal(const TestTerminal &) = delete;
    TestTerminal &operator=(const TestTerminal &) = delete;

    void Feed(const char *data, size_t size);
    void Feed(const std::string &bytes) { Feed(bytes.data(), bytes.size()); }
    // What the terminal answered (device attributes, cursor position...).
    std::string TakeAnswers();
    void Resize(int rows, int cols);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    TermCell At(int x, int y) const;
    std::string RowText(int y) const;  // UTF-8, trailing blanks kept
    VTermPos Cursor() const;
    bool CursorVisible() const { return cursorVisible_; }
    int CursorShape() const { return cursorShape_; }
    bool AltScreen() const { return altScreen_; }
    int MouseMode() const { return mouse_; }

    // Modes as switched by the bytes seen: DEC private modes (absent when
    // never touched), the keyboard protocol stack depth, the last cursor
    // style (DECSCUSR, -1 never set).
    const std::map<int, bool> &PrivateModes() const { return modes_; }
    int KeyboardDepth() const { return keyboardDepth_; }
    int CursorStyle() const { return cursorStyle_; }

    // The first cell where the terminal differs from the screen buffer in
    // glyph or colours, described; empty when they are equal.
    std::string Difference(const platform::ScreenBuffer &screen) const;

private:
    static int SetTermProp(VTermProp prop, VTermValue *val, void *user);
    void Scan(char c);
    void Sequence();

    VTerm *vt_;
    int rows_;
    int cols_;
    bool cursorVisible_ = true;
    int cursorShape_ = 1;
    bool altScreen_ = false;
    int mouse_ = 0;
    std::map<int, bool> modes_;
    int keyboardDepth_ = 0;
    int cursorStyle_ = -1;
    int scanState_ = 0;  // 0 text, 1 after ESC, 2 in CSI
    std::string csi_;
};

// The palette index a console colour nibble is shown with.
int PaletteIndex(int nibble);

}  // namespace tuikit::test
