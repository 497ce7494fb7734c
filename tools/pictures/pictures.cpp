// Takes the README's pictures of the demo: runs the demo's own screen, menu
// bar and dialogs in memory mode, drives them with input records to a scene
// and writes the screen's cells as an SVG file.
//
//   tuikit-pictures menu|about|message-box FILE.svg
//
// A dialog and a message box each hold the main thread in their own loop,
// and while a message box is up no code of the application runs: it calls
// no procedure of the application and its loop dispatches no timers. So the
// picture is not taken on the main thread: a second thread plays the user.
// For each step of the scene it appends the step's input records, then
// waits until the console input is empty, the screen shows the text the
// step leads to, and the screen has stayed the same for 100 ms: the main
// thread has then handled the step and sleeps for more input.
// Steps wait for each other because a menu command reaches the application
// as a posted message, behind any input already posted: keys meant for the
// dialog that the command opens must come after it has opened. After the
// last step the thread reads the cells with ReadConsoleOutputA and writes
// the file.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <tuikit/tuikit.h>

#include "demo_screen.h"
#include "tools/pictures/screen_svg.h"

namespace {

using Records = std::vector<INPUT_RECORD>;
Records operator+(Records a, const Records &b) { return a.insert(a.end(), b.begin(), b.end()), a; }

INPUT_RECORD Key(bool down, WORD vk, char ch, DWORD state)
{
    INPUT_RECORD r{};
    r.EventType = KEY_EVENT;
    r.Event.KeyEvent.bKeyDown = down;
    r.Event.KeyEvent.wRepeatCount = 1;
    r.Event.KeyEvent.wVirtualKeyCode = vk;
    r.Event.KeyEvent.uChar.AsciiChar = ch;
    r.Event.KeyEvent.dwControlKeyState = state;
    return r;
}

// A character key pressed, released, or both: "4", "c".
Records CharKey(bool down, char c)
{
    const auto vk = static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return {Key(down, vk, c, 0)};
}
Records Type(char c) { return CharKey(true, c) + CharKey(false, c); }

// Alt held over a letter, as a terminal with key releases reports it: a menu title.
Records Alt(char letter)
{
    return {Key(true, VK_MENU, 0, LEFT_ALT_PRESSED), Key(true, static_cast<WORD>(letter), 0, LEFT_ALT_PRESSED),
            Key(false, static_cast<WORD>(letter), 0, LEFT_ALT_PRESSED), Key(false, VK_MENU, 0, 0)};
}

struct Step {
    Records input;
    const char *shows;  // on the screen once the step is done
};

struct Scene {
    const char *name;
    std::vector<Step> steps;
};

// A key that chooses a menu item is released in a step of its own: the
// command comes back as a posted message, and the release must not race it
// to the messages panel.
const std::vector<Scene> &Scenes()
{
    static const std::vector<Scene> scenes = {
        {"menu", {{Alt('F'), "Sign in..."}}},
        {"about",
         {{Alt('H'), "Message boxes..."},
          {CharKey(true, 'a'), "all read from .rc"},
          {CharKey(false, 'a'), "all read from .rc"}}},
        {"message-box",
         {{Alt('H'), "Message boxes..."},
          {CharKey(true, 'm'), "Default button:"},
          {CharKey(false, 'm') + Type('4') + Type('c') + Type('s'), "MB_YESNOCANCEL | MB_DEFBUTTON2"}}},
    };
    return scenes;
}

struct Cells {
    std::vector<CHAR_INFO> cells;
    int width = 0;
    int height = 0;
    // The characters, rows ending in line feeds, for finding a text.
    std::string Text() const
    {
        std::string text;
        for (size_t i = 0; i < cells.size(); ++i) {
            text += cells[i].Char.AsciiChar;
            if ((i + 1) % static_cast<size_t>(width) == 0) text += '\n';
        }
        return text;
    }
    bool operator==(const Cells &other) const
    {
        if (width != other.width || height != other.height) return false;
        for (size_t i = 0; i < cells.size(); ++i)
            if (cells[i].Char.AsciiChar != other.cells[i].Char.AsciiChar ||
                cells[i].Attributes != other.cells[i].Attributes)
                return false;
        return true;
    }
};

Cells ReadScreen()
{
    Cells s;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(TuiOutputHandle(), &info);
    s.width = info.dwSize.X;
    s.height = info.dwSize.Y;
    s.cells.resize(static_cast<size_t>(s.width * s.height));
    SMALL_RECT region{0, 0, static_cast<SHORT>(s.width - 1), static_cast<SHORT>(s.height - 1)};
    ReadConsoleOutputA(TuiOutputHandle(), s.cells.data(), info.dwSize, COORD{0, 0}, &region);
    return s;
}

DWORD PendingInput()
{
    DWORD n = 0;
    GetNumberOfConsoleInputEvents(GetStdHandle(STD_INPUT_HANDLE), &n);
    return n;
}

// Waits until the step is done (see the top of the file); false after 10 s.
bool WaitForStep(const Step &step)
{
    using namespace std::chrono_literals;
    constexpr int kQuietPolls = 5;  // 5 x 20 ms unchanged
    Cells last;
    int quiet = 0;
    for (auto deadline = std::chrono::steady_clock::now() + 10s; std::chrono::steady_clock::now() < deadline;) {
        std::this_thread::sleep_for(20ms);
        Cells now = ReadScreen();
        const bool done = PendingInput() == 0 && now.Text().find(step.shows) != std::string::npos;
        quiet = done && now == last ? quiet + 1 : 0;
        if (quiet == kQuietPolls) return true;
        last = std::move(now);
    }
    return false;
}

// The user's thread: the steps, then the picture. The scene's popup or
// dialogs are still running on the main thread, and memory mode has no
// terminal to give back, so the program ends here.
void PlayScene(const Scene &scene, const char *path)
{
    for (const Step &step : scene.steps) {
        DWORD written = 0;
        WriteConsoleInputA(GetStdHandle(STD_INPUT_HANDLE), step.input.data(), static_cast<DWORD>(step.input.size()),
                           &written);
        if (!WaitForStep(step)) {
            std::fprintf(stderr, "tuikit-pictures: %s: the screen never showed \"%s\"\n", scene.name, step.shows);
            std::_Exit(1);
        }
    }
    const Cells screen = ReadScreen();
    const std::string svg = tuikit::pictures::ScreenToSvg(screen.cells.data(), screen.width, screen.height);
    FILE *out = std::fopen(path, "wb");
    const bool written = out && std::fwrite(svg.data(), 1, svg.size(), out) == svg.size();
    if (out && std::fclose(out) != 0) std::_Exit(1);
    if (!written) std::perror(path);
    std::_Exit(written ? 0 : 1);
}

}  // namespace

int main(int argc, char **argv)
{
    const Scene *scene = nullptr;
    for (const Scene &s : Scenes())
        if (argc == 3 && std::string_view(argv[1]) == s.name) scene = &s;
    if (!scene) {
        std::fprintf(stderr, "usage: tuikit-pictures menu|about|message-box FILE.svg\n");
        return 2;
    }
    // The console lives in memory only when neither standard stream is a
    // terminal: then it is 80 x 25 and takes only the records written to it.
    const int null = open("/dev/null", O_RDWR);
    if (null < 0 || dup2(null, STDIN_FILENO) < 0 || dup2(null, STDOUT_FILENO) < 0) {
        std::perror("tuikit-pictures: /dev/null");
        return 1;
    }
    TuiInit();
    TuiSetProc(DemoAppProc);
    DemoDrawScreen(kDemoHelp);
    std::thread(PlayScene, std::cref(*scene), argv[2]).detach();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) TuiDispatchMessage(&msg);
    return 1;  // only the scene's thread ends the program
}
