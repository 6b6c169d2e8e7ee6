#pragma once
// The disk a folder lies on, as the system reports it: the bytes this user may still write there
// and the volume's file system name.
#include "capture/recording/disk_space.h"

namespace zuna {

class WinDiskSpace final : public DiskSpace {
 public:
  std::optional<DiskFacts> Query(const std::wstring& folder) const override;
};

}  // namespace zuna
