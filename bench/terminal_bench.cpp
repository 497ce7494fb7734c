// The terminal backend's costs: bytes a frame writes for typical changes,
// the demo's start-up bytes against the bound for its first screen,
// keystroke-to-output latency through a pseudo-terminal, and what an idle
// program costs (CPU and thread wake-ups) over five seconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "frame_bound.h"
#include "platform/console/screen_buffer.h"
#include "platform/terminal/renderer.h"
#include "tests/terminal/pty_write.h"
#include "tests/terminal/test_terminal.h"

namespace {

using tuikit::platform::Cell;
using tuikit::platform::Renderer;
using tuikit::platform::ScreenBuffer;
using Clock = std::chrono::steady_clock;

// ---- Bytes per change -------------------------------------------------------

void DrawTypicalScreen(ScreenBuffer &s)
{
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 80; ++x) s.SetCell(x, y, Cell{static_cast<uint8_t>(y == 0 ? ' ' : 'a' + (x * 7 + y) % 26), 0x17});
    for (int x = 0; x < 80; ++x) s.SetCell(x, 0, Cell{' ', 0x70});
}

// A change of the given kind; variant alternates the content so that every
// frame has something to write.
int Change(ScreenBuffer &s, int kind, int variant)
{
    auto ch = static_cast<uint8_t>('A' + variant % 2);
    auto attr = static_cast<uint16_t>(variant % 2 ? 0x1F : 0x17);
    switch (kind) {
    case 0:  // one cell: a typed character
        s.SetCell(40, 12, Cell{ch, attr});
        return 1;
    case 1:  // one row: a status line
        for (int x = 0; x < 80; ++x) s.SetCell(x, 24, Cell{static_cast<uint8_t>(x % 3 ? ch : ' '), attr});
        return 80;
    case 2: {  // a popup: 30 x 10 cells, framed, with text
        for (int y = 3; y < 13; ++y)
            for (int x = 10; x < 40; ++x) {
                bool edge = y == 3 || y == 12 || x == 10 || x == 39;
                s.SetCell(x, y, Cell{static_cast<uint8_t>(edge ? 0xC4 : (x % 5 ? ch : ' ')), static_cast<uint16_t>(attr ^ 0x40)});
            }
        return 300;
    }
    default:  // the whole screen
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 80; ++x) s.SetCell(x, y, Cell{static_cast<uint8_t>((x + y + variant) % 2 ? ch : 0xB0), attr});
        return 2000;
    }
}

void BM_FrameBytes(benchmark::State &state)
{
    int kind = static_cast<int>(state.range(0));
    ScreenBuffer screen(80, 25);
    Renderer renderer;
    renderer.SetViewport(80, 25);
    screen.cursorVisible = false;
    DrawTypicalScreen(screen);
    std::string frame;
    renderer.Render(screen, frame);
    screen.ClearDamage();
    int variant = 0, cells = 0;
    size_t bytes = 0;
    for (auto _ : state) {
        cells = Change(screen, kind, ++variant);
        frame.clear();
        renderer.Render(screen, frame);
        screen.ClearDamage();
        bytes = frame.size();
        benchmark::DoNotOptimize(frame.data());
    }
    state.counters["cells"] = cells;
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_cell"] = static_cast<double>(bytes) / cells;
}
BENCHMARK(BM_FrameBytes)->ArgName("one_cell_row_popup_screen")->DenseRange(0, 3);

// ---- A program in a pseudo-terminal ------------------------------------------

class PtyProgram {
public:
    explicit PtyProgram(const char *path = TUIKIT_ECHO_APP)
    {
        winsize ws{};
        ws.ws_row = 25;
        ws.ws_col = 80;
        pid_ = forkpty(&master_, nullptr, nullptr, &ws);
        if (pid_ == 0) {
            execl(path, path, static_cast<char *>(nullptr));
            _exit(127);
        }
        startup = Read(400);  // start-up, probes answered
    }
    ~PtyProgram()
    {
        Write("\x11");
        Read(100);
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        close(master_);
    }
    void Write(const std::string &bytes) { (void)!write(master_, bytes.data(), bytes.size()); }
    // Writes any number of bytes, reading the output meanwhile.
    void WriteAll(const std::string &bytes)
    {
        tuikit::test::WriteAllDraining(master_, bytes, [this] { Read(0); });
    }

