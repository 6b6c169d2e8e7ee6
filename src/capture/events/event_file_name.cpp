#include "capture/events/event_file_name.h"

#include <cwchar>

namespace zuna {
namespace {

std::wstring& SuffixText() {
  static std::wstring suffix;
  return suffix;
}

// Event file texts are untrusted: a separator or a wildcard must not reach a file name.
std::wstring FileNamePart(std::wstring_view text, std::size_t capacity) {
  std::wstring part;
  for (wchar_t c : text.substr(0, capacity)) {
    if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) continue;
    part += c;
  }
  return part;
}

}  // namespace

const std::wstring& BuildNameSuffix(std::wstring_view first, std::wstring_view second, std::wstring_view third,
                                    bool dateTimeAtEnd) {
  std::wstring& suffix = SuffixText();
  suffix.clear();
  const std::wstring parts[] = {FileNamePart(first, kMaxSuffixNameLength), FileNamePart(second, kMaxSuffixNameLength),
                                FileNamePart(third, kMaxSuffixGlobalLength)};
  bool any = false;
  for (const auto& part : parts) {
    if (part.empty()) continue;
    if (any || !dateTimeAtEnd) suffix += L'_';
    suffix += part;
    any = true;
  }
  if (any && dateTimeAtEnd) suffix += L'_';
  return suffix;
}

const std::wstring& nameSuffix() {
  return SuffixText();
}

std::wstring BuildEventFileName(const CalendarTime& t, bool dateTimeAtEnd) {
  wchar_t date[96];
  if (dateTimeAtEnd) {
    std::swprintf(date, 96, L"%02d_%02d_%04d_%02d_%02d_%02d", t.month, t.day, t.year, t.hour, t.minute, t.second);
    return SuffixText() + date + L".ief";
  }
  std::swprintf(date, 96, L"%04d_%02d_%02d_%02d_%02d_%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return date + SuffixText() + L".ief";
}

}  // namespace zuna
