// Drives the library the way an application does: input records appended to
// the console input buffer, messages taken from the main thread's queue,
// screen cells read back through the console calls.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tuikit/tuikit.h"

namespace tuikit::test {

INPUT_RECORD KeyRecord(bool down, WORD vk, char ch = 0, DWORD state = 0, WORD repeat = 1);
INPUT_RECORD MouseRecord(int x, int y, DWORD buttons, DWORD state = 0, DWORD flags = 0);

void Append(const std::vector<INPUT_RECORD> &records);

// Appends the records followed by a marker key and returns every message the
// pump posted for them, in order (the marker's own message left out).
std::vector<MSG> Feed(const std::vector<INPUT_RECORD> &records);

// Like Feed, but hands each message to TuiDispatchMessage as an application
// loop would; returns what was retrieved.
std::vector<MSG> FeedAndDispatch(const std::vector<INPUT_RECORD> &records);

// Takes the next message within timeoutMs; false when none came.
bool NextMessage(MSG &out, int timeoutMs = 2000);

// Screen access, through TuiOutputHandle (the standard output before TuiInit).
std::string RowText(int y, int x = 0, int count = -1);
char CharAt(int x, int y);
WORD AttrAt(int x, int y);
std::vector<WORD> RowAttrs(int y, int x, int count);
COORD CursorPos();
CONSOLE_CURSOR_INFO CursorInfo();

// Starts the console and fills the 80 x 25 screen with a pattern of letters
// in varied colours (none of them a dialog's or a menu's), the cursor at
// (40, 12), 60% and visible.
void StartOnPattern();

using Screen = std::pair<std::string, std::vector<WORD>>;  // every character and attribute
Screen CaptureScreen();

// A rectangle of the screen as text, rows joined by '/', the line-drawing
// characters shown as - | and the corners r 7 L J: "r--7/|ab|/L--J".
std::string Picture(int x, int y, int width, int height);

// A compact form of a message for assertions: "0x0100 41 0".
struct Msg {
    UINT message;
    long long wParam;
    long long lParam;
    bool operator==(const Msg &) const = default;
};
Msg M(UINT message, long long wParam, long long lParam);
std::vector<Msg> Compact(const std::vector<MSG> &msgs);
void PrintTo(const Msg &m, std::ostream *os);

}  // namespace tuikit::test
