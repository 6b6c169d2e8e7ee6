#include "video/avi/riff_bytes.h"

namespace zuna {
namespace {

template <typename T>
std::optional<T> ReadLe(ByteSpan bytes, std::uint64_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return std::nullopt;
  T value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(bytes[offset + i]) << (8 * i);
  return value;
}

template <typename T>
void PutLe(std::vector<std::uint8_t>& out, T value) {
  for (std::size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::optional<std::uint16_t> ReadLe16(ByteSpan bytes, std::uint64_t offset) {
  return ReadLe<std::uint16_t>(bytes, offset);
}
std::optional<std::uint32_t> ReadLe32(ByteSpan bytes, std::uint64_t offset) {
  return ReadLe<std::uint32_t>(bytes, offset);
}
std::optional<std::uint64_t> ReadLe64(ByteSpan bytes, std::uint64_t offset) {
  return ReadLe<std::uint64_t>(bytes, offset);
}

bool HasFourCc(ByteSpan bytes, std::uint64_t offset, std::uint32_t code) {
  return ReadLe32(bytes, offset) == code;
}

void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  PutLe(out, value);
}
void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutLe(out, value);
}
void PutLe64(std::vector<std::uint8_t>& out, std::uint64_t value) {
  PutLe(out, value);
}

void StoreLe32(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace zuna
