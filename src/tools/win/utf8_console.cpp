#include <windows.h>

#include "tools/utf8_console.h"

namespace zuna {

Utf8Console::Utf8Console() {
  const UINT current = GetConsoleOutputCP();  // 0 without a console
  if (current == 0 || current == CP_UTF8) return;
  if (SetConsoleOutputCP(CP_UTF8)) previousCodePage_ = current;
}

Utf8Console::~Utf8Console() {
  if (previousCodePage_ != 0) SetConsoleOutputCP(previousCodePage_);
}

}  // namespace zuna
