#include "capture/recording/win/win_disk_space.h"

#include <windows.h>

namespace zuna {

std::optional<DiskFacts> WinDiskSpace::Query(const std::wstring& folder) const {
  ULARGE_INTEGER freeToCaller{};
  if (!GetDiskFreeSpaceExW(folder.c_str(), &freeToCaller, nullptr, nullptr)) return {};
  DiskFacts facts;
  facts.freeBytes = freeToCaller.QuadPart;
  // The file system is the volume's: its root is found from the folder (a mounted folder included).
  wchar_t root[MAX_PATH + 1] = {};
  wchar_t fileSystem[MAX_PATH + 1] = {};
  if (GetVolumePathNameW(folder.c_str(), root, MAX_PATH) &&
      GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, fileSystem, MAX_PATH)) {
    fileSystem[MAX_PATH] = L'\0';
    facts.fileSystem = fileSystem;
  }
  return facts;
}

}  // namespace zuna
