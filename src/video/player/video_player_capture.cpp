// The recording chain: source -> (tee) -> [time lapse] -> [codec] -> the project's AVI writer.
// The writer filter writes the capture program's information tag itself.
#include "video/player/video_player.h"
#include "video/player/video_player_messages.h"

namespace zuna {

using player_detail::Fail;
using player_detail::Report;

Status VideoPlayer::RenderVideoCaptureStream(const std::wstring& path, FilterRef codec, const std::wstring& codecName) {
  if (!sourceFilter_ || !hasCaptureGraphBuilder_) {
    return Fail(L"Logic error: attempt to render capture stream with NULL source filter\r\n");
  }
  recordingTimeLapse_.reset();
  FilterRef sink;
  if (path.empty() || Failed(graph_.CreateRecordingSink(path, &sink)) || !sink) {
    return Fail(L"SEVERE: SetOutputFileName method has failed, no recording is possible\r\n");
  }
  muxFilter_ = sink;
  codecFilter_ = codec;
  if (codec && Failed(graph_.AddFilter(codec, codecName))) {
    return Fail(L"SEVERE: unable to add the codec to the recording stream\r\n");
  }
  if (Failed(graph_.RenderStream(PinCategory::kCapture, sourceFilter_, codec, sink))) {
    return Fail(L"SEVERE: unable to render the recording stream, recording will not occur\r\n");
  }
  ReadCaptureSubtype(codec);
  if (!TimeLapseWanted()) return kOk;
  return InsertTimeLapse(codec ? codec : sink);
}

void VideoPlayer::ReadCaptureSubtype(FilterRef codec) {
  captureSubtype_ = {};
  PinRef pin;
  if (codec) {
    FilterRef tee;
    if (Failed(graph_.FindFilterByName(L"Smart Tee", &tee)) || !tee) {
      Report(L"WARNING: cannot find Smart Tee, all display filters will be turned off during recording\r\n");
      return;
    }
    pin = FindPin(tee, PinDirection::kOutput, L"Capture");
  } else {
    pin = FindPin(muxFilter_, PinDirection::kInput);
  }
  MediaTypeInfo type;
  if (pin && Succeeded(graph_.ConnectionMediaType(pin, &type))) captureSubtype_ = type.subtype;
}

// The enable option must be on as well as the count: a count left in the options file while time
// lapse is switched off must never thin out an occultation recording.
bool VideoPlayer::TimeLapseWanted() const {
  if (options_ == nullptr || !timeLapse_.filter) return false;
  const BooleanOption* enable = options_->FindBoolean(kTimeLapseEnableOption);
  return enable != nullptr && enable->value && state_.timeLapseCount.load() != 0;
}

// "TimeLapseType" true makes the count an interval in seconds; the filter latches it with the count.
Status VideoPlayer::InsertTimeLapse(FilterRef next) {
  const BooleanOption* type = options_->FindBoolean(kTimeLapseTypeOption);
  const TimeLapseInUse use{type != nullptr && type->value, state_.timeLapseCount.load()};
  graph_.PrepareTransformFilter(TransformFilterKind::kTimeLapse,
                                {captureSubtype_, false, false, true, use.intervalMode});
  if (Failed(graph_.AddFilter(timeLapse_.filter, L"CaptureTimeLapse"))) {
    return Fail(L"SEVERE: cannot add time lapse filter to filter graph in RenderVideoCaptureStream\r\n");
  }
  const Status connected = ConnectWithNextFilter(timeLapse_.filter, next);
  if (Succeeded(connected)) recordingTimeLapse_ = use;
  return connected;
}

}  // namespace zuna
