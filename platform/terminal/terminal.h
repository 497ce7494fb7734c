// Taking over a terminal and giving it back exactly as it was, on every way
// out: return from main and exit(), terminating and fatal signals, and a
// stop (given back on SIGTSTP, taken again on SIGCONT, on the thread that
// owns the terminal). Everything the signal handlers do is async-signal-
// safe: precomputed strings written with write(2), tcsetattr, poll/read to
// drain input, dup2 for standard error.
#pragma once

#include <cstddef>

#include "platform/terminal/escapes.h"

namespace tuikit::platform {

// Takes the terminal: saves its settings, captures standard error (shown
// once the terminal is given back), installs the exit and signal handlers
// and switches to raw mode. inFd is the terminal's input, or -1 when input
// is not a terminal (then only echo is switched off on outFd). Returns false
// when the settings cannot be read.
bool TakeTerminal(int inFd, int outFd);

// Switches a mode on with the next write and arranges for off to be
// written on every way out; modes are switched off in the reverse order
// they were switched on. A stop and continue writes them all again.
void PushTerminalMode(const char *on, const char *off);
void PushTerminalMode(const escapes::SessionMode &mode);

// The session's modes. Screen: the alternate screen without autowrap,
// colours and the cursor given back at the end. Mouse: buttons, drags and
// any motion in SGR coordinates. Keyboard: the extended keyboard protocol
// when the terminal answered its query, else whole key records where the
// terminal knows them (win32-input-mode), and bracketed paste.
void PushScreenModes();
void PushMouseModes();
void PushKeyboardModes(bool extendedProtocol);

// Asks for the keyboard protocol and synchronized output, with primary
// device attributes behind them: every terminal answers the last one.
void WriteProbes();

// Where to read the terminal's input: non-blocking, -1 when input is not a
// terminal.
int TerminalInputFd();

// True while an exit path drains the terminal's input: readers leave it to
// the drain, and pass the bytes they had already read to NoteDrained, which
// ends the drain when they hold its answer.
bool TerminalDraining();
void NoteDrained(const char *data, size_t size);

// Writes all bytes to the terminal (retrying short writes), after the
// modes pushed since the last write, in one write.
void WriteTerminal(const char *data, size_t size);

// The terminal's size in cells; false when it cannot be told.
bool TerminalSize(int &width, int &height);

// What one byte on the wake-up descriptor asks of the thread reading the
// terminal. The signal handlers write the first three.
enum class WakeCommand : char {
    kResized = 'w',    // the window changed size
    kStop = 's',       // a stop was asked for
    kContinued = 'c',  // continued, or a terminating signal was survived
    kInterrupt = 'i',  // another thread needs the reader to return
    kQuit = 'q',       // the process is exiting: let go of the terminal
};

// Writes one command to the wake-up descriptor; async-signal-safe. A full
// pipe already holds a wake-up, so a byte that does not fit is not needed.
void WakeTerminalReader(WakeCommand what);

// Where WakeTerminalReader writes.
void SetTerminalWakeFd(int fd);

// On the owning thread, after kStop or kContinued: gives the terminal back, stops the
// process and takes the terminal again as the stops and continues that came
// last ask, until the terminal matches the last of them. Frames written
// meanwhile by other threads wait or are dropped, never reaching the shell's
// screen. True when the terminal was taken again, so the screen must be
// drawn afresh.
bool SettleTerminal();

// Called at an orderly exit before the terminal is given back, so that the
// thread reading the terminal lets go of it first.
using TerminalExitHook = void (*)();
void SetTerminalExitHook(TerminalExitHook hook);

}  // namespace tuikit::platform
