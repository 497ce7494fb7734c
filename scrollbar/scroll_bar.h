// Free-standing scroll bars: the bar model, the process-wide list of bars,
// drawing, and the mouse handling that turns clicks, holds and thumb drags
// into WM_HSCROLL / WM_VSCROLL notifications.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "tuikit/win32.h"

namespace tuikit::scrollbar {

// Result of the hit test for a cell outside the bar; the other results are
// the SB_ notification codes of the part hit.
constexpr int32_t kNoPart = -1;

struct ScrollBar {
    int32_t id = 0;
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // inclusive; a line of cells
    uint16_t arrowAttribute = 0x0F;
    uint16_t trackAttribute = 0x07;
    uint16_t thumbAttribute = 0x0F;
    int32_t enabled = 0;  // stored and compared only; neither drawing nor the mouse look at it
    int32_t minimum = 0, maximum = 0;
    int32_t thumbCell = 0;  // column or row of the thumb as last drawn; the hit test uses it
    int32_t position = 0;
    int32_t vertical = 0;
    int32_t trackLength = 0;  // cells between the two arrows, at least 2

    UINT_PTR repeatTimer = 0;  // auto-repeat timer while an arrow or the track is held
    int32_t pressedPart = kNoPart;
    int32_t dragging = 0;
    uint16_t mouseX = 0, mouseY = 0;  // last mouse cell seen while repeating
    int32_t dragPosition = 0;         // position last reported during a thumb drag
};

// Every bar in creation order; dropped bars are removed.
extern std::vector<std::unique_ptr<ScrollBar>> scrollBarList;

// The scroll bars' dispatch entry: offers mouse and timer messages to each
// bar in list order; nonzero when one consumed it.
int ScrollBarMessage(const MSG &msg);

// Stops the bar's auto-repeat timer, if one runs.
void StopRepeat(ScrollBar &bar);

}  // namespace tuikit::scrollbar
