#pragma once
// The frame times file beside a recording, NAME.frames.csv for NAME.avi: the UTC time at which the
// capture chain stamped each frame slot of the AVI file, kept or dropped.
//
//   # ZUNA Video frame times
//   frame,utc,flag
//   0,2024-03-07 21:05:09.1234,kept
//   1,2024-03-07 21:05:09.1568,dropped
//
// Lines end in CR LF; times to 0.1 ms. A dropped slot takes the time of the slot after it less one
// frame period of the stream's rate. A slot whose time is unknown (a graph without a clock) gets no
// line. The lines go to the output at the same checkpoints as the AVI file's (after each second of
// stream time, and whenever the caller asks), so a recording cut off keeps its times up to the last
// one. Not thread-safe: the AVI writer's thread alone calls it.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "common/foundation/status.h"
#include "common/time/file_time.h"
#include "video/avi_writer/riff_output.h"

namespace zuna {

inline constexpr std::string_view kFrameTimesFileFirstLine = "# ZUNA Video frame times";
inline constexpr std::string_view kFrameTimesFileHeader = "frame,utc,flag";
inline constexpr FileTime kUnknownUtc = 0;  // no frame comes from 1601

// NAME.frames.csv for NAME.avi.
std::filesystem::path FrameTimesPath(const std::filesystem::path& videoFile);

// "N,YYYY-MM-DD hh:mm:ss.ssss,kept" or ",dropped", with CR LF.
std::string FrameTimesLine(std::uint64_t frame, FileTime utc, bool dropped);

class FrameTimesWriter {
 public:
  FrameTimesWriter() = default;
  ~FrameTimesWriter();
  FrameTimesWriter(const FrameTimesWriter&) = delete;
  FrameTimesWriter& operator=(const FrameTimesWriter&) = delete;

  // Writes the first two lines; `rate` / `scale` frames per second.
  Status Open(std::unique_ptr<RiffOutput> output, std::uint32_t rate, std::uint32_t scale);

  // The next slots of the AVI file: `dropped` dropped ones, then one kept frame when `kept`. `utc`
  // is the time of the last of them.
  void Add(std::uint64_t dropped, bool kept, FileTime utc);

  // Hands the lines so far to the system (to the disk when `toDisk`).
  Status Checkpoint(bool toDisk);
  Status Close();

  bool IsOpen() const { return output_ != nullptr; }
  // kOk until a write fails; then kDiskFull when the disk had no room left, else kFail.
  Status Fault() const { return fault_; }
  std::uint64_t Slots() const { return slots_; }

 private:
  void AddLine(FileTime utc, bool dropped);
  Status Fail();
  std::wstring Message() const;

  std::unique_ptr<RiffOutput> output_;
  std::uint32_t rate_ = 0;
  std::uint32_t scale_ = 0;
  std::string pending_;  // lines not yet handed to the output
  std::uint64_t end_ = 0;
  std::uint64_t slots_ = 0;
  std::uint64_t slotsAtCheckpoint_ = 0;
  bool failed_ = false;
  Status fault_ = kOk;
  bool toldNoClock_ = false;
};

}  // namespace zuna
