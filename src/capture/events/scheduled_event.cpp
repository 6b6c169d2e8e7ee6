#include "capture/events/scheduled_event.h"

#include <cwctype>

namespace zuna {
namespace {

struct ParsedTimes {
  CalendarTime eventTime{};
  CalendarTime duration{0, 0, 0, 0, 0, 0, 0, 0};
};

std::optional<ParsedTimes> ParseTimes(const EventFileRecord& r) {
  const auto year = ParseEventNumber(r.eventYear, 4);
  const auto month = ParseEventNumber(r.eventMonth, 2);
  const auto day = ParseEventNumber(r.eventDay, 2);
  const auto hour = ParseEventNumber(r.eventHour, 2);
  const auto minute = ParseEventNumber(r.eventMinute, 2);
  const auto second = ParseEventNumber(r.eventSecond, 2);
  const auto hours = ParseEventNumber(r.durationHour, 2);
  const auto minutes = ParseEventNumber(r.durationMinute, 2);
  const auto seconds = ParseEventNumber(r.durationSecond, 2);
  if (!year || !month || !day || !hour || !minute || !second || !hours || !minutes || !seconds) return std::nullopt;
  // The duration is a time of day of the scheduling dialog's picker.
  if (*hours > 23 || *minutes > 59 || *seconds > 59) return std::nullopt;
  ParsedTimes t;
  t.eventTime = {*year, *month, *day, *hour, *minute, *second, 0, 0};
  t.duration = {0, 0, 0, *hours, *minutes, *seconds, 0, 0};
  return t;
}

}  // namespace

std::optional<int> ParseEventNumber(std::wstring_view text, std::size_t width) {
  std::size_t i = 0;
  while (i < text.size() && std::iswspace(static_cast<std::wint_t>(text[i]))) ++i;
  int value = 0;
  std::size_t digits = 0;
  for (; i < text.size() && digits < width && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits) {
    value = value * 10 + (text[i] - L'0');
  }
  if (digits == 0) return std::nullopt;
  return value;
}

ScheduledEvent ToScheduledEvent(const EventFileRecord& record, FileTime now) {
  ScheduledEvent event;
  event.eventRecord = record;
  event.hibernate = record.hibernate == L"true";
  event.shutdown = record.shutdown == L"true";
  const auto times = ParseTimes(record);
  if (!times) return event;
  event.eventTime = times->eventTime;
  event.duration = times->duration;
  const auto instant = ToFileTime(event.eventTime);
  if (!instant) return event;
  const CalendarTime& d = event.duration;
  const FileTime durationTicks = static_cast<FileTime>(d.hour * 3600 + d.minute * 60 + d.second) * kTicksPerSecond;
  const FileTime half = durationTicks >> 1;  // an odd count loses its last 100 ns
  // A start before 1601 has no instant.
  if (*instant < half) return event;
  event.eventInstant = *instant;
  event.durationTicks = durationTicks;
  event.startTime = *instant - half;
  event.endTime = *instant + half;
  event.expired = now >= event.endTime;
  event.valid = true;
  return event;
}

}  // namespace zuna
