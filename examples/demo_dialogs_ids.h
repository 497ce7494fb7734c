/* Control ids of the demo's About and Message boxes dialogs, shared by
   demo_dialogs.rc and the code. */
#define IDC_BOXES_OK 201
#define IDC_BOXES_OKCANCEL 202
#define IDC_BOXES_ABORTRETRYIGNORE 203
#define IDC_BOXES_YESNOCANCEL 204
#define IDC_BOXES_YESNO 205
#define IDC_BOXES_RETRYCANCEL 206
#define IDC_BOXES_DEF2 207
#define IDC_BOXES_DEF3 208
#define IDC_BOXES_SHOW 209
#define IDC_BOXES_RESULT 210
