#pragma once
// The File menu's work as the playback program calls it; PlaybackFiles does it.
#include <string>

#include "common/foundation/status.h"

namespace zuna {

class PlaybackFileCommands {
 public:
  virtual ~PlaybackFileCommands() = default;

  virtual Status Open() = 0;
  virtual Status OpenNamed(const std::wstring& path) = 0;
  virtual void Close() = 0;
  virtual void Information() = 0;
  // The same file through a graph built again, left stopped at frame 0.
  virtual Status RebuildGraphWithSameSourceFile() = 0;
};

}  // namespace zuna
