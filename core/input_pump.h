// The input pump: reads console input records and posts them to the main
// thread as window messages.
#pragma once

#include "tuikit/win32.h"

namespace tuikit::core {

// Translates one record into messages posted to the main thread. Keeps the
// last mouse position and buttons between calls (the pump's own state).
class InputTranslator {
public:
    void Translate(const INPUT_RECORD &record);

private:
    void Key(const KEY_EVENT_RECORD &key);
    void Mouse(const MOUSE_EVENT_RECORD &mouse);

    DWORD lastMousePos_ = 0xFFFFFFFF;  // no real position has this value
    DWORD lastMouseButtons_ = 0;
};

DWORD WINAPI InputPump(LPVOID);

}  // namespace tuikit::core
