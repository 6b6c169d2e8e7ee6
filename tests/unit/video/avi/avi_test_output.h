#pragma once
// Test outputs for the AVI writer: every write is kept in order, so a test can rebuild the file as
// it stood after any write (a process killed there), and writes can be made to fail.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "video/avi/avi_byte_source.h"
#include "video/avi_writer/riff_output.h"

namespace zuna::test {

struct RecordedWrites {
  struct Write {
    std::uint64_t offset;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Write> writes;
  std::vector<std::size_t> flushes;        // number of writes done at each flush
  std::optional<std::size_t> failAtWrite;  // this write and all later ones fail
  bool closed = false;

  // The file after the first `count` writes, the last of them cut to `lastBytes` when given.
  std::vector<std::uint8_t> FileAfter(std::size_t count, std::optional<std::size_t> lastBytes = std::nullopt) const;
  std::vector<std::uint8_t> File() const { return FileAfter(writes.size()); }
};

class RecordingOutput final : public RiffOutput {
 public:
  explicit RecordingOutput(std::shared_ptr<RecordedWrites> record) : record_(std::move(record)) {}
  bool Write(std::uint64_t offset, ByteSpan bytes) override;
  bool Flush() override;
  bool Close() override;

 private:
  std::shared_ptr<RecordedWrites> record_;
};

// A file far larger than the bytes kept: `bytes`, then zeros up to `size`. Damaged sizes in a large
// file stay inside it, as they would in a long recording.
class PaddedSource final : public AviByteSource {
 public:
  PaddedSource(ByteSpan bytes, std::uint64_t size) : bytes_(bytes), size_(size) {}
  bool Seek(std::uint64_t offset) override {
    position_ = offset;
    return true;
  }
  bool Read(std::size_t count, std::vector<std::uint8_t>& out) override;
  std::optional<std::uint64_t> Size() override { return size_; }
  std::uint64_t largestRead = 0;

 private:
  ByteSpan bytes_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
};

}  // namespace zuna::test
