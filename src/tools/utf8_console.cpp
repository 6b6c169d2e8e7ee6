#include "tools/utf8_console.h"

namespace zuna {

// Terminals outside Windows take UTF-8 as it is.
Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

}  // namespace zuna
