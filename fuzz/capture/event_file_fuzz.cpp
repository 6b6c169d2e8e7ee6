// Feeds arbitrary bytes to the version 2.4 event file reader as it would see a file's first bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "capture/events/event_file.h"
#include "event_record_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), std::min(size, zuna::kEventFileReadLimit));
  zuna::EventFileRecord record;
  zuna::ParseEventFileText(bytes, record);
  zuna::fuzz::CheckEventRecord(record);
  return 0;
}
