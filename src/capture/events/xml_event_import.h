#pragma once
// Import of event files of the older XML form into the events folder.
#include <filesystem>
#include <string_view>

namespace zuna {

// Posted by the import dialog's "OK" (with time stamp) before it runs the import.
inline constexpr std::wstring_view kImportingXmlEventsMessage = L"Importing xml based events from selected folder";

// Converts every XML-form "*.ief" file of `importFolder` into a version 2.4 file in `eventsFolder`
// named "yyyy_mm_dd_hh_mm_ss_" + nameSuffix() + ".ief", unless a file for the same time exists there
// in either date order. Posts the count. Returns the number imported; -1 when the folder holds no
// event files. The schedule is not rebuilt.
int ImportXmlEvents(const std::filesystem::path& importFolder, const std::filesystem::path& eventsFolder);

}  // namespace zuna
