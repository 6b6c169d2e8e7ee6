#pragma once
// The texts that describe an open AVI file in reports and on screen. Each text has a capacity in
// wide characters, terminator included, as the windows that show them expect; a longer text is cut.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zuna {

struct AviFileInfo {
  static constexpr std::size_t kFilePathCapacity = 256;
  static constexpr std::size_t kCodecCapacity = 128;
  static constexpr std::size_t kFrameSizeCapacity = 20;
  static constexpr std::size_t kFrameRateCapacity = 20;
  static constexpr std::size_t kCountCapacity = 10;  // total, key and dropped frames
  static constexpr std::size_t kFileSizeCapacity = 26;

  std::wstring filePath;
  std::wstring codec;
  std::wstring frameSize;
  std::wstring frameRate;
  std::wstring totalFrames;
  std::wstring keyFrames;
  std::wstring droppedFrames;
  std::wstring fileSize;  // empty when the size is unknown

  void Clear() { *this = AviFileInfo(); }
};

// Stores `text` cut to `capacity` - 1 characters.
void SetCapped(std::wstring& field, std::wstring_view text, std::size_t capacity);

// "720 x 480".
std::wstring FrameSizeText(std::int32_t width, std::int32_t height);

// The frame rate as the programs show it: "29.97", "30", "25" for the common broadcast rates,
// otherwise the rate with two truncated decimals, e.g. "15.00".
std::wstring FrameRateText(std::uint32_t rate, std::uint32_t scale);
void SetFrameRateText(AviFileInfo& info, std::uint32_t rate, std::uint32_t scale);

// The codec name shown for a stream handler four-character code. Many writers leave the handler
// empty: the stream format's compression code (0 and 3 for RGB) then names the codec.
std::wstring CodecText(std::uint32_t handler, std::uint32_t compression = 0);
// A four-character code as text; bytes that are not printable show as '?'.
std::wstring FourCcText(std::uint32_t code);

}  // namespace zuna
