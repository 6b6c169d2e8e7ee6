#pragma once
// A recording's file written straight through the system's file calls, so that a checkpoint can be
// made to reach the disk (FlushFileBuffers) and a power cut keeps it.
#include <filesystem>
#include <memory>

#include "video/avi_writer/riff_output.h"

namespace zuna::dshow {

// A new file (an existing one is replaced) that others may read while it is written. Null when it
// cannot be created.
std::unique_ptr<RiffOutput> CreateWin32RiffFile(const std::filesystem::path& path);

}  // namespace zuna::dshow
