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
  // Hands everything written so far to the operating system: a crash of the program loses none of it.
  virtual bool Flush() = 0;
  // Makes everything written so far reach the disk, so that a power cut loses none of it and writes
  // before it never land after writes that follow it. An output that cannot do more flushes.
  virtual bool Sync() { return Flush(); }
  virtual bool Close() = 0;
};

// A new file (an existing one is replaced). Null when it cannot be created.
std::unique_ptr<RiffOutput> CreateRiffFile(const std::filesystem::path& path);

}  // namespace zuna
