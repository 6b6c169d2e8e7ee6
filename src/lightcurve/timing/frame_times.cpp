#include "lightcurve/timing/frame_times.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "lightcurve/timing/recording_log_times.h"

namespace zuna {
namespace {

constexpr std::string_view kStamped =
    "; these are the times at which the capture chain stamped each frame, not corrected for the camera's delay";

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, std::size_t limit) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text(limit, '\0');
  file.read(text.data(), static_cast<std::streamsize>(limit));
  text.resize(static_cast<std::size_t>(file.gcount()));
  return text;
}

// The name as UTF-8 whatever the system's code page.
std::string NameText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string PeriodText(std::uint32_t rate, std::uint32_t scale) {
  return std::to_string(scale) + "/" + std::to_string(rate) + " s per frame";
}

// The day of a first-frame time of day, from the date and time the file was named after (the
// recording's start): a first frame more than 12 hours before that time is on the next day.
std::optional<UtcDate> FirstFrameDate(const std::string& videoName, std::int64_t firstTicks) {
  const std::optional<NamedTime> named = TimeFromRecordingName(videoName);
  if (!named) return std::nullopt;
  std::int64_t days = DaysFromDate(named->date);
  if (firstTicks < named->ticks - kUtcTicksPerDay / 2) ++days;
  if (firstTicks > named->ticks + kUtcTicksPerDay / 2) --days;
  return DateFromDays(days);
}

}  // namespace

FrameTimes FrameTimes::Build(const FrameTimesInput& in, std::vector<std::string>* warnings) {
  FrameTimes t;
  t.period_ = in.rate == 0 || in.scale == 0 ? 0 : static_cast<double>(in.scale) / in.rate;
  const std::string period = PeriodText(in.rate, in.scale);
  std::optional<std::vector<FrameTimeEntry>> entries;
  if (in.framesFileText) {
    std::string problem;
    entries = ParseFrameTimesFile(*in.framesFileText, &problem);
    if (!entries) warnings->push_back(in.framesFileName + " not used: " + problem);
    if (entries && entries->empty()) {
      warnings->push_back(in.framesFileName + " not used: it lists no frame");
      entries.reset();
    }
  }
  std::optional<std::int64_t> logged;
  if (in.logText) logged = FirstFrameFromLog(*in.logText);
  if (in.logText && !logged) warnings->push_back(in.logName + " gives no first-frame time");
  const std::int64_t loggedTicks = logged.value_or(0);

  if (in.givenFirstFrame) {
    t.source_ = TimeSource::kGiven;
    t.first_ = static_cast<double>(*in.givenFirstFrame) / kUtcTicksPerSecond;
    t.date_ = FirstFrameDate(in.videoName, *in.givenFirstFrame);
    t.statement_ =
        "Times: UTC, first frame at " + TimeOfDayText(t.first_) + " as given (--first-frame-utc), then " + period;
  } else if (entries) {
    t.source_ = TimeSource::kFramesFile;
    const std::int64_t firstTicks = entries->front().ticks;
    const std::int64_t days = firstTicks >= 0 ? firstTicks / kUtcTicksPerDay : -1;
    t.dayZeroTicks_ = days * kUtcTicksPerDay;
    t.date_ = DateFromDays(days);
    t.entries_ = std::move(*entries);
    t.first_ = t.At(0);
    t.statement_ = "Times: UTC, each frame's own time from " + in.framesFileName;
  } else if (logged) {
    t.source_ = TimeSource::kRecordingLog;
    t.first_ = static_cast<double>(loggedTicks) / kUtcTicksPerSecond;
    t.date_ = FirstFrameDate(in.videoName, loggedTicks);
    t.statement_ = "Times: UTC, first frame at " + TimeOfDayText(t.first_) + " from the recording log " + in.logName +
                   ", then " + period;
  } else {
    t.statement_ = "Times: relative to the first frame (no recording log; not UTC), " + period;
  }
  if (t.date_) t.statement_ += ", date " + DateText(*t.date_);
  t.statement_ += kStamped;
  return t;
}

FrameTimes FrameTimes::ForVideo(const std::filesystem::path& video, std::uint32_t rate, std::uint32_t scale,
                                std::optional<std::int64_t> givenFirstFrame, std::vector<std::string>* warnings) {
  FrameTimesInput in;
  in.rate = rate;
  in.scale = scale;
  in.videoName = NameText(video.stem());
  in.givenFirstFrame = givenFirstFrame;
  std::filesystem::path frames = video;
  frames.replace_extension(".frames.csv");
  in.framesFileName = NameText(frames.filename());
  in.framesFileText = ReadSmallFile(frames, kMaxFrameTimesBytes + 1);
  std::filesystem::path log = video;
  log.replace_extension(".txt");
  in.logName = NameText(log.filename());
  in.logText = ReadSmallFile(log, kMaxLogBytes);
  return Build(in, warnings);
}

double FrameTimes::At(double position) const {
  if (source_ != TimeSource::kFramesFile) return first_ + position * period_;
  // The last listed frame at or before the position, else the first listed one.
  const double whole = std::floor(position);
  auto after = std::upper_bound(entries_.begin(), entries_.end(), whole,
                                [](double p, const FrameTimeEntry& e) { return p < e.frame; });
  const FrameTimeEntry& e = after == entries_.begin() ? entries_.front() : *std::prev(after);
  return static_cast<double>(e.ticks - dayZeroTicks_) / kUtcTicksPerSecond + (position - e.frame) * period_;
}

}  // namespace zuna
