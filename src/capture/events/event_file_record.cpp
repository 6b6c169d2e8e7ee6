#include "capture/events/event_file_record.h"

namespace zuna {

const std::array<EventFieldInfo, kEventFieldCount> kEventFields{{
    {L"EventYear", L"EventYear", 10, EventFieldKind::kYear, &EventFileRecord::eventYear},
    {L"EventMonth", L"EventMonth", 10, EventFieldKind::kTwoDigits, &EventFileRecord::eventMonth},
    {L"EventDay", L"EventDay", 10, EventFieldKind::kTwoDigits, &EventFileRecord::eventDay},
    {L"EventHour", L"EventHour", 10, EventFieldKind::kTwoDigits, &EventFileRecord::eventHour},
    {L"EventMinute", L"EventMinute", 10, EventFieldKind::kTwoDigits, &EventFileRecord::eventMinute},
    {L"EventSecond", L"EventSecond", 10, EventFieldKind::kTwoDigits, &EventFileRecord::eventSecond},
    {L"DurationHour", L"DurationHours", 10, EventFieldKind::kTwoDigits, &EventFileRecord::durationHour},
    {L"DurationMinute", L"DurationMinutes", 10, EventFieldKind::kTwoDigits, &EventFileRecord::durationMinute},
    {L"DurationSecond", L"DurationSeconds", 10, EventFieldKind::kTwoDigits, &EventFileRecord::durationSecond},
    {L"Hibernate", L"Hibernate", 10, EventFieldKind::kFlag, &EventFileRecord::hibernate},
    {L"Shutdown", L"Shutdown", 10, EventFieldKind::kFlag, &EventFileRecord::shutdown},
    {L"Comment", L"Comment", 37, EventFieldKind::kText, &EventFileRecord::comment},
    {L"AsteroidName", L"AsteroidName", 22, EventFieldKind::kText, &EventFileRecord::asteroidName},
    {L"StarName", L"StarName", 22, EventFieldKind::kText, &EventFileRecord::starName},
}};

void SetEventField(EventFileRecord& record, const EventFieldInfo& field, std::wstring_view value) {
  record.*field.member = std::wstring(value.substr(0, MaxFieldLength(field)));
}

}  // namespace zuna
