#pragma once
// How a posted message reads in the log: with the time line before it, or without.
#include <string>

#include "support/memory_log.h"

namespace zuna::test {

inline bool PostedTimed(const ScopedMemoryLog& log, const std::wstring& text) {
  return log.Text().find(L" (UTC)\r\n" + text) != std::wstring::npos;
}

inline bool PostedUntimed(const ScopedMemoryLog& log, const std::wstring& text) {
  const std::wstring& all = log.Text();
  for (auto at = all.find(L"\r\n" + text); at != std::wstring::npos; at = all.find(L"\r\n" + text, at + 1)) {
    if (at < 5 || all.compare(at - 5, 5, L"(UTC)") != 0) return true;
  }
  return false;
}

inline bool Posted(const ScopedMemoryLog& log, const std::wstring& text) {
  return log.Text().find(text) != std::wstring::npos;
}

}  // namespace zuna::test
