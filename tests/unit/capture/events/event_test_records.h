#pragma once
// Records and texts shared by the event tests.
#include <string>

#include "capture/events/event_file_record.h"

namespace zuna::test {

// An event as the scheduling dialog fills it: blank-padded two-character numbers.
inline EventFileRecord DialogRecord(const std::wstring& year, const std::wstring& month, const std::wstring& day,
                                    const std::wstring& hour, const std::wstring& minute, const std::wstring& second,
                                    const std::wstring& hours, const std::wstring& minutes,
                                    const std::wstring& seconds) {
  EventFileRecord r;
  r.eventYear = year;
  r.eventMonth = month;
  r.eventDay = day;
  r.eventHour = hour;
  r.eventMinute = minute;
  r.eventSecond = second;
  r.durationHour = hours;
  r.durationMinute = minutes;
  r.durationSecond = seconds;
  r.hibernate = L"false";
  r.shutdown = L"false";
  return r;
}

}  // namespace zuna::test
