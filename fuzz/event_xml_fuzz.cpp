// Feeds arbitrary bytes to the reader of XML-form event files as it would see a file's first bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "capture/event_file.h"
#include "capture/scheduled_event.h"
#include "capture/xml_event_reader.h"

namespace {

// What must hold for any record a reader produced, whatever the bytes were.
void CheckRecord(const zuna::EventFileRecord& record) {
  for (const auto& field : zuna::kEventFields) {
    if ((record.*field.member).size() > zuna::MaxFieldLength(field)) std::abort();
  }
  if (zuna::ComposeEventFileText(record).size() > zuna::kEventFileWriteLimit) std::abort();
  const zuna::ScheduledEvent event = zuna::ToScheduledEvent(record, 0);
  if (event.valid && !(event.startTime <= event.eventInstant && event.eventInstant <= event.endTime)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), std::min(size, zuna::kEventFileReadLimit));
  zuna::EventFileRecord record;
  zuna::ParseXmlEventText(bytes, record);
  CheckRecord(record);
  return 0;
}
