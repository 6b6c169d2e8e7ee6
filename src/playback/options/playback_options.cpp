#include "playback/options/playback_options.h"

#include "common/display_tools/pixel_saturation_controller.h"
#include "common/help/help_documents.h"
#include "common/log/user_messages_log.h"
#include "common/options/options_file.h"

namespace zuna {

bool PlaybackOptions::RegisterPlaybackOptions() {
  OptionTables& options = common_.Options();
  bool registered = RegisterCommonOptions(options);
  return options.RegisterText(kMessageFileDirectoryKey) != nullptr && registered;
}

bool PlaybackOptions::RegisterPlaybackWindowPositions(const WindowSlot& mainWindow, const void* controlsWindow,
                                                      const void* miscellaneousOptionsWindow,
                                                      const void* lightCurveWindow,
                                                      const std::function<const void*(int helpId)>& helpWindow) {
  PlacementTable& placements = common_.Placements();
  bool registered = RegisterWindowPosition(placements, kPlaybackMainWindowKey, mainWindow);
  registered = RegisterWindowPosition(placements, kPlaybackControlsWindowKey, {controlsWindow, 636, 230}) && registered;
  registered = RegisterWindowPosition(placements, kPlaybackMiscellaneousOptionsWindowKey,
                                      {miscellaneousOptionsWindow, 380, 210}) &&
               registered;
  registered =
      RegisterWindowPosition(placements, kPlaybackLightCurveWindowKey, {lightCurveWindow, 720, 700}) && registered;
  return RegisterHelpWindowPositions(placements, helpWindow, kHelpDocumentCount) && registered;
}

std::wstring PlaybackOptions::OptionsFilePath() const {
  return zuna::OptionsFilePath(common_.Folders().processDirectory, common_.InDevelopmentTree(),
                               kPlaybackOptionsFileName);
}

bool PlaybackOptions::ReadPlaybackOptions() {
  // The playback program keeps nothing in the other-options section.
  const bool read = ReadOptionsFile(common_, OptionsFilePath());
  if (!read) PostUnstampedMessage(L"No Options File or unreadable Options File\r\n");

  OptionTables& options = common_.Options();
  const int level = ApplySavedSaturationLevel(common_);
  if (options.Text(kPixelSaturationValueKey) != std::to_wstring(level)) {
    options.SetText(kPixelSaturationValueKey, std::to_wstring(level));
  }
  return read;
}

void PlaybackOptions::FillDefaultFolders(const std::wstring& programFolder) {
  OptionTables& options = common_.Options();
  if (options.Text(kMessageFileDirectoryKey).empty()) {
    options.SetText(kMessageFileDirectoryKey, programFolder + L"MessageFilesVP\\");
  }
}

bool PlaybackOptions::SaveOptionsFile() {
  const bool saved = WriteOptionsFile(common_, OptionsFilePath());
  if (!saved) PostStampedMessage(kPlaybackOptionsSaveWarning);
  return saved;
}

void PlaybackOptions::ReportSave(bool saved, std::wstring_view confirmation) {
  PostStampedMessage(saved ? confirmation : kPlaybackOptionsSaveWarning);
}

void PlaybackOptions::SaveWindowPositions() {
  const bool saved = WriteOptionsFile(common_, OptionsFilePath(), {}, WindowPositions::kWithMoves);
  ReportSave(saved, L"Window positions are saved in playback options file\r\n");
}

}  // namespace zuna
