// The demo's scrolling text view: a page of text with a vertical and a
// horizontal scroll bar that move it.
#pragma once

#include <tuikit/tuikit.h>

// Draws the view on the inclusive rectangle: text in all but the last column
// and row, the vertical bar in the last column, the horizontal bar in the
// last row. Needs at least 5 by 5 cells; smaller rectangles draw nothing.
void DemoScrollStart(int left, int top, int right, int bottom);

// Drops the view's bars, which blanks their cells: a caller redrawing the
// whole screen calls it first, so the blanks land under the new picture.
void DemoScrollStop();

// Answers the view's WM_VSCROLL / WM_HSCROLL by moving the bar and scrolling
// the text; false for any other message.
bool DemoScrollMessage(UINT msg, WPARAM wp, LPARAM lp);
