// Without a terminal backend every console is kept in memory.
#include "platform/console/console.h"

namespace tuikit::platform {

std::unique_ptr<ConsoleBackend> CreateTerminalBackend(Console &) { return nullptr; }

}  // namespace tuikit::platform
