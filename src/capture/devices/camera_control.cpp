#include "capture/devices/camera_control.h"

#include <cstdio>

#include "capture/devices/video_device_formats.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

void Log(const wchar_t* text) {
  PostStampedMessage(text);
}

Status Fail(const wchar_t* text) {
  Log(text);
  return kFail;
}

// "%#x" of a status.
std::wstring HexCode(Status status) {
  const auto value = static_cast<unsigned>(static_cast<std::uint32_t>(status));
  if (value == 0) return L"0";
  wchar_t digits[16] = {};
  std::swprintf(digits, 16, L"%#x", value);
  return digits;
}

Status AddSource(CameraParts& parts, VideoSourceInfo& device) {
  if (Failed(parts.devices.GetVideoSourceBaseFilter(device))) {
    return Fail(L"WARNING: cannot get source base filter while attempting to start camera\r\n");
  }
  if (Failed(parts.player.AddVideoCaptureSourceBaseFilter(device.sourceFilter))) {
    return Fail(L"SEVERE: failed to add video source filter to filter graph\r\n");
  }
  return kOk;
}

Status RenderRecording(CameraParts& parts, const VideoSourceInfo& device, const std::wstring& path) {
  const CodecEntry* codec = parts.codecs.RecordingCodec(device);
  const Status result = parts.player.RenderVideoCaptureStream(path, codec ? codec->filter : FilterRef{},
                                                              codec ? codec->name : std::wstring());
  if (Failed(result)) Log(L"WARNING: cannot render video stream\r\n");
  return result;
}

}  // namespace

Status StartCamera(CameraParts parts, const std::wstring& recordingPath) {
  if (Failed(parts.player.RemoveFilters())) return kFail;
  VideoSourceInfo* device = parts.devices.CurrentDevice();
  if (device == nullptr) return Fail(L"Logic error: attempt to start camera with 0 video source information\r\n");
  const VideoFormat* format = CurrentFormatOf(*device);
  if (format == nullptr) return Fail(L"WARNING: attempt to start camera without a valid video format\r\n");
  parts.state.geometry.SetVideo({format->width, format->height});
  if (Failed(AddSource(parts, *device))) return kFail;
  parts.player.SetStreamFormat(&format->mediaType);  // reports its own failure; the device keeps its format
  // The display filters may stay out of a recording's preview, by the user's choice.
  const bool plain = !recordingPath.empty() && parts.state.removeFiltersWhileRecording;
  if (Failed(parts.player.RenderVideoPreviewStream(plain))) {
    Log(L"SEVERE: cannot render preview stream\r\n");
    Log(L"WARNING: cannot render video stream\r\n");
  }
  if (CurrentFormatOf(*device) == nullptr) {
    Log(L"SEVERE: current video format is 0\r\n");
    return Fail(L"WARNING: cannot render video stream\r\n");
  }
  Status recording = kOk;
  if (!recordingPath.empty()) recording = RenderRecording(parts, *device, recordingPath);
  if (!parts.player.HasMediaControl()) {
    // The preview could not be rendered (already reported). A recording still runs; without one there
    // is nothing to run, and the camera counts as started so that scheduled events still come.
    if (recordingPath.empty() || Failed(recording)) return recording;
    if (Failed(parts.player.AcquireMediaControl())) return kFail;
  }
  const Status run = RunFilterGraph(parts.player);
  return Failed(run) ? run : (Failed(recording) ? kFail : kOk);
}

Status RunFilterGraph(VideoPlayer& player) {
  if (!player.HasMediaControl()) {
    return Fail(L"Logic error: attempt to run filter graph with a NULL media control interface\r\n");
  }
  if (player.IsRunning()) return Fail(L"Logic error: attempt to run filter graph that is already running\r\n");
  const Status result = player.Run();
  if (Failed(result)) {
    PostStampedMessage(L"SEVERE: attempt to run filter graph failed\r\n\terror value: " + HexCode(result) + L"\r\n");
    return Fail(L"WARNING: cannot run filter graph video stream\r\n");
  }
  return kOk;
}

Status StopCamera(VideoPlayer& player, const std::function<void()>& afterStop) {
  if (player.IsRunning() && Failed(player.Stop())) Log(L"WARNING: attempt to stop filter graph failed\r\n");
  if (afterStop) afterStop();
  const Status result = player.RemoveFilters();
  if (Failed(result)) Log(L"WARNING: command to stop camera failed\r\n");
  return result;
}

}  // namespace zuna
