#pragma once
// The built-in help documents by name; the value is the document's number in resources/help.
namespace zuna {

enum class HelpPage {
  kVideoCapture = 0,
  kBrightnessContrast = 1,
  kPixelSaturation = 2,
  kMagnify = 3,
  kCrosshairs = 4,
  kVideoDeviceSelect = 5,
  kVideoDeviceProperties = 6,
  kFileOptions = 7,
  kCodecSelect = 8,
  kDefaultRecordingDuration = 9,
  kPerformanceOptions = 10,
  kMiscellaneousOptions = 11,
  kTimeLapseRecording = 12,
  kScheduleEvent = 13,
  kViewEditDeleteEvents = 14,
  kEventPendingOptions = 15,
  kCaptureVersionHistory = 16,
  kVideoPlayback = 17,
  kPlaybackVersionHistory = 18,
  kPlaybackMiscellaneousOptions = 19,
  kImportXmlEvents = 20,
  kLightCurve = 21,
};

constexpr int HelpNumber(HelpPage page) {
  return static_cast<int>(page);
}

}  // namespace zuna
