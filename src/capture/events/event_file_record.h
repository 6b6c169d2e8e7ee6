#pragma once
// One event file in memory: fourteen text fields, numbers kept as the text that stands in the file.
// Every field has a fixed capacity (characters, terminator included, as in the file format); a
// value never holds more than capacity - 1 characters.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace zuna {

struct EventFileRecord {
  std::wstring eventYear;
  std::wstring eventMonth;
  std::wstring eventDay;
  std::wstring eventHour;
  std::wstring eventMinute;
  std::wstring eventSecond;
  std::wstring durationHour;
  std::wstring durationMinute;
  std::wstring durationSecond;
  std::wstring hibernate;  // "true" or "false"
  std::wstring shutdown;   // "true" or "false"
  std::wstring comment;
  std::wstring asteroidName;
  std::wstring starName;
};

// How a reader takes a field's value from the file.
enum class EventFieldKind { kYear, kTwoDigits, kFlag, kText };

struct EventFieldInfo {
  std::wstring_view tag;     // tag of the version 2.4 form
  std::wstring_view xmlTag;  // element name of the older XML form
  std::size_t capacity;      // characters including the terminator
  EventFieldKind kind;
  std::wstring EventFileRecord::*member;
};

inline constexpr std::size_t kEventFieldCount = 14;

// The fields in file order.
extern const std::array<EventFieldInfo, kEventFieldCount> kEventFields;

// Stores `value` cut at the field's capacity.
void SetEventField(EventFileRecord& record, const EventFieldInfo& field, std::wstring_view value);

// The most characters a field may hold.
constexpr std::size_t MaxFieldLength(const EventFieldInfo& field) {
  return field.capacity - 1;
}

}  // namespace zuna
