#pragma once
#include <string>

#include "common/time/clock.h"

namespace zuna {

struct MessageFilePlace {
  std::wstring folderOption;      // the program's messages-folder option; may be empty
  std::wstring processDirectory;  // with a trailing backslash
  bool inDevelopmentTree = false;
  int programKind = 0;  // 0 capture, 1 playback
  bool dateTimeAtEnd = false;
};

// Full path of a new saved-messages file, named after the UTC second of the save
// (local time plus `utcBiasMinutes`).
std::wstring BuildMessageFilePath(const Clock& clock, int utcBiasMinutes, const MessageFilePlace& place);

}  // namespace zuna
