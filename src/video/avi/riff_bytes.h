#pragma once
// Little-endian fields and four-character codes of RIFF files. Reads are bounded by the bytes at
// hand: a field that does not lie wholly inside them reads as absent, never past the end.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zuna {

using ByteSpan = std::span<const std::uint8_t>;

constexpr std::uint32_t FourCc(std::string_view code) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[0])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[3])) << 24;
}

std::optional<std::uint16_t> ReadLe16(ByteSpan bytes, std::uint64_t offset);
std::optional<std::uint32_t> ReadLe32(ByteSpan bytes, std::uint64_t offset);
std::optional<std::uint64_t> ReadLe64(ByteSpan bytes, std::uint64_t offset);

// True when the four bytes at `offset` exist and spell `code`.
bool HasFourCc(ByteSpan bytes, std::uint64_t offset, std::uint32_t code);

// Appends little-endian fields to a growing byte block.
void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t value);
void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value);
void PutLe64(std::vector<std::uint8_t>& out, std::uint64_t value);

// Overwrites a field inside a block; the block must already hold it.
void StoreLe32(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value);

}  // namespace zuna
