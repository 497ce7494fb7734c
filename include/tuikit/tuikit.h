/*
 * tuikit.h - the exported interface of TuiKit, a text-mode windowing toolkit
 * for console programs. Plain C; usable from C and C++.
 *
 * Results: drawing and cursor calls return 0 done, 1 library not initialised,
 * 2 bad argument; menu, scroll bar and dialog item calls return 1 done and
 * 0 not done.
 */
#ifndef TUIKIT_TUIKIT_H
#define TUIKIT_TUIKIT_H

#include <stdint.h>

#include "win32.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Console and dispatch ------------------------------------------------- */

/* Opens the console, sets its modes and code page and starts the input pump. */
TUIKIT_API int TuiInit(void);
/* The console screen buffer every drawing call writes to. */
TUIKIT_API HANDLE TuiOutputHandle(void);
/* Holds the input pump before its next read, so the caller can read input itself. */
TUIKIT_API int TuiLockInput(void);
/* Lets the input pump read again. */
TUIKIT_API int TuiUnlockInput(void);

/* Registers the application's message procedure (null stops delivery). */
TUIKIT_API int TuiSetProc(WNDPROC proc);
/* Splits, routes and delivers one retrieved message. */
TUIKIT_API int TuiDispatchMessage(const MSG *msg);

/* ---- Drawing -------------------------------------------------------------- */

TUIKIT_API int TuiDrawLine(int32_t x, int32_t y, int32_t length, int32_t vertical, int32_t attribute);
TUIKIT_API int TuiDrawBox(int32_t left, int32_t top, int32_t right, int32_t bottom,
                          int32_t frameAttribute, int32_t fillAttribute);
TUIKIT_API int TuiDrawPanel(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t attribute);
TUIKIT_API int TuiClearScreen(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t attribute);
TUIKIT_API int TuiSetTextColor(int32_t attribute);
TUIKIT_API int TuiWriteText(int32_t x, int32_t y, const char *text, int32_t attribute);
TUIKIT_API int TuiScrollText(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t dx,
                             int32_t dy, int32_t attribute);
TUIKIT_API int TuiSetCursorPos(int32_t x, int32_t y);
TUIKIT_API int TuiSetCursorInfo(int32_t size, int32_t visible);

#ifdef __cplusplus
}
#endif

#endif /* TUIKIT_TUIKIT_H */
