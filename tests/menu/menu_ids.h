/* Command ids shared by the test menus and the tests. */
#define IDM_OPEN 101
#define IDM_EXIT 102
#define IDM_SAVE 103
#define IDM_COPY 201
#define IDM_PASTE 202
#define IDM_ABOUT 301
#define IDM_RECENT_A 401
#define IDM_RECENT_B 402
#define IDM_TOOL 501
#define ID_NUMBERED_MENU 7
