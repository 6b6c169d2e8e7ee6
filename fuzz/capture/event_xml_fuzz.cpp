// Feeds arbitrary bytes to the reader of XML-form event files as it would see a file's first bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "capture/events/event_file.h"
#include "capture/events/xml_event_reader.h"
#include "event_record_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), std::min(size, zuna::kEventFileReadLimit));
  zuna::EventFileRecord record;
  zuna::ParseXmlEventText(bytes, record);
  zuna::fuzz::CheckEventRecord(record);
  return 0;
}
