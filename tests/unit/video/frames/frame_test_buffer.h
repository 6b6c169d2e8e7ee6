#pragma once
// Frame buffers for kernel tests: guard bytes on both sides show any write outside the buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zuna::test {

class GuardedBuffer {
 public:
  static constexpr std::size_t kGuardBytes = 64;
  static constexpr std::uint8_t kGuardByte = 0xA5;

  explicit GuardedBuffer(std::vector<std::uint8_t> content) : size_(content.size()) {
    storage_.assign(size_ + 2 * kGuardBytes, kGuardByte);
    std::copy(content.begin(), content.end(), storage_.begin() + kGuardBytes);
  }
  GuardedBuffer(std::size_t size, std::uint8_t fill) : GuardedBuffer(std::vector<std::uint8_t>(size, fill)) {}

  std::span<std::uint8_t> Bytes() { return {storage_.data() + kGuardBytes, size_}; }
  std::span<const std::uint8_t> Bytes() const { return {storage_.data() + kGuardBytes, size_}; }
  std::vector<std::uint8_t> Content() const { return {Bytes().begin(), Bytes().end()}; }

  bool GuardsIntact() const {
    for (std::size_t i = 0; i < kGuardBytes; ++i) {
      if (storage_[i] != kGuardByte || storage_[kGuardBytes + size_ + i] != kGuardByte) return false;
    }
    return true;
  }

 private:
  std::size_t size_;
  std::vector<std::uint8_t> storage_;
};

// A fixed pseudo-random picture: every byte value occurs, so marking and copying are both visible.
inline std::vector<std::uint8_t> PatternBytes(std::size_t size, std::uint32_t seed) {
  std::vector<std::uint8_t> bytes(size);
  for (auto& byte : bytes) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(seed >> 24);
  }
  return bytes;
}

}  // namespace zuna::test
