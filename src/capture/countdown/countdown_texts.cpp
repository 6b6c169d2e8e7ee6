#include "capture/countdown/countdown_texts.h"

#include <array>
#include <cwchar>

namespace zuna {

std::wstring MonthAbbreviation(int month) {
  static constexpr std::array<std::wstring_view, 12> kMonths{L"JAN ", L"FEB ", L"MAR ", L"APR ", L"MAY ", L"JUN ",
                                                             L"JUL ", L"AUG ", L"SEP ", L"OCT ", L"NOV ", L"DEC "};
  if (month < 1 || month > 12) return {};
  return std::wstring(kMonths[static_cast<std::size_t>(month - 1)]);
}

std::wstring EventTimeLine(std::wstring_view caption, const CalendarTime& t) {
  wchar_t text[96];
  std::swprintf(text, 96, L"%d, %d  %02d:%02d:%02d\r\n", t.day, t.year, t.hour, t.minute, t.second);
  return std::wstring(caption) + MonthAbbreviation(t.month) + text;
}

std::wstring DurationWords(const CalendarTime& d) {
  std::wstring words;
  const auto add = [&words](int n, const wchar_t* one, const wchar_t* many) {
    if (n == 0) return;
    words += std::to_wstring(n) + L" " + (n == 1 ? one : many);
  };
  add(d.hour, L"hour  ", L"hours  ");
  add(d.minute, L"minute  ", L"minutes  ");
  add(d.second, L"second", L"seconds");
  return words;
}

EventInformation BuildEventInformation(const CalendarTime& start, const CalendarTime& eventTime,
                                       const CalendarTime& end, const CalendarTime& duration) {
  EventInformation info;
  info.startLine = EventTimeLine(L"    Start time:\t", start);
  info.eventLine = EventTimeLine(L"    Event time:\t", eventTime);
  info.endLine = EventTimeLine(L"    End time:\t", end);
  info.summary = L"Current Event Information (UTC):\n" + info.startLine + info.eventLine + info.endLine +
                 L"    Recording duration: " + DurationWords(duration) + L"\r\n";
  return info;
}

std::wstring RemainingTimeText(FileTime remaining) {
  if (remaining <= kTicksPerDay) {
    const FileTime seconds = remaining / kTicksPerSecond;
    CalendarTime t{};
    t.hour = static_cast<int>(seconds / 3600 % 24);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return ClockText(t);
  }
  const FileTime days = remaining / kTicksPerDay;
  if (days >= 100) return L"> 100 days";
  if (days == 1) return L"> 1 day ";
  return L"> " + std::to_wstring(days) + L" days";
}

std::wstring ClockText(const CalendarTime& t) {
  wchar_t text[48];
  std::swprintf(text, 48, L"%02d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

}  // namespace zuna
