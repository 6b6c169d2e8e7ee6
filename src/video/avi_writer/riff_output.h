#pragma once
// Where an AviWriter puts its bytes. Writes are positional: frames go to the end, and the headers
// and indexes near the start are brought up to date in place.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

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
  // After a failed call: whether the disk had no room left.
  virtual bool DiskFull() const { return false; }
  // The file's name for messages; empty when it has none.
  virtual std::filesystem::path Path() const { return {}; }
};

// A failed write told to the user: "SEVERE: cannot write to the AVI file NAME in AviWriter: the disk
// is full\r\n" from "cannot write to the AVI file", `output` and "AviWriter", the cause only when
// the disk is full.
std::wstring WriteFaultMessage(std::wstring_view what, const RiffOutput& output, std::wstring_view where);

// A new file (an existing one is replaced). Null when it cannot be created.
std::unique_ptr<RiffOutput> CreateRiffFile(const std::filesystem::path& path);

}  // namespace zuna
