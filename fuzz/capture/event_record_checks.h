#pragma once
// What must hold for any event record a reader produced, whatever the bytes were; shared by the
// event file fuzz targets.
#include <cstdlib>

#include "capture/events/event_file.h"
#include "capture/events/scheduled_event.h"

namespace zuna::fuzz {

inline void CheckEventRecord(const EventFileRecord& record) {
  for (const auto& field : kEventFields) {
    if ((record.*field.member).size() > MaxFieldLength(field)) std::abort();
  }
  if (ComposeEventFileText(record).size() > kEventFileWriteLimit) std::abort();
  const ScheduledEvent event = ToScheduledEvent(record, 0);
  if (event.valid && !(event.startTime <= event.eventInstant && event.eventInstant <= event.endTime)) std::abort();
}

}  // namespace zuna::fuzz
