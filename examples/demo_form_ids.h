/* Control ids of the demo's sign-in form, shared by demo_form.rc and the code. */
#define IDC_FORM_NAME 101
#define IDC_FORM_PASSWORD 102
#define IDC_FORM_SERVER 103
#define IDC_FORM_REMEMBER 104
#define IDC_FORM_WORK 105
#define IDC_FORM_HOME 106
#define IDC_FORM_GUEST 107
