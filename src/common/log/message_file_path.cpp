#include "common/log/message_file_path.h"

#include <cwchar>

namespace zuna {

std::wstring BuildMessageFilePath(const Clock& clock, int utcBiasMinutes, const MessageFilePlace& place) {
  CalendarTime local = clock.LocalNow();
  local.millisecond = 0;
  const CalendarTime utc = AddMinutes(local, utcBiasMinutes);

  std::wstring folder = place.folderOption;
  if (folder.empty()) {
    folder = place.processDirectory;
    if (place.inDevelopmentTree) folder += L"Release\\";
    folder += place.programKind == 0 ? L"MessageFilesVC\\" : L"MessageFilesVP\\";
  }
  wchar_t name[64];
  if (place.dateTimeAtEnd) {
    std::swprintf(name, 64, L"msg_%02d_%02d_%04d_%02d_%02d_%02d.txt", utc.month, utc.day, utc.year, utc.hour,
                  utc.minute, utc.second);
  } else {
    std::swprintf(name, 64, L"msg_%04d_%02d_%02d_%02d_%02d_%02d.txt", utc.year, utc.month, utc.day, utc.hour,
                  utc.minute, utc.second);
  }
  return folder + name;
}

}  // namespace zuna
