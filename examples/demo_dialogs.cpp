// The About dialog and the Message boxes dialog, whose Show button opens a
// message box from inside its dialog procedure.
#include "demo_dialogs.h"

#include <vector>

#include <tuikit/tuikit.h>

#include "demo_dialogs_ids.h"

namespace {

struct ButtonSet {
    uint32_t radio;
    UINT type;
    const char *name;
};
constexpr ButtonSet kSets[] = {
    {IDC_BOXES_OK, MB_OK, "MB_OK"},
    {IDC_BOXES_OKCANCEL, MB_OKCANCEL, "MB_OKCANCEL"},
    {IDC_BOXES_ABORTRETRYIGNORE, MB_ABORTRETRYIGNORE, "MB_ABORTRETRYIGNORE"},
    {IDC_BOXES_YESNOCANCEL, MB_YESNOCANCEL, "MB_YESNOCANCEL"},
    {IDC_BOXES_YESNO, MB_YESNO, "MB_YESNO"},
    {IDC_BOXES_RETRYCANCEL, MB_RETRYCANCEL, "MB_RETRYCANCEL"},
};

const char *ResultName(int32_t result)
{
    static const char *const kNames[] = {"0", "IDOK", "IDCANCEL", "IDABORT", "IDRETRY", "IDIGNORE", "IDYES", "IDNO"};
    return result >= 0 && result <= IDNO ? kNames[result] : "?";
}

std::vector<std::string> results;  // for the messages panel once the dialog is closed

void ShowChosenBox()
{
    const ButtonSet *set = &kSets[0];
    for (const ButtonSet &s : kSets)
        if (TuiIsDlgItemChecked(s.radio)) set = &s;
    UINT type = set->type;
    std::string name = set->name;
    if (TuiIsDlgItemChecked(IDC_BOXES_DEF2)) {
        type |= MB_DEFBUTTON2;
        name += " | MB_DEFBUTTON2";
    }
    if (TuiIsDlgItemChecked(IDC_BOXES_DEF3)) {
        type |= MB_DEFBUTTON3;
        name += " | MB_DEFBUTTON3";
    }
    const int32_t result = TuiMessageBox("This box was opened by the\nMessage boxes dialog.", name.c_str(), type);
    const std::string line = std::string(set->name) + ": " + ResultName(result);
    TuiSetDlgItemText(IDC_BOXES_RESULT, ("Last: " + line).c_str());
    results.push_back(line);
}

LRESULT CALLBACK BoxesProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        TuiCheckDlgItem(IDC_BOXES_YESNO, 1);
        return 0;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return 0;
    if (LOWORD(wParam) == IDC_BOXES_SHOW) ShowChosenBox();
    if (LOWORD(wParam) == IDCANCEL) TuiEndDialog(IDCANCEL);
    return 0;
}

LRESULT CALLBACK AboutProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) TuiEndDialog(IDOK);
    return 0;
}

}  // namespace

void DemoAbout() { TuiDialogBox("DemoAbout", AboutProc, -1, -1); }

void DemoMessageBoxes(void (*report)(const std::string &line))
{
    results.clear();
    TuiDialogBox("DemoBoxes", BoxesProc, -1, -1);
    for (const std::string &line : results) report(line);
}
