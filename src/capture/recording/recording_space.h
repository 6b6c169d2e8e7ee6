#pragma once
// Whether the video folder's disk can hold a recording: how many seconds of the current video fit
// in its free space (and, on a FAT32 disk, in the 4 GiB that one file may not pass), against what
// the recording needs. Checked when a recording starts and while an event is pending, so that the
// observer learns of a short disk before the event rather than from a recording cut off.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zuna {

// What the recording writes per frame and per second.
struct RecordingStream {
  std::uint64_t frameBytes = 0;  // one uncompressed frame
  double framesPerSecond = 0;    // the current format's rate
  bool frameTimes = true;        // a frame times file goes beside the recording
};

// The video folder's disk as the system reports it.
struct DiskFacts {
  std::uint64_t freeBytes = 0;
  std::wstring fileSystem;  // "NTFS", "FAT32", ...
};

// The largest file a FAT32 disk holds: 4 GiB less one byte.
inline constexpr std::uint64_t kFat32FileLimit = (std::uint64_t{1} << 32) - 1;
// The AVI file's headers, super index and INFO list, and the part heads beyond 1 GiB, with room.
inline constexpr std::uint64_t kAviFixedBytes = 256 * 1024;
// Per frame beyond its bytes: its chunk header (8), its standard index entry (8) and its AVI 1.0
// index entry (16).
inline constexpr std::uint64_t kAviBytesPerFrame = 32;
// One line of the frame times file: "123456,2024-03-07 21:05:09.1234,dropped\r\n" and a margin.
inline constexpr std::uint64_t kFrameTimesBytesPerFrame = 48;

// Bytes on the disk per frame, for the AVI file alone and with the frame times file.
std::uint64_t AviBytesPerFrame(const RecordingStream& stream);
std::uint64_t DiskBytesPerFrame(const RecordingStream& stream);

struct SpaceCheck {
  std::uint64_t seconds = 0;  // how much of this video the disk holds
  bool fat32Limit = false;    // the 4 GiB file limit, not the free space, sets `seconds`
};

// How many whole seconds of the stream the disk holds; nothing for a stream without a size or rate.
std::optional<SpaceCheck> SecondsOnDisk(const RecordingStream& stream, const DiskFacts& disk);

// "1 h 5 min", "3 min 10 s", "45 s": the parts that are not zero ("0 s" for none).
std::wstring SpanText(std::uint64_t seconds);

// The WARNING when `check` holds less than `neededSeconds`, else nothing. `needer` names who needs
// it: "the event", or "a recording of the default duration".
std::optional<std::wstring> SpaceWarning(const SpaceCheck& check, std::uint64_t neededSeconds,
                                         std::wstring_view needer);

}  // namespace zuna
