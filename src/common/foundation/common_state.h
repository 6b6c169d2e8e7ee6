#pragma once
// The shared state record of a program, owned by ZunaCommon. Fields read by streaming threads
// are atomic; everything else belongs to the main thread. Whether the graph runs is the
// VideoPlayer's (IsRunning), whether a recording runs the RecordingController's (Recording).
#include <array>
#include <atomic>

#include "common/windows/geometry.h"

namespace zuna {

enum class ProgramKind { kCapture = 0, kPlayback = 1 };

enum DisplayTool { kToolMagnify = 0, kToolBrightnessContrast = 1, kToolPixelSaturation = 2, kToolCrosshairs = 3 };

struct CommonState {
  ProgramKind programKind = ProgramKind::kCapture;
  bool fatalStartupError = false;
  std::atomic<bool> exitRequested{false};
  bool userMessagesReady = false;
  bool startupInProgress = false;
  bool savingWindowPositions = false;
  // Set while a main window's menu command runs: the windows it moves are not moves of the user's.
  bool menuCommandRunning = false;

  bool removeFiltersWhileRecording = false;
  bool displayOffWhileRecording = false;
  bool timerOffWhileRecording = false;

  Rect workArea{0, 0, 1366, 768};
  int frameExtraWidth = 0;  // outer minus client size of the log window
  int frameExtraHeight = 0;
  int monitorDpi = 96;

  int videoWidth = 640;
  int videoHeight = 480;
  int displayWidth = 640;
  int displayHeight = 480;

  std::array<bool, 4> displayToolOn{};
  std::array<bool, 4> featureUnavailable{};
  int magnifyChoice = 3;  // " None"
  // Set while the magnifier resizes the display, so that the program only fits its window.
  bool magnifyChangeInProgress = false;

  // Read once per sample by the display and recording filters.
  std::atomic<int> saturationLevel{255};
  std::atomic<int> crosshairIntensity{255};
  std::atomic<int> crosshairRow{240};
  std::atomic<int> crosshairColumn{320};
  std::atomic<int> timeLapseCount{0};
};

}  // namespace zuna
