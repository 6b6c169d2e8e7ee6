#pragma once
// A RiffOutput that keeps the file in memory: for building sample files and for tests.
#include <algorithm>
#include <memory>
#include <vector>

#include "video/avi_writer/riff_output.h"

namespace zuna {

class RiffMemoryOutput final : public RiffOutput {
 public:
  // `file` receives the bytes and outlives the output's owner.
  explicit RiffMemoryOutput(std::shared_ptr<std::vector<std::uint8_t>> file) : file_(std::move(file)) {}

  bool Write(std::uint64_t offset, ByteSpan bytes) override {
    if (offset + bytes.size() > file_->size()) file_->resize(static_cast<std::size_t>(offset + bytes.size()));
    std::copy(bytes.begin(), bytes.end(), file_->begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
  }
  bool Flush() override { return true; }
  bool Close() override { return true; }

 private:
  std::shared_ptr<std::vector<std::uint8_t>> file_;
};

}  // namespace zuna
