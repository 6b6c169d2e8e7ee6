#pragma once
// Where an AviWriter puts its bytes. Writes are positional: frames go to the end, and the headers
// and indexes near the start are brought up to date in place.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>

#include "video/avi/riff_bytes.h"

namespace zuna {

class RiffOutput {
 public:
  virtual ~RiffOutput() = default;
  virtual bool Write(std::uint64_t offset, ByteSpan bytes) = 0;
  // Hands everything written so far to the operating system; an output for a platform that can also
  // make it durable does so, so that writes before a flush never land after writes that follow it.
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
};

// A new file (an existing one is replaced). Null when it cannot be created.
std::unique_ptr<RiffOutput> CreateRiffFile(const std::filesystem::path& path);

}  // namespace zuna
