/*
 * tuikit.h - the exported interface of TuiKit, a text-mode windowing toolkit
 * for console programs. Plain C; usable from C and C++.
 *
 * Results: drawing and cursor calls return 0 done, 1 library not initialised,
 * 2 bad argument; menu, scroll bar and dialog item calls return 1 done and
 * 0 not done.
 *
 * No call lets an exception out. A call that cannot get the memory it needs
 * returns its not-done result (0 for the 1/0 families, -1 for
 * TuiShowScrollBar, 2 for drawing and cursor calls) and sets the last error
 * (GetLastError) to ERROR_NOT_ENOUGH_MEMORY.
 */
#ifndef TUIKIT_TUIKIT_H
#define TUIKIT_TUIKIT_H

#include <stdint.h>

#include "win32.h"
#include "mapi.h"

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

/* ---- Resources and menus ------------------------------------------------- */

/* Adds the entries of an in-memory .res image to the resources that
   FindResourceA searches: 1 done, 0 for a malformed image (nothing added). */
TUIKIT_API int TuiAddResources(const void *res, uint32_t size);

/* Builds the menu bar from a menu template (a name, or MAKEINTRESOURCE id),
   draws it on the top row and makes it active: 1 done, 0 failed. The first
   two arguments are accepted and not used. */
TUIKIT_API int TuiMenu(int32_t first, int32_t second, const char *name);
/* Grays (enable 0) or enables an item of the active bar by command id. */
TUIKIT_API int TuiEnableMenuItem(uint32_t id, int32_t enable);

/* ---- Scroll bars ---------------------------------------------------------- */

/* A new bar's id, or -1 when an argument is rejected. */
TUIKIT_API int TuiShowScrollBar(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t vertical,
                                int32_t enabled);
TUIKIT_API int TuiSetScrollRange(int32_t id, int32_t minimum, int32_t maximum);
TUIKIT_API int TuiGetScrollRange(int32_t id, int32_t *minimum, int32_t *maximum);
TUIKIT_API int TuiSetScrollPos(int32_t id, int32_t position);
TUIKIT_API int TuiGetScrollPos(int32_t id);
TUIKIT_API int TuiEnableScrollBar(int32_t id, int32_t enabled);
TUIKIT_API int TuiSetScrollBarColor(int32_t id, int32_t arrowAttribute, int32_t trackAttribute,
                                    int32_t thumbAttribute);
TUIKIT_API int TuiDropScrollBar(int32_t id);
/* Kept for compatibility: they do nothing and return 1 and 0. */
TUIKIT_API int TuiSetScrollBarSize(int32_t id, int32_t size);
TUIKIT_API int TuiGetScrollBarSize(int32_t id);

/* ---- Dialogs and message boxes -------------------------------------------- */

/* Runs a modal dialog from a DIALOG template (a name, or MAKEINTRESOURCE id)
   with its body's top-left cell at (x, y), each -1 to centre on that axis.
   proc receives WM_INITDIALOG, WM_COMMAND notifications and the keys the
   dialog does not consume. Returns the code given to TuiEndDialog; 0 when the
   template cannot be found, loaded or parsed. */
TUIKIT_API int32_t TuiDialogBox(LPCSTR name, WNDPROC proc, int32_t x, int32_t y);
/* Ends the innermost running dialog or message box with code as its result. */
TUIKIT_API void TuiEndDialog(int32_t code);
/* Shows text (line feeds break lines) in a box titled caption ("Message" when
   null) with the button set of type & 0x0F (MB_OK .. MB_RETRYCANCEL) and
   MB_DEFBUTTON2/3; returns the id of the button chosen (IDOK .. IDNO), IDCANCEL
   on Escape. */
TUIKIT_API int32_t TuiMessageBox(LPCSTR text, LPCSTR caption, UINT type);

/* ---- Dialog items ----------------------------------------------------------- */

/* Each call acts on the control with the given id (the first one with it) in
   the innermost running dialog or message box; with no dialog running or no
   such control it does nothing and returns 0 (TuiGetListBoxIndex -1). */

