#pragma once
// The program-wide state record of a program, owned by ZunaCommon. Each field has one writer, named
// beside it; the others only read it. Fields read by streaming threads are atomic; everything else
// belongs to the main thread. Whether the graph runs is the VideoPlayer's (IsRunning), whether a
// recording runs the RecordingController's (Recording), whether start-up failed ZunaCommon's
// (FatalStartupError).
#include <array>
#include <atomic>

#include "common/foundation/display_geometry.h"
#include "common/windows/geometry.h"

namespace zuna {

enum class ProgramKind { kCapture = 0, kPlayback = 1 };

enum DisplayTool { kToolMagnify = 0, kToolBrightnessContrast = 1, kToolPixelSaturation = 2, kToolCrosshairs = 3 };

// The program's wish to end, made from whichever window asks; the message loop ends on it.
class ExitRequest {
 public:
  void Request() { requested_ = true; }
  bool Requested() const { return requested_; }

 private:
  std::atomic<bool> requested_{false};
};

struct CommonState {
  ProgramKind programKind = ProgramKind::kCapture;  // ZunaCommon
  ExitRequest exit;
  bool userMessagesReady = false;  // the log window
  // From the common windows' creation until the entry point calls CommonWindows::EndStartup.
  bool startupInProgress = false;
  // Set while a main window's menu command runs (MenuCommandScope): the windows it moves are not
  // moves of the user's.
  bool menuCommandRunning = false;

  // The performance options (capture/options).
  bool removeFiltersWhileRecording = false;
  bool displayOffWhileRecording = false;
  bool timerOffWhileRecording = false;

  Rect workArea{0, 0, 1366, 768};  // the common windows
  int frameExtraWidth = 0;         // outer minus client size of the log window, by the log window
  int frameExtraHeight = 0;
  int monitorDpi = 96;  // the common windows

  // How the video is shown; changed only through DisplayGeometry's named operations: by the program
  // (capture/main and the camera start; playback/files, and playback/main naming the magnifier's
  // choice), by the magnifier, and by the player when a file's header gave no size.
  DisplayGeometry geometry;

  // The display tool windows (DisplayToolController) open and close the tools.
  std::array<bool, 4> displayToolOn{};
  // The player, when a display filter cannot be made or does not work.
  std::array<bool, 4> featureUnavailable{};
  // Set while the magnifier resizes the display, so that the program only fits its window.
  bool magnifyChangeInProgress = false;

  // Read once per sample by the display and recording filters. The display tool windows set the
  // display values (the saved saturation level through ApplySavedSaturationLevel); the capture
  // options the time lapse.
  std::atomic<int> saturationLevel{255};
  std::atomic<int> crosshairIntensity{255};
  std::atomic<int> crosshairRow{240};
  std::atomic<int> crosshairColumn{320};
  std::atomic<int> timeLapseCount{0};
};

}  // namespace zuna
