#pragma once
// The capture program's options: registering its keys before the options file is read, reading the
// file with its own other-option nodes, applying what was read, and saving the whole file again.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "capture/options/capture_option_keys.h"
#include "capture/options/capture_option_nodes.h"
#include "common/foundation/zuna_common.h"
#include "common/options/common_option_keys.h"
#include "common/options/options_file.h"
#include "common/time/file_time.h"
#include "common/windows/window_position_keys.h"

namespace zuna {

inline constexpr std::wstring_view kCaptureOptionsFileName = L"ZUNA_options_capture.txt";
inline constexpr std::wstring_view kCaptureOptionsSaveWarning =
    L"WARNING: cannot save ZUNA_options_capture.txt file in process directory - write protected?\r\n";

// The date part of the default recording duration is fixed; only its time part counts.
inline constexpr CalendarTime kBuiltInRecordingDuration{1943, 5, 3, 0, 10, 0, 0};

// What the capture program derives from its options for its own windows.
struct CaptureSettings {
  bool showUtc = false;  // the pending-event window shows the UTC clock rather than a countdown
  CalendarTime defaultDuration = kBuiltInRecordingDuration;
};

// "hh:mm:ss" read as "%2hu:%2hu:%2hu" reads it: one or two digits per field (leading blanks
// allowed, trailing text ignored). Nothing when it does not parse or is no time of day.
std::optional<CalendarTime> ParseDefaultDuration(std::wstring_view text);

// "TimeLapseCount": up to five decimal digits; anything else means no time lapse (0).
int ParseTimeLapseCount(std::wstring_view text);

class CaptureOptions {
 public:
  explicit CaptureOptions(ZunaCommon& common) : common_(common) {}

  // Appends the text keys, then the boolean keys, behind the common ones. False when a table
  // refused a key.
  bool RegisterCaptureOptions();

  // Enters the capture windows in their key order, then the help windows. `windowOf` gives each
  // window's handle and default size, `helpWindow` each help window's handle (null when absent).
  bool RegisterCaptureWindowPositions(const std::function<WindowSlot(CaptureWindow)>& windowOf,
                                      const std::function<const void*(int helpId)>& helpWindow);

  // processDirectory + ("Release\\" in a development tree) + "OptionsFiles\\ZUNA_options_capture.txt".
  std::wstring OptionsFilePath() const;

  // Reads the file; its other-option nodes land in Nodes(). False when missing or malformed (the
  // start-up report says so).
  bool ReadCaptureOptions();

  // After reading: default duration, pending-event display, performance flags, saturation level and
  // time-lapse count.
  void ApplyCaptureOptions();

  // Empty "VideoDirectory" and "UserMessagesDirectory" take the folders under the program folder.
  void FillDefaultFolders(const std::wstring& programFolder);

  // Rewrites the whole file; false when it could not be written.
  bool SaveCaptureOptions(WindowPositions positions = WindowPositions::kAsRead);

  // What every options dialog posts after saving, with time stamp: its confirmation, or the warning
  // alone when the file could not be written.
  static void ReportSave(bool saved, std::wstring_view confirmation);

  // The save callback of the common windows: saves, posting the warning on failure.
  bool SaveOptionsFile();

  // "Save Window Positions": saves with the windows moved by the user, then confirms.
  void SaveWindowPositions();

  CaptureOptionNodes& Nodes() { return nodes_; }
  const CaptureSettings& Settings() const { return settings_; }
  CaptureSettings& Settings() { return settings_; }

 private:
  ZunaCommon& common_;
  CaptureOptionNodes nodes_;
  CaptureSettings settings_;
};

}  // namespace zuna
