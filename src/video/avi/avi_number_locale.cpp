#include "video/avi/avi_number_locale.h"

namespace zuna {
namespace {

std::unique_ptr<NumberLocale>& InstalledLocale() {
  static std::unique_ptr<NumberLocale> locale = std::make_unique<DefaultNumberLocale>();
  return locale;
}

}  // namespace

const NumberLocale& ProcessNumberLocale() {
  return *InstalledLocale();
}

void SetProcessNumberLocale(std::unique_ptr<NumberLocale> locale) {
  InstalledLocale() = locale ? std::move(locale) : std::make_unique<DefaultNumberLocale>();
}

std::wstring FormatWithThousands(std::uint64_t value, const NumberLocale& locale) {
  const std::wstring digits = std::to_wstring(value);
  const std::wstring separator = locale.ThousandsSeparator();
  if (separator.empty()) return digits;
  std::wstring out;
  out.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(separator[0]);
    out.push_back(digits[i]);
  }
  return out;
}

}  // namespace zuna
