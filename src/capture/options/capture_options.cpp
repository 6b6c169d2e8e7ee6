#include "capture/options/capture_options.h"

#include "capture/options/file_options_controller.h"
#include "capture/options/filter_name_characters.h"
#include "common/display_tools/pixel_saturation_controller.h"
#include "common/help/help_documents.h"
#include "common/help/help_page.h"
#include "common/log/user_messages_log.h"
#include "common/options/options_file.h"

namespace zuna {
namespace {

constexpr std::wstring_view kCountdown = L"COUNTDOWN";

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// One "%2hu" field: optional leading white space, then one or two digits.
std::optional<int> TwoDigitField(std::wstring_view text, std::size_t& pos) {
  while (pos < text.size() && (text[pos] == L' ' || text[pos] == L'\t')) ++pos;
  int value = 0;
  std::size_t digits = 0;
  while (pos < text.size() && digits < 2 && IsDigit(text[pos])) {
    value = value * 10 + (text[pos] - L'0');
    ++pos;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

// A prefix becomes part of file names: a hand-edited "..\\" or ":" would place files outside their
// folder. Kept as the file options window keeps what is typed: cut to its length, then filtered.
void FilterNamePrefix(OptionTables& options, std::wstring_view key, std::size_t limit) {
  std::wstring text = options.Text(key);
  const bool cut = text.size() > limit;
  text.resize(std::min(text.size(), limit));
  if (!FilterNameCharacters(text, false) && !cut) return;
  options.SetText(key, text);
  PostStampedMessage(L"WARNING: " + std::wstring(key) + L" in the options file becomes \"" + text +
                     L"\": a name prefix holds at most " + std::to_wstring(limit) + L" of the characters below\r\n");
  PostUnstampedMessage(kAllowedCharactersMessage);
}

}  // namespace

std::optional<CalendarTime> ParseDefaultDuration(std::wstring_view text) {
  std::size_t pos = 0;
  int fields[3];
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (pos >= text.size() || text[pos] != L':') return std::nullopt;
      ++pos;
    }
    const std::optional<int> value = TwoDigitField(text, pos);
    if (!value) return std::nullopt;
    fields[i] = *value;
  }
  if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return std::nullopt;
  CalendarTime duration = kBuiltInRecordingDuration;
  duration.hour = fields[0];
  duration.minute = fields[1];
  duration.second = fields[2];
  return duration;
}

int ParseTimeLapseCount(std::wstring_view text) {
  if (text.empty() || text.size() > 5) return 0;
  int count = 0;
  for (wchar_t c : text) {
    if (!IsDigit(c)) return 0;
    count = count * 10 + (c - L'0');
  }
  return count;
}

bool CaptureOptions::RegisterCaptureOptions() {
  OptionTables& options = common_.Options();
  bool registered = RegisterCommonOptions(options);
  for (std::wstring_view key : kCaptureTextKeys) registered = options.RegisterText(key) != nullptr && registered;
  for (std::wstring_view key : kCaptureBooleanKeys) registered = options.RegisterBoolean(key) != nullptr && registered;
  return registered;
}

bool CaptureOptions::RegisterCaptureWindowPositions(const std::function<WindowSlot(CaptureWindow)>& windowOf,
                                                    const std::function<const void*(int helpId)>& helpWindow) {
  PlacementTable& placements = common_.Placements();
  bool registered = true;
  for (std::size_t i = 0; i < kCaptureWindowKeys.size(); ++i) {
    const WindowSlot slot = windowOf ? windowOf(static_cast<CaptureWindow>(i)) : WindowSlot{};
    registered = RegisterWindowPosition(placements, kCaptureWindowKeys[i], slot) && registered;
  }
  // The light curve's document is the playback program's alone: the capture options file keeps the
  // help windows of the documents before it.
  return RegisterHelpWindowPositions(placements, helpWindow, HelpNumber(HelpPage::kLightCurve)) && registered;
}

std::wstring CaptureOptions::OptionsFilePath() const {
  return zuna::OptionsFilePath(common_.Folders().processDirectory, common_.InDevelopmentTree(),
                               kCaptureOptionsFileName);
}

bool CaptureOptions::ReadCaptureOptions() {
  return ReadOptionsFile(common_, OptionsFilePath(), [this](const std::wstring& key, const std::wstring& value) {
    ReadCaptureOptionNode(nodes_, key, value);
  });
}

void CaptureOptions::ApplyCaptureOptions() {
  OptionTables& options = common_.Options();
  FilterNamePrefix(options, kVideoNamePrefixKey, kMaxNamePrefixLength);
  FilterNamePrefix(options, kLogfileNamePrefixKey, kMaxNamePrefixLength);
  FilterNamePrefix(options, kEventFileGlobalPrefixKey, kMaxGlobalPrefixLength);
  const std::wstring duration = options.Text(kDefaultDurationKey);
  if (!duration.empty()) {
    if (const std::optional<CalendarTime> parsed = ParseDefaultDuration(duration)) settings_.defaultDuration = *parsed;
  }

  if (options.Text(kEventPendingDisplayKey).empty()) options.SetText(kEventPendingDisplayKey, kCountdown);
  settings_.showUtc = options.Text(kEventPendingDisplayKey) == L"UTC";

  CommonState& state = common_.State();
  state.displayOffWhileRecording = options.Boolean(kDisplayOffWhileRecordingKey);
  state.removeFiltersWhileRecording = options.Boolean(kRemoveFiltersWhileRecordingKey);
  state.timerOffWhileRecording = options.Boolean(kTimerOffWhileRecordingKey);
  ApplySavedSaturationLevel(common_);
  state.timeLapseCount = ParseTimeLapseCount(options.Text(kTimeLapseCountKey));
}

void CaptureOptions::FillDefaultFolders(const std::wstring& programFolder) {
  OptionTables& options = common_.Options();
  if (options.Text(kVideoDirectoryKey).empty()) options.SetText(kVideoDirectoryKey, programFolder + L"VideoFiles\\");
  if (options.Text(kUserMessagesDirectoryKey).empty()) {
    options.SetText(kUserMessagesDirectoryKey, programFolder + L"MessageFilesVC\\");
  }
}

bool CaptureOptions::SaveCaptureOptions(WindowPositions positions) {
  return WriteOptionsFile(common_, OptionsFilePath(), WriteCaptureOptionFileNodes(nodes_), positions);
}

void CaptureOptions::ReportSave(bool saved, std::wstring_view confirmation) {
  // A confirmation after a failed save would tell the user the settings are safe when they are not.
  PostStampedMessage(saved ? confirmation : kCaptureOptionsSaveWarning);
}

bool CaptureOptions::SaveOptionsFile() {
  const bool saved = SaveCaptureOptions();
  if (!saved) PostStampedMessage(kCaptureOptionsSaveWarning);
  return saved;
}

void CaptureOptions::SaveWindowPositions() {
  const bool saved = SaveCaptureOptions(WindowPositions::kWithMoves);
  ReportSave(saved, L"Window positions are saved in capture options file\r\n");
}

}  // namespace zuna