/* Radio button: check 1 selects it when it is clear (its group is cleared and
   the dialog procedure gets its WM_COMMAND); returns 1 for a radio button.
   Check box: stores check as given (nonzero draws checked) and returns 0. */
TUIKIT_API int TuiCheckDlgItem(uint32_t id, int32_t check);
/* A check box's or radio button's check value as stored; 0 for other kinds. */
TUIKIT_API int TuiIsDlgItemChecked(uint32_t id);
/* Enables (nonzero) or disables the control and redraws it; the focus stays. */
TUIKIT_API void TuiEnableDlgItem(uint32_t id, int32_t enable);
/* Copies the control's text (an edit field's contents, unmasked; a list box's
   selected item) into buffer, at most size - 1 bytes and a zero: 1 done. */
TUIKIT_API int TuiGetDlgItemText(uint32_t id, char *buffer, int32_t size);
/* Sets the control's text and redraws it; in labels & marks the mnemonic,
   in edit fields it is kept. A list box ignores the text. 1 done. */
TUIKIT_API int TuiSetDlgItemText(uint32_t id, const char *text);
/* Dialog item colours are fixed: any colour arguments after the id are
   ignored. 1 when the control exists. */
TUIKIT_API int TuiSetDlgItemColor(uint32_t id, ...);
/* List box: appends text as the last item and redraws. 1 done. */
TUIKIT_API int TuiListBoxAddString(uint32_t id, const char *text);
/* List box: ends a mouse press in progress, removes every item, clears the
   selection and scrolls to the top; no notification. 1 done. */
TUIKIT_API int TuiListBoxRemoveAll(uint32_t id);
/* List box: the selected item's index, -1 for none (and for other kinds). */
TUIKIT_API int TuiGetListBoxIndex(uint32_t id);
/* List box: selects item index (-1 for none, up to the number of items - 1),
   scrolling it into view; a change sends LBN_SELCHANGE. 1 done, 0 for an
   index out of range. */
TUIKIT_API int TuiListBoxSetActive(uint32_t id, int32_t index);
/* The control's cells: left, top, and right, bottom one past its last column
   and row. 1 done. */
TUIKIT_API int TuiGetDlgItemRect(uint32_t id, RECT *rect);

/* ---- Mail ------------------------------------------------------------------
   Simple MAPI through the platform's "mapi32.dll", loaded on the first logon.
   Results: 0 done, 1 mail library not found (logon only), 2 Simple MAPI
   error, 3 no session, 4 no more messages or no such message, -1 rejected
   argument (TuiMAPIGetPath only). */

/* Logs on with the default profile; the session handle is kept. */
TUIKIT_API int TuiMAPILogon(void);
/* Ends the session; the handle is kept, so later calls report its errors. */
TUIKIT_API int TuiMAPILogoff(void);
/* Writes the id of the message after seedMessageId (first when null or
   empty) into messageId, which holds a long message id (512 bytes). */
TUIKIT_API int TuiMAPIFindNext(LPCSTR seedMessageId, LPSTR messageId);
/* The envelope of a message, not marked as read. */
TUIKIT_API int TuiMAPIMailInfo(LPCSTR messageId, lpMapiMessage *message);
/* A message with its text and attachment names, marked as read. */
TUIKIT_API int TuiMAPIReadMail(LPCSTR messageId, lpMapiMessage *message);
/* Releases a record of TuiMAPIMailInfo or TuiMAPIReadMail. */
TUIKIT_API int TuiMAPIFreeBuffer(lpMapiMessage message);
/* Sends a message without a dialog. */
TUIKIT_API int TuiMAPISendMail(lpMapiMessage message);
/* Deletes one message. */
TUIKIT_API int TuiMAPIDeleteMail(LPCSTR messageId);
/* Copies up to bufferLength bytes of the file name of attachment
   attachmentNumber (from 1) into *buffer, with no terminating zero. */
TUIKIT_API int TuiMAPIGetPath(LPCSTR messageId, LPSTR *buffer, int bufferLength, int attachmentNumber);

#ifdef __cplusplus
}
#endif

#endif /* TUIKIT_TUIKIT_H */
