#pragma once
// What the AVI parser reads from: an open file, or bytes in memory for tests and fuzzing.
// Moves and reads fail separately because the user is told which of the two went wrong.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "video/avi/riff_bytes.h"

namespace zuna {

class AviByteSource {
 public:
  virtual ~AviByteSource() = default;
  // Sets the position for the next read; a position past the end is allowed (reads give nothing).
  virtual bool Seek(std::uint64_t offset) = 0;
  // Reads up to `count` bytes from the position into `out` (resized to the bytes read). A read that
  // meets the end of the file is short, not a failure; false only when the read itself failed.
  virtual bool Read(std::size_t count, std::vector<std::uint8_t>& out) = 0;
  // The size of the file in bytes; no value when it cannot be learned.
  virtual std::optional<std::uint64_t> Size() = 0;
};

class AviFileSource final : public AviByteSource {
 public:
  explicit AviFileSource(const std::filesystem::path& path);
  bool IsOpen() const { return file_.is_open(); }
  bool Seek(std::uint64_t offset) override;
  bool Read(std::size_t count, std::vector<std::uint8_t>& out) override;
  std::optional<std::uint64_t> Size() override;

 private:
  std::ifstream file_;
  std::uint64_t position_ = 0;
};

// Reads `bytes` in place: they must outlive the source.
class AviMemorySource final : public AviByteSource {
 public:
  explicit AviMemorySource(ByteSpan bytes) : bytes_(bytes) {}
  bool Seek(std::uint64_t offset) override;
  bool Read(std::size_t count, std::vector<std::uint8_t>& out) override;
  std::optional<std::uint64_t> Size() override { return bytes_.size(); }

 private:
  ByteSpan bytes_;
  std::uint64_t position_ = 0;
};

}  // namespace zuna
