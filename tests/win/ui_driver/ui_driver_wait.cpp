#include "ui_driver_wait.h"

#include <windows.h>

namespace ui_driver {

bool PollUntil(double seconds, const std::function<bool()>& probe) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  while (true) {
    if (probe()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    const ULONGLONG left = deadline - now;
    Sleep(static_cast<DWORD>(left < kPollMilliseconds ? left : kPollMilliseconds));
  }
}

}  // namespace ui_driver
