#pragma once
// The time of every frame of a recording, and where it came from. In order of precedence:
//   1. a first-frame time given by the user (--first-frame-utc), then whole frame periods;
//   2. the per-frame times file beside the recording (NAME.frames.csv);
//   3. the recording log beside it (NAME.txt): its first-frame time, then whole frame periods;
//   4. none of these: times relative to the first frame.
// Frame periods come from the stream's own scale and rate (e.g. 1001/30000 s), never from the log's
// rounded frame rate. Dropped frames keep their slots, so frame k is always k periods after frame 0.
// These are the times at which the capture chain stamped the frames: the camera's own delay is not
// taken off, and every output says so.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "lightcurve/timing/frame_times_file.h"
#include "lightcurve/timing/utc_text.h"

namespace zuna {

enum class TimeSource { kGiven, kFramesFile, kRecordingLog, kRelative };

struct FrameTimesInput {
  std::uint32_t rate = 0;  // frames per `scale` seconds
  std::uint32_t scale = 0;
  std::string videoName;                        // the file name without folder and extension, for the date
  std::optional<std::int64_t> givenFirstFrame;  // ticks after midnight
  std::optional<std::string> framesFileText;    // NAME.frames.csv, when there is one
  std::string framesFileName;
  std::optional<std::string> logText;  // NAME.txt, when there is one
  std::string logName;
};

class FrameTimes {
 public:
  // Builds the times from what was found; `warnings` gets a line for each source found but not used.
  static FrameTimes Build(const FrameTimesInput& input, std::vector<std::string>* warnings);
  // Reads the frames file and the log beside `video`.
  static FrameTimes ForVideo(const std::filesystem::path& video, std::uint32_t rate, std::uint32_t scale,
                             std::optional<std::int64_t> givenFirstFrame, std::vector<std::string>* warnings);

  TimeSource Source() const { return source_; }
  bool IsUtc() const { return source_ != TimeSource::kRelative; }
  // Seconds after midnight UTC of the first frame's day (after the first frame when relative). A
  // position N + f is a fraction f of a frame period after frame N.
  double At(double position) const;
  double FramePeriod() const { return period_; }
  std::optional<UtcDate> Date() const { return date_; }
  // One sentence naming the source, for every output.
  const std::string& Statement() const { return statement_; }

 private:
  TimeSource source_ = TimeSource::kRelative;
  double period_ = 0;
  double first_ = 0;  // seconds after the first day's midnight (0 when relative)
  std::optional<UtcDate> date_;
  std::int64_t dayZeroTicks_ = 0;
  std::vector<FrameTimeEntry> entries_;  // from the frames file
  std::string statement_;
};

}  // namespace zuna
