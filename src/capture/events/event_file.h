#pragma once
// Event files of version 2.4: the writer, the reader and the pieces they share with the reader of
// the older XML form. Event files are 8-bit text in the process's code page.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "capture/events/event_file_record.h"

namespace zuna {

inline constexpr std::string_view kEventFileMarker = "<-ZUNA Event File Version 2.4->";
inline constexpr std::wstring_view kEventFileExtension = L".ief";

// Readers look at no more than this many bytes of a file.
inline constexpr std::size_t kEventFileReadLimit = 8191;
// A written file never exceeds this many bytes.
inline constexpr std::size_t kEventFileWriteLimit = 1023;

// The complete text of a version 2.4 file, each value cut at its field's capacity.
std::string ComposeEventFileText(const EventFileRecord& record);

// Writes the record at `path`, replacing a file of that name. False when the path is empty or the
// file cannot be created (no message), or when the write fails ("WriteEventFile::WriteFile error: "
// and the error number; the broken file is removed).
bool WriteEventFile(const std::filesystem::path& path, const EventFileRecord& record);

// An edited event: writes the record as `newName` in `eventsFolder`, then deletes `oldName` when it
// is another file (a failed delete posts the WARNING and still counts as written). Under the same
// name the file is written beside and renamed over the old one. False, with the old file intact,
// when the new one could not be written.
bool ReplaceEventFile(const std::filesystem::path& eventsFolder, std::wstring_view oldName, std::wstring_view newName,
                      const EventFileRecord& record);

enum class EventFileReadResult { kRead, kCannotOpen, kIncomplete };

// Reads the version 2.4 file `fileName` of `eventsFolder`. True only when every field was found.
bool ReadEventFile(const std::filesystem::path& eventsFolder, std::wstring_view fileName, EventFileRecord& record);
// The same for a full path, telling why it failed.
EventFileReadResult ReadEventFileAt(const std::filesystem::path& path, EventFileRecord& record);

// Parses what was read of a file. Clears the record first; fields found before a missing one stay.
// Posts the marker's or the missing field's message.
bool ParseEventFileText(std::string_view bytes, EventFileRecord& record);

// The first kEventFileReadLimit bytes of a file; nothing when it cannot be opened or read.
std::optional<std::string> ReadEventFileBytes(const std::filesystem::path& path);

// `folder` / `fileName`; nothing when the name has no form on this file system.
std::optional<std::filesystem::path> EventFilePath(const std::filesystem::path& folder, std::wstring_view fileName);

// "Logic error: options file missing \"TAG\" text\r\n" (the event readers share the options file's
// wording).
void PostMissingEventField(std::wstring_view tag);

// Bytes up to the first NUL, converted with the process's code page: a field ends at a NUL just as
// it does in the zero-filled buffer of the platform's reader.
std::wstring DecodeEventValue(std::string_view bytes);

}  // namespace zuna
