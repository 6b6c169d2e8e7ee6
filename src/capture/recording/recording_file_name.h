#pragma once
// The names of recordings: folder, date text, the event's names and the user's prefix, in the
// order the "DateTimeAtEnd" option chooses.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "common/time/file_time.h"

namespace zuna {

inline constexpr std::wstring_view kDefaultVideoFolder = L"VideoFiles\\";

// "mm_dd_yyyy_hh_mm_ss" with the date at the end, else "yyyy_mm_dd_hh_mm_ss".
std::wstring RecordingDateText(const CalendarTime& time, bool dateTimeAtEnd);

struct RecordingNameParts {
  std::wstring folder;  // ends with a backslash (or the platform's separator)
  CalendarTime time;    // UTC: now for a manual recording, the event's start for an event
  bool dateTimeAtEnd = false;
  std::wstring eventPart;  // BuildNameSuffix of asteroid, star and global prefix; empty when manual
  std::wstring userPart;   // "VideoNamePrefix"
};

// The path without its extension.
std::wstring ComposeRecordingName(const RecordingNameParts& parts);

// `base` + ".avi", or, when a file of that name exists already (two recordings within one
// second), `base` + "_2.avi", "_3.avi" and so on: a recording never replaces another.
std::wstring UniqueRecordingPath(const std::wstring& base, const std::function<bool(const std::wstring&)>& exists);

// The recordings folder: "VideoDirectory" when set; otherwise "VideoFiles\" under the current
// directory, created when missing. Nothing (and the message) when it cannot be created.
std::optional<std::wstring> RecordingFolder(const std::wstring& videoDirectory,
                                            const std::filesystem::path& currentDirectory);

}  // namespace zuna
