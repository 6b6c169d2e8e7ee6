#include "common/options/common_option_keys.h"

#include <charconv>

namespace zuna {

bool RegisterCommonOptions(OptionTables& options) {
  bool registered = options.RegisterText(kPixelSaturationValueKey) != nullptr;
  registered = options.RegisterBoolean(kDateTimeAtEndKey) != nullptr && registered;
  registered = options.RegisterBoolean(kDisableMagnifyClampKey) != nullptr && registered;
  registered = options.RegisterBoolean(kUseWindowRendererKey) != nullptr && registered;
  return registered;
}

int PixelSaturationLevel(const OptionTables& options) {
  constexpr int kNoThreshold = 255;
  const std::wstring text = options.Text(kPixelSaturationValueKey);
  if (text.empty() || text.size() > 4) return kNoThreshold;
  std::string digits;
  for (wchar_t c : text) {
    if (c > 0x7F) return kNoThreshold;
    digits.push_back(static_cast<char>(c));
  }
  int level = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), level);
  if (error != std::errc() || end != digits.data() + digits.size()) return kNoThreshold;
  return level >= 0 && level <= 255 ? level : kNoThreshold;
}

}  // namespace zuna
