#include "demo_menu.h"

#include <string>

#include "demo_dialogs.h"
#include "demo_form.h"
#include "demo_mail.h"
#include "demo_menu_ids.h"

namespace {

bool documentChanged = false;
bool statusShown = true;
int colourIndex = 0;
constexpr int kBackgrounds[] = {0x17, 0x1F, 0x30, 0x4F};

// The screen follows the terminal's size; the status line is its last row.
COORD ScreenSize()
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(TuiOutputHandle(), &info);
    return info.dwSize;
}

void Status(const std::string &text)
{
    if (!statusShown) return;
    COORD size = ScreenSize();
    std::string line = " " + text;
    line.resize(static_cast<size_t>(size.X), ' ');
    TuiWriteText(0, size.Y - 1, line.c_str(), 0x30);
}

}  // namespace

bool DemoMenuStart() { return TuiMenu(0, 0, "DemoMenu") == 1; }

bool DemoMenuCommand(WPARAM id)
{
    switch (id) {
    case IDM_DEMO_NEW:
        documentChanged = true;
        Status("File > New: a new document (Save is available now).");
        return true;
    case IDM_DEMO_SAVE:
        documentChanged = false;
        Status("File > Save: saved.");
        return true;
    case IDM_DEMO_EXIT:
        if (TuiMessageBox("Quit the demo?", "Exit", MB_YESNO) == IDYES)
            PostQuitMessage(0);
        else
            Status("File > Exit: staying.");
        return true;
    case IDM_DEMO_STATUS:
        statusShown = !statusShown;
        if (statusShown)
            Status("View > Status line: shown.");
        else
            TuiClearScreen(0, ScreenSize().Y - 1, ScreenSize().X - 1, ScreenSize().Y - 1, kBackgrounds[colourIndex]);
        return true;
    case IDM_DEMO_COLOURS:
        colourIndex = (colourIndex + 1) % 4;
        TuiDrawPanel(0, 1, ScreenSize().X - 1, ScreenSize().Y - 2, kBackgrounds[colourIndex]);
        Status("View > Colours: background changed.");
        return true;
    case IDM_DEMO_KEYS:
        Status("Alt or F10 opens the menu; arrows, Enter, Escape, letters; or click a title.");
        return true;
    case IDM_DEMO_ABOUT:
        DemoAbout();
        Status("Help > About");
        return true;
    case IDM_DEMO_BOXES:
        DemoMessageBoxes(DemoPanelLine);
        return true;
    case IDM_DEMO_SIGNIN:
        if (std::string line = DemoSignIn(); !line.empty()) DemoPanelLine("Signed in: " + line);
        else Status("File > Sign in: cancelled.");
        return true;
    case IDM_DEMO_MAILBOX:
    case IDM_DEMO_COMPOSE:
        if (std::string line = id == IDM_DEMO_MAILBOX ? DemoMailbox() : DemoCompose(); !line.empty()) DemoPanelLine(line);
        else Status("Mail: nothing done.");
        return true;
    default:
        return false;
    }
}

bool DemoMenuMessage(UINT message, WPARAM wParam)
{
    if (message == WM_INITMENUPOPUP) {
        TuiEnableMenuItem(IDM_DEMO_SAVE, documentChanged ? 1 : 0);
        return true;
    }
    if (message == WM_COMMAND) return DemoMenuCommand(wParam);
    return false;
}
