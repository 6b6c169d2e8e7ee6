#pragma once
#include "common/text/ansi_code_page.h"
#include "common/time/clock.h"

namespace zuna {

// The computer's clock and time zone.
class WinClock final : public Clock {
 public:
  CalendarTime UtcNow() const override;
  CalendarTime LocalNow() const override;
  TimeZoneRecord TimeZone() const override;
};

// The system's ANSI code page.
class WinAnsiCodePage final : public AnsiCodePage {
 public:
  std::string ToAnsi(std::wstring_view text) const override;
  std::wstring FromAnsi(std::string_view bytes) const override;
};

}  // namespace zuna
