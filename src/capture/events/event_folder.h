#pragma once
// The "*.ief" files of a folder.
#include <filesystem>
#include <string>
#include <vector>

namespace zuna {

struct EventFileEntry {
  std::filesystem::path path;
  std::wstring name;  // the bare file name
};

// Regular files whose extension is ".ief" in any case, ordered by name without regard to case (the
// order NTFS lists them in, so the outcome does not depend on the file system). Empty when the
// folder cannot be read; a name without a wide form is left out.
std::vector<EventFileEntry> ListEventFiles(const std::filesystem::path& folder);

}  // namespace zuna
