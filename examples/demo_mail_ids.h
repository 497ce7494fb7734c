/* Control ids of the demo's mail dialogs, shared by demo_mail.rc and the code. */
#define IDC_MAIL_STATUS 301
#define IDC_MAIL_LIST 302
#define IDC_MAIL_DELETE 303
#define IDC_MAIL_NEW 304
#define IDC_VIEW_FROM 311
#define IDC_VIEW_TO 312
#define IDC_VIEW_DATE 313
#define IDC_VIEW_SUBJECT 314
#define IDC_VIEW_FILES 315
#define IDC_VIEW_TEXT 316
#define IDC_VIEW_DELETE 317
#define IDC_COMPOSE_TO 321
#define IDC_COMPOSE_SUBJECT 322
#define IDC_COMPOSE_TEXT 323
