#pragma once
// The user's thousands separator, for the file size in the file report. The platform installs the
// user's own; the default is ",".
#include <cstdint>
#include <memory>
#include <string>

namespace zuna {

class NumberLocale {
 public:
  virtual ~NumberLocale() = default;
  // The locale's thousands separator; only its first character is used, and an empty one means
  // the digits are not grouped.
  virtual std::wstring ThousandsSeparator() const = 0;
};

class DefaultNumberLocale final : public NumberLocale {
 public:
  std::wstring ThousandsSeparator() const override { return L","; }
};

const NumberLocale& ProcessNumberLocale();
void SetProcessNumberLocale(std::unique_ptr<NumberLocale> locale);

// The decimal digits of `value` with the separator before every group of three counted from the
// right, e.g. 1,234,567.
std::wstring FormatWithThousands(std::uint64_t value, const NumberLocale& locale);

}  // namespace zuna
