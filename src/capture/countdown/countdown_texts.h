#pragma once
// The texts of the countdown window and of the event information posted when an event becomes
// pending.
#include <string>

#include "common/time/file_time.h"

namespace zuna {

inline constexpr std::wstring_view kCountdownWindowTitle = L"Event Pending";
inline constexpr std::wstring_view kRecordingInProgressTitle = L"Recording In Progress";
inline constexpr std::wstring_view kCountdownToStartLabel = L"Countdown to recording start time:";
inline constexpr std::wstring_view kComputerTimeLabel = L"         Computer time (UTC):";
inline constexpr std::wstring_view kCountdownToEventLabel = L"Countdown to event:";
inline constexpr std::wstring_view kCountdownToEndLabel = L"Countdown to recording end time:";
inline constexpr std::wstring_view kEventPendingMainTitle = L"ZUNA Video Capture -- Event pending";

struct EventInformation {
  std::wstring startLine;  // "    Start time:\tMAR 5, 2024  11:30:00\r\n"
  std::wstring eventLine;
  std::wstring endLine;
  std::wstring summary;  // posted when the event becomes pending
};

// "JAN " .. "DEC "; empty for a month outside 1..12.
std::wstring MonthAbbreviation(int month);

// `caption` + month + "D, YYYY  hh:mm:ss\r\n".
std::wstring EventTimeLine(std::wstring_view caption, const CalendarTime& t);

// "1 hour  2 minutes  3 seconds": each part that is not zero, singular for 1.
std::wstring DurationWords(const CalendarTime& duration);

EventInformation BuildEventInformation(const CalendarTime& start, const CalendarTime& eventTime,
                                       const CalendarTime& end, const CalendarTime& duration);

// The digits for a remaining time: "hh:mm:ss" up to one day (one day exactly is "00:00:00"),
// "> 1 day ", "> N days" up to 99 days, "> 100 days" beyond.
std::wstring RemainingTimeText(FileTime remaining);

// "hh:mm:ss" of a clock time.
std::wstring ClockText(const CalendarTime& t);

}  // namespace zuna
