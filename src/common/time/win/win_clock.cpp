#include "common/time/win/win_clock.h"

#include <windows.h>

namespace zuna {
namespace {

CalendarTime FromSystemTime(const SYSTEMTIME& st) {
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds, st.wDayOfWeek};
}

}  // namespace

CalendarTime WinClock::UtcNow() const {
  SYSTEMTIME st;
  GetSystemTime(&st);
  return FromSystemTime(st);
}

CalendarTime WinClock::LocalNow() const {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return FromSystemTime(st);
}

TimeZoneRecord WinClock::TimeZone() const {
  DYNAMIC_TIME_ZONE_INFORMATION info{};
  const DWORD id = GetDynamicTimeZoneInformation(&info);
  TimeZoneRecord zone;
  switch (id) {
    case TIME_ZONE_ID_UNKNOWN:
      zone.state = TimeZoneState::kUnknown;
      break;
    case TIME_ZONE_ID_STANDARD:
      zone.state = TimeZoneState::kStandard;
      break;
    case TIME_ZONE_ID_DAYLIGHT:
      zone.state = TimeZoneState::kDaylight;
      break;
    default:
      zone.state = TimeZoneState::kFailed;
      return zone;
  }
  zone.bias = info.Bias;
  zone.standardBias = info.StandardBias;
  zone.daylightBias = info.DaylightBias;
  zone.standardName = info.StandardName;
  zone.daylightName = info.DaylightName;
  return zone;
}

std::string WinAnsiCodePage::ToAnsi(std::wstring_view text) const {
  if (text.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
  }
  return out;
}

std::wstring WinAnsiCodePage::FromAnsi(std::string_view bytes) const {
  if (bytes.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), length);
  return out;
}

}  // namespace zuna
