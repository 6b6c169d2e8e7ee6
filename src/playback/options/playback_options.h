#pragma once
// The playback program's options: its keys, the options file at start-up and saving it again.
#include <functional>
#include <string>
#include <string_view>

#include "common/foundation/zuna_common.h"
#include "common/options/common_option_keys.h"
#include "common/windows/window_position_keys.h"

namespace zuna {

inline constexpr std::wstring_view kPlaybackOptionsFileName = L"ZUNA_options_playback.txt";
inline constexpr std::wstring_view kMessageFileDirectoryKey = L"MessageFileDirectory";
inline constexpr std::wstring_view kPlaybackOptionsSaveWarning =
    L"WARNING: cannot save ZUNA_options_playback.txt file in process directory - write protected?\r\n";

inline constexpr std::wstring_view kPlaybackControlsWindowKey = L"PlaybackControlsWindowPosition";
inline constexpr std::wstring_view kPlaybackMainWindowKey = L"MainWindowPosition";
inline constexpr std::wstring_view kPlaybackMiscellaneousOptionsWindowKey = L"MiscellaneousOptionsWindowPosition";
inline constexpr std::wstring_view kPlaybackLightCurveWindowKey = L"LightCurveWindowPosition";

class PlaybackOptions {
 public:
  explicit PlaybackOptions(ZunaCommon& common) : common_(common) {}

  // Text keys "PixelSaturationValue" and "MessageFileDirectory", boolean keys "DateTimeAtEnd" and
  // "DisableMagnifyClamp". False when a table refused a key.
  bool RegisterPlaybackOptions();

  // Enters the main window (its handle and default size), the "Playback" controls window (636 x 230)
  // the "Miscellaneous Options" window (380 x 210) and the "Light Curve" window (720 x 700), then the
  // help windows.
  bool RegisterPlaybackWindowPositions(const WindowSlot& mainWindow, const void* controlsWindow,
                                       const void* miscellaneousOptionsWindow, const void* lightCurveWindow,
                                       const std::function<const void*(int helpId)>& helpWindow);

  // processDirectory + ("Release\\" in a development tree) + "OptionsFiles\\ZUNA_options_playback.txt".
  std::wstring OptionsFilePath() const;

  // Reads the file, posting "No Options File or unreadable Options File\r\n" when it could not, and
  // takes the saturation threshold from "PixelSaturationValue" (255 when it gives none, which is
  // then also the option's value).
  bool ReadPlaybackOptions();

  // An empty "MessageFileDirectory" takes programFolder + "MessageFilesVP\\".
  void FillDefaultFolders(const std::wstring& programFolder);

  // The save callback of the common windows: writes the file, posting the warning on failure.
  bool SaveOptionsFile();

  // Posts `confirmation` with time stamp, or the warning alone when the save failed.
  static void ReportSave(bool saved, std::wstring_view confirmation);

  // "Save Window Positions": saves with the windows moved by the user, then confirms.
  void SaveWindowPositions();

 private:
  ZunaCommon& common_;
};

}  // namespace zuna
