// An independent terminal for the tests: libvterm fed with what a program
// writes, plus a note of the modes those bytes switch (DEC private modes,
// keyboard protocol pushes, cursor style) to check that they are undone.
#pragma once

#include <map>
#include <string>

#include <vterm.h>

#include "platform/console/screen_buffer.h"

namespace tuikit::test {

class TestTerminal {
public:
    TestTerminal(int rows, int cols);
    ~TestTerminal() { vterm_free(vt_); }
    TestTerminal(const TestTerminal &) = delete;
    TestTerminal &operator=(const TestTerminal &) = delete;

    void Feed(const std::string &bytes);
    // What the terminal answered (device attributes, cursor position...).
    std::string TakeAnswers();
    void Resize(int rows, int cols);

    int Rows() const { return rows_; }
    char32_t Glyph(int x, int y) const;  // a blank cell reads as a space
    std::string RowText(int y) const;    // glyphs outside ASCII read as '~'
    bool Shows(const std::string &text) const;
    VTermPos Cursor() const;
    // The first cell where the terminal differs from the buffer in glyph or
    // colours, described; empty when they are equal.
    std::string Difference(const platform::ScreenBuffer &screen) const;

    bool cursorVisible = true;
    int cursorShape = VTERM_PROP_CURSORSHAPE_BLOCK;
    bool altScreen = false;
    int mouse = 0;
    std::map<int, bool> privateModes;  // absent when never touched
    int keyboardDepth = 0;             // keyboard protocol flags pushed
    int cursorStyle = -1;              // last DECSCUSR, -1 never set

private:
    static int SetTermProp(VTermProp prop, VTermValue *val, void *user);
    VTermScreenCell Cell(int x, int y) const;
    void Sequence(const std::string &seq);

    VTerm *vt_;
    int rows_;
    int cols_;
    std::string csi_;  // the control sequence being read
};

// The test pattern (pattern.h) as a screen buffer of its seven rows.
platform::ScreenBuffer PatternScreen();

}  // namespace tuikit::test
