// The sign-in form: filling its list at WM_INITDIALOG, reading its fields
// when OK (or a double click on a server) ends it.
#include "demo_form.h"

#include <cstdio>

#include <tuikit/tuikit.h>

#include "demo_form_ids.h"

namespace {

constexpr const char *kCities[] = {"amsterdam", "athens", "berlin", "bern", "dublin", "helsinki",
                                   "lisbon", "madrid", "oslo", "paris", "prague", "riga",
                                   "rome", "sofia", "vienna", "warsaw"};
constexpr const char *kKinds[] = {"mail", "imap", "smtp"};

std::string entered;  // the line DemoSignIn returns

std::string Field(uint32_t id)
{
    char text[256] = "";
    TuiGetDlgItemText(id, text, sizeof text);
    return text;
}

// Reads the form; false (the form stays open) while the name is empty.
bool Accept()
{
    const std::string name = Field(IDC_FORM_NAME);
    if (name.empty()) {
        TuiMessageBox("Please enter a name.", "Sign in", MB_OK);
        return false;
    }
    const char *account = TuiIsDlgItemChecked(IDC_FORM_HOME) ? "home" : TuiIsDlgItemChecked(IDC_FORM_GUEST) ? "guest" : "work";
    char line[400];
    std::snprintf(line, sizeof line, "%s, password of %zu, %s on %s%s", name.c_str(), Field(IDC_FORM_PASSWORD).size(),
                  account, Field(IDC_FORM_SERVER).c_str(), TuiIsDlgItemChecked(IDC_FORM_REMEMBER) ? ", remembered" : "");
    entered = line;
    return true;
}

LRESULT CALLBACK FormProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        for (const char *kind : kKinds)
            for (const char *city : kCities) {
                char server[64];
                std::snprintf(server, sizeof server, "%s.%s.example", kind, city);
                TuiListBoxAddString(IDC_FORM_SERVER, server);
            }
        TuiListBoxSetActive(IDC_FORM_SERVER, 0);
        TuiCheckDlgItem(IDC_FORM_WORK, 1);
        return 0;
    }
    if (message != WM_COMMAND) return 0;
    const WORD id = LOWORD(wParam), code = HIWORD(wParam);
    const bool chosen = (id == IDOK && code == BN_CLICKED) || (id == IDC_FORM_SERVER && code == LBN_DBLCLK);
    if (chosen && Accept()) TuiEndDialog(IDOK);
    if (id == IDCANCEL) TuiEndDialog(IDCANCEL);
    return 0;
}

}  // namespace

std::string DemoSignIn()
{
    entered.clear();
    if (TuiDialogBox("SignIn", FormProc, -1, -1) != IDOK) return "";
    return entered;
}