    // Reads until nothing came for quietMs; answers device attribute and
    // cursor position requests as a terminal would. Returns the bytes read.
    size_t Read(int quietMs)
    {
        size_t total = 0;
        char buf[8192];
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, quietMs) <= 0) return total;
            ssize_t n = read(master_, buf, sizeof buf);
            if (n <= 0) return total;
            total += static_cast<size_t>(n);
            std::string chunk(buf, static_cast<size_t>(n));
            output += chunk;
            if (chunk.find("\x1b[c") != std::string::npos) Write("\x1b[?62;22c");
            if (chunk.find("\x1b[6n") != std::string::npos) Write("\x1b[1;1R");
        }
    }
    // Waits for the first byte of output; true when it came in time.
    bool FirstByte(int timeoutMs)
    {
        pollfd p{master_, POLLIN, 0};
        return poll(&p, 1, timeoutMs) > 0;
    }
    pid_t Pid() const { return pid_; }

    std::string output;  // every byte read
    size_t startup = 0;  // bytes written until start-up settled

private:
    int master_ = -1;
    pid_t pid_ = -1;
};

// What an emulator shows, as the bound sees it.
tuikit::bench::Screen Shown(const tuikit::test::TestTerminal &term, int width, int height)
{
    static constexpr int kConsole[8] = {0, 4, 2, 6, 1, 5, 3, 7};  // palette index to console colour bits
    tuikit::bench::Screen s = tuikit::bench::Screen::Blank(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            VTermScreenCell c = term.Cell(x, y);
            auto &cell = s.cells[size_t(y) * width + x];
            cell.glyph = term.Glyph(x, y);
            if (VTERM_COLOR_IS_DEFAULT_FG(&c.fg) || VTERM_COLOR_IS_DEFAULT_BG(&c.bg) || !VTERM_COLOR_IS_INDEXED(&c.fg) ||
                !VTERM_COLOR_IS_INDEXED(&c.bg))
                continue;
            auto nibble = [](int i) { return kConsole[i & 7] | (i & 8); };
            cell.attr = nibble(c.fg.indexed.idx) | nibble(c.bg.indexed.idx) << 4;
        }
    s.cursorX = term.Cursor().col;
    s.cursorY = term.Cursor().row;
    s.cursorHidden = !term.cursorVisible;
    return s;
}

// The demo starting in an 80x25 terminal: every byte until it settles
// (set-up, probes, first frame) and the writes it took, against the bound
// for drawing its first screen on an empty terminal.
void BM_DemoStartup(benchmark::State &state)
{
    for (auto _ : state) {
        PtyProgram demo(TUIKIT_DEMO_APP);
        tuikit::test::TestTerminal term(25, 80);
        term.Feed(demo.output);
        tuikit::bench::Screen shown = Shown(term, 80, 25);
        tuikit::bench::Screen blank = tuikit::bench::Screen::Blank(80, 25);
        int bound = tuikit::bench::LowerBound(blank, shown, -1, false);
        int erase = tuikit::bench::LowerBound(blank, shown, -1, true);
        state.counters["startup_bytes"] = static_cast<double>(demo.startup);
        state.counters["bound"] = bound;
        state.counters["bound_erase"] = erase;
        state.counters["x_bound_erase"] = static_cast<double>(demo.startup) / erase;
    }
}
BENCHMARK(BM_DemoStartup)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_KeystrokeToOutput(benchmark::State &state)
{
    PtyProgram program;
    std::vector<double> samples;
    char key = 'a';
    for (auto _ : state) {
        auto start = Clock::now();
        program.Write(std::string(1, key));
        bool answered = program.FirstByte(1000);
        auto took = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(took);
        if (answered) samples.push_back(took * 1e6);
        program.Read(5);  // the rest of the frame
        key = key == 'z' ? 'a' : static_cast<char>(key + 1);
    }
    std::sort(samples.begin(), samples.end());
    if (!samples.empty()) {
        state.counters["p50_us"] = samples[samples.size() / 2];
        state.counters["p90_us"] = samples[std::min(samples.size() - 1, samples.size() * 9 / 10)];
    }
    state.counters["answered"] = static_cast<double>(samples.size());
}
BENCHMARK(BM_KeystrokeToOutput)->Iterations(300)->UseManualTime()->Unit(benchmark::kMicrosecond);

