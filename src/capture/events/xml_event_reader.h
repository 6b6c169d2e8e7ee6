#pragma once
// The older XML-looking form of event files, read only to import them.
#include <filesystem>
#include <string_view>

#include "capture/events/event_file_record.h"

namespace zuna {

// Reads the file at `path` into the record, giving one-digit numbers the blank-padded form of
// version 2.4. True only when the preamble and every element were found. A file without the
// preamble is silently no XML event file; a missing element posts its message.
bool ReadXmlEventFile(const std::filesystem::path& path, EventFileRecord& record);

// The same for bytes already read. Clears the record first.
bool ParseXmlEventText(std::string_view bytes, EventFileRecord& record);

}  // namespace zuna
