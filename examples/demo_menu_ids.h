/* Command ids of the demo's menu bar, shared by demo_menu.rc and the code. */
#define IDM_DEMO_NEW 1001
#define IDM_DEMO_SAVE 1002
#define IDM_DEMO_EXIT 1003
#define IDM_DEMO_SIGNIN 1004
#define IDM_DEMO_STATUS 1101
#define IDM_DEMO_COLOURS 1102
#define IDM_DEMO_MAILBOX 1301
#define IDM_DEMO_COMPOSE 1302
#define IDM_DEMO_KEYS 1201
#define IDM_DEMO_ABOUT 1202
#define IDM_DEMO_BOXES 1203
