#pragma once
// The plain values that cross the media-graph seam: GUID-like identifiers, opaque handles of
// filters and pins, and the parts of a media type that the portable layers decide on.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "common/foundation/status.h"

namespace zuna {

// A 16-byte identifier laid out like the platform's GUID, so an implementation can copy it across.
struct MediaGuid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  bool IsNull() const { return *this == MediaGuid{}; }
  bool operator==(const MediaGuid&) const = default;
};

constexpr std::uint32_t MakeFourcc(char a, char b, char c, char d) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(a)) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b)) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c)) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(d)) << 24;
}

// The media framework derives the identifiers of FOURCC formats from the code itself.
constexpr MediaGuid FourccGuid(std::uint32_t fourcc) {
  return {fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

inline constexpr MediaGuid kMajorTypeVideo = FourccGuid(MakeFourcc('v', 'i', 'd', 's'));
inline constexpr MediaGuid kSubtypeYuy2 = FourccGuid(MakeFourcc('Y', 'U', 'Y', '2'));
inline constexpr MediaGuid kSubtypeRgb24 = {
    0xE436EB7D, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr MediaGuid kSubtypeRgb32 = {
    0xE436EB7E, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr MediaGuid kNullGuid{};

// The largest picture side the layers accept from a device or a file; anything larger is refused
// before a size is computed from it.
inline constexpr int kMaxVideoDimension = 16384;

// A filter or pin as the implementation knows it; 0 is "none". The portable code never looks
// inside: an implementation may keep an interface pointer's value or an index of its own here.
struct FilterRef {
  std::uintptr_t id = 0;
  explicit operator bool() const { return id != 0; }
  bool operator==(const FilterRef&) const = default;
};

struct PinRef {
  std::uintptr_t id = 0;
  explicit operator bool() const { return id != 0; }
  bool operator==(const PinRef&) const = default;
};

enum class PinDirection { kInput, kOutput };

struct PinInfo {
  PinRef pin;  // none when the framework handed out a null pin
  PinDirection direction = PinDirection::kInput;
  std::wstring name;
};

// The format block a media type carries.
enum class FormatKind { kNone, kVideoInfo, kVideoInfo2, kOther };

// The implementation's own copy of a media type, kept so that a chosen format can be handed back
// to the device later. Its destructor frees it.
class NativeMediaType {
 public:
  virtual ~NativeMediaType() = default;
};

// What the portable code reads of a media type. Every number comes from a device or another
// filter and is checked before use.
struct MediaTypeInfo {
  MediaGuid majorType;
  MediaGuid subtype;
  FormatKind format = FormatKind::kNone;
  std::int64_t averageTimePerFrame = 0;  // 100 ns units
  std::int32_t width = 0;                // from the bitmap header
  std::int32_t height = 0;               // as stored: negative for a top-down picture
  std::uint16_t bitCount = 0;
  std::shared_ptr<const NativeMediaType> native;  // null when the implementation keeps none
};

// How a recording's time lapse thins out the stream.
struct TimeLapseInUse {
  bool intervalMode = false;  // true: one frame every `count` seconds; false: one in every max(count, 2) frames
  int count = 0;
};

// What the recording sink wrote, for the recording log and the user messages.
struct RecordingTotals {
  std::uint64_t framesWritten = 0;         // frames in the file (its length: dropped-frame entries count too)
  std::uint64_t framesDropped = 0;         // dropped-frame entries in the file (camera gaps and queue overflow)
  std::uint64_t framesDroppedByQueue = 0;  // of those, frames the write-behind queue could not keep
  bool firstFrameKnown = false;
  std::uint64_t firstFrameUtc = 0;         // FileTime: 100 ns units since 1601-01-01 UTC
  bool frameTimes = false;                 // the frame times file beside the recording was written
  std::uint64_t framesReceived = 0;        // every frame the sink was handed: it grows while the camera delivers
  std::uint64_t framesLostAfterFault = 0;  // frames that came after the fault below and are not in the file
  // kOk while every frame reaches the file; after a failed write (or a file that can hold no more
  // frames) kDiskFull when the disk had no room left, else another failure. The sink told the user,
  // naming the file.
  Status videoFault = kOk;
  Status frameTimesFault = kOk;  // likewise for the frame times file beside it
};

}  // namespace zuna
