#include "capture/events/event_folder.h"

#include <algorithm>
#include <cwctype>

namespace zuna {
namespace {

wchar_t Upper(wchar_t c) {
  return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
}

bool HasEventExtension(const std::wstring& name) {
  static constexpr std::wstring_view kExtension = L".IEF";
  if (name.size() <= kExtension.size()) return false;
  const std::size_t at = name.size() - kExtension.size();
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    if (Upper(name[at + i]) != kExtension[i]) return false;
  }
  return true;
}

bool NameBefore(const EventFileEntry& a, const EventFileEntry& b) {
  return std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                      [](wchar_t x, wchar_t y) { return Upper(x) < Upper(y); });
}

}  // namespace

std::vector<EventFileEntry> ListEventFiles(const std::filesystem::path& folder) {
  std::vector<EventFileEntry> files;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::wstring name;
    try {
      name = it->path().filename().wstring();
    } catch (...) {
      continue;  // no wide form on this file system
    }
    if (HasEventExtension(name)) files.push_back({it->path(), std::move(name)});
  }
  std::sort(files.begin(), files.end(), NameBefore);
  return files;
}

}  // namespace zuna