// CPU (ns) and context switches (wake-ups) of every thread of a process.
struct Usage {
    double cpuNs = 0;
    long switches = 0;
};

Usage UsageOf(pid_t pid)
{
    Usage u;
    std::string dir = "/proc/" + std::to_string(pid) + "/task";
    DIR *d = opendir(dir.c_str());
    if (!d) return u;
    while (dirent *e = readdir(d)) {
        if (e->d_name[0] == '.') continue;
        std::ifstream sched(dir + "/" + e->d_name + "/schedstat");
        double ns = 0;
        sched >> ns;
        u.cpuNs += ns;
        std::ifstream status(dir + "/" + e->d_name + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.find("ctxt_switches:") != std::string::npos) u.switches += std::stol(line.substr(line.find(':') + 1));
    }
    closedir(d);
    return u;
}

// An idle program over five seconds: after `before`, the CPU it used, how
// often any of its threads woke and the bytes it wrote.
template <class Before> void MeasureIdle(benchmark::State &state, Before before)
{
    for (auto _ : state) {
        PtyProgram program;
        Usage a{};
        before(program, a);
        size_t bytes = program.Read(5000);
        Usage b = UsageOf(program.Pid());
        state.counters["cpu_us"] = (b.cpuNs - a.cpuNs) / 1000;
        state.counters["wakeups"] = static_cast<double>(b.switches - a.switches);
        state.counters["bytes"] = static_cast<double>(bytes);
    }
}

void BM_Idle5s(benchmark::State &state)
{
    MeasureIdle(state, [](PtyProgram &program, Usage &start) {
        program.Read(200);
        start = UsageOf(program.Pid());
    });
}
BENCHMARK(BM_Idle5s)->Iterations(1)->Unit(benchmark::kSecond);

// Measured from the Escape on: the escape timeout and the frame it causes
// are all the wake-ups there should be.
void BM_Idle5sAfterEscape(benchmark::State &state)
{
    MeasureIdle(state, [](PtyProgram &program, Usage &start) {
        start = UsageOf(program.Pid());
        program.Write("\x1b");
    });
}
BENCHMARK(BM_Idle5sAfterEscape)->Iterations(1)->Unit(benchmark::kSecond);

// A field of /proc/PID/status in kB (VmRSS, VmHWM); 0 when not there.
long StatusKb(pid_t pid, const std::string &field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return 0;
}

// 16 MB pasted into the echo program: how far its memory rises above idle
// while it types the paste (what it has not read waits in the terminal), how
// long that takes, and whether every character arrived.
void BM_Paste16MB(benchmark::State &state)
{
    for (auto _ : state) {
        PtyProgram program;
        program.Read(200);
        long idleKb = StatusKb(program.Pid(), "VmRSS");
        std::string text(16 << 20, ' ');
        for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
        auto start = Clock::now();
        program.WriteAll("\x1b[200~" + text + "\x1b[201~");
        program.Read(1000);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count() - 1.0;
        long peakKb = StatusKb(program.Pid(), "VmHWM");
        tuikit::test::TestTerminal term(25, 80);
        term.Feed(program.output);
        std::string status = term.RowText(23).substr(2);  // "typed N: c"
        double typed = status.rfind("typed ", 0) == 0 ? std::stod(status.substr(6)) : 0;
        state.counters["idle_rss_mb"] = idleKb / 1024.0;
        state.counters["peak_above_idle_mb"] = (peakKb - idleKb) / 1024.0;
        state.counters["typed"] = typed;
        state.counters["lost"] = static_cast<double>(text.size()) - typed;
        state.counters["seconds"] = seconds;
    }
}
BENCHMARK(BM_Paste16MB)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
