// Whether the video folder's disk holds the next recording: checked when a recording starts, when
// an event becomes pending and once more in the last minute before its recording starts. A short
// disk is posted as a WARNING naming both spans, and shown in the countdown window while it holds.
#include <algorithm>
#include <cstdlib>

#include "capture/devices/video_device_formats.h"
#include "capture/options/capture_options.h"
#include "capture/recording/recording_controller.h"
#include "capture/recording/recording_file_name.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

constexpr FileTime kLastMinute = 60 * kTicksPerSecond;

std::uint64_t DurationSeconds(const CalendarTime& duration) {
  const auto part = [](int value) { return static_cast<std::uint64_t>(std::max(value, 0)); };
  return part(duration.hour) * 3600 + part(duration.minute) * 60 + part(duration.second);
}

// An uncompressed frame of the format, and its rate; nothing when the format does not say.
std::optional<RecordingStream> StreamOf(const VideoFormat& format) {
  const MediaTypeInfo& type = format.mediaType;
  const std::uint64_t width = type.width > 0 ? type.width : std::max(format.width, 0);
  const std::uint64_t height = type.height != 0 ? std::llabs(type.height) : std::max(format.height, 0);
  const std::uint64_t bits = type.bitCount != 0 ? type.bitCount : 16;
  RecordingStream stream;
  stream.frameBytes = width * height * bits / 8;
  stream.framesPerSecond = type.averageTimePerFrame > 0 ? 1e7 / static_cast<double>(type.averageTimePerFrame)
                                                        : static_cast<double>(format.frameRate);
  if (stream.frameBytes == 0 || stream.framesPerSecond <= 0) return {};
  return stream;
}

}  // namespace

std::optional<std::wstring> RecordingController::SpaceShortage(std::uint64_t neededSeconds,
                                                               std::wstring_view needer) const {
  const VideoSourceInfo* device = p_.devices.CurrentDevice();
  if (p_.disk == nullptr || device == nullptr) return {};
  // A compressor's frames have no size known ahead: only uncompressed recordings are reckoned.
  if (p_.codecs.RecordingCodec(*device) != nullptr) return {};
  const VideoFormat* format = CurrentFormatOf(*device);
  const auto stream = format != nullptr ? StreamOf(*format) : std::nullopt;
  const std::wstring& videoDirectory = p_.options.Text(kVideoDirectoryKey);
  const auto folder = RecordingFolder(videoDirectory, p_.currentDirectory);
  if (!stream || !folder) return {};
  const std::wstring where = videoDirectory.empty() ? (p_.currentDirectory / *folder).wstring() : *folder;
  const auto disk = p_.disk->Query(where);
  const auto check = disk ? SecondsOnDisk(*stream, *disk) : std::nullopt;
  if (!check) return {};
  return SpaceWarning(*check, neededSeconds, needer);
}

void RecordingController::CheckSpaceAtStart(bool eventRecording) {
  std::optional<std::wstring> warning;
  if (eventRecording) {
    warning = SpaceShortage(DurationSeconds(p_.schedule.GetCountdown().PendingDuration()), L"the event");
  } else {
    const auto duration = ParseDefaultDuration(p_.options.Text(kDefaultDurationKey));
    warning = SpaceShortage(DurationSeconds(duration.value_or(kBuiltInRecordingDuration)),
                            L"a recording of the default duration");
  }
  if (warning) PostStampedMessage(*warning);
}

void RecordingController::CheckSpaceForPendingEvent() {
  const Countdown& countdown = p_.schedule.GetCountdown();
  const auto warning = SpaceShortage(DurationSeconds(countdown.PendingDuration()), L"the event");
  if (warning) PostStampedMessage(*warning);
  p_.host.SetCountdownWarning(warning ? *warning : std::wstring());
}

void RecordingController::CheckSpaceInLastMinute() {
  const Countdown& countdown = p_.schedule.GetCountdown();
  if (lastMinuteChecked_ || countdown.EventStarted()) return;
  const auto now = ToFileTime(p_.clock.UtcNow());
  if (!now || *now + kLastMinute < countdown.Trigger()) return;
  lastMinuteChecked_ = true;
  CheckSpaceForPendingEvent();
}

// An event that becomes pending within its last minute is checked once, then.
void RecordingController::NoteEventPending() {
  const auto now = ToFileTime(p_.clock.UtcNow());
  lastMinuteChecked_ = now && *now + kLastMinute >= p_.schedule.GetCountdown().Trigger();
  CheckSpaceForPendingEvent();
}

}  // namespace zuna
