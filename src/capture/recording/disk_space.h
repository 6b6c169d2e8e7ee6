#pragma once
// The free space and file system of the disk a folder lies on. The Win32 side asks the system;
// tests give the numbers.
#include <optional>
#include <string>

#include "capture/recording/recording_space.h"

namespace zuna {

class DiskSpace {
 public:
  virtual ~DiskSpace() = default;
  // Nothing when the system cannot tell (the folder is missing, the disk gone).
  virtual std::optional<DiskFacts> Query(const std::wstring& folder) const = 0;
};

}  // namespace zuna
