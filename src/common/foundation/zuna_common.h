#pragma once
// The common foundation of a program: shared state, the user-messages log, the option tables, the
// window placement table, the identifier counter and the folders found at start-up. The windows
// that go with it live in common/win.
#include <functional>
#include <string>

#include "common/foundation/common_state.h"
#include "common/foundation/status.h"
#include "common/log/user_messages_log.h"
#include "common/options/option_tables.h"
#include "common/time/clock.h"
#include "common/windows/window_placement.h"

namespace zuna {

inline constexpr unsigned kFirstIdentifier = 32768;

// processDirectory: the current directory when it holds "ZunaVideoIcons", else its parent when that
// does, else the current directory; always with a trailing backslash.
struct StartFolders {
  std::wstring currentDirectory;  // with a trailing backslash
  std::wstring processDirectory;  // with a trailing backslash
  std::wstring iconsFolder;       // processDirectory + "ZunaVideoIcons\\", or empty when not found
};
StartFolders FindStartFolders(std::wstring_view currentDirectory,
                              const std::function<bool(const std::wstring&)>& folderExists);

// What the common windows ask of the program that owns them.
struct ProgramCallbacks {
  std::function<Status(int tool, bool shown)> onDisplayToolChanged;  // 0 magnify, 1 brightness/contrast, ...
  std::function<bool()> saveOptionsFile;
  std::function<void()> videoSizeChanged;
  // Draws a paused picture again after a display value changed; empty where the picture runs live.
  std::function<Status()> refreshPausedPicture;
};

// The display values whose change a paused picture shows at once.
enum class DisplayValue { kBrightnessContrast, kSaturationLevel, kCrosshairIntensity, kCrosshairPosition };

class ZunaCommon {
 public:
  ZunaCommon(ProgramKind kind, const Clock& clock, StartFolders folders);
  ~ZunaCommon();
  ZunaCommon(const ZunaCommon&) = delete;
  ZunaCommon& operator=(const ZunaCommon&) = delete;

  CommonState& State() { return state_; }
  UserMessagesLog& Log() { return log_; }
  OptionTables& Options() { return options_; }
  PlacementTable& Placements() { return placements_; }
  const Clock& GetClock() const { return clock_; }

  // Consecutive identifiers for menu commands and private window messages, from 32768.
  unsigned NextIdentifier() { return nextIdentifier_++; }
  unsigned PeekIdentifier() const { return nextIdentifier_; }

  // A start-up step that cannot go on reports it here; the entry point then ends the program.
  void ReportFatalStartupError() { fatalStartupError_ = true; }
  bool FatalStartupError() const { return fatalStartupError_; }

  const StartFolders& Folders() const { return folders_; }
  bool InDevelopmentTree() const { return inDevelopmentTree_; }

  int UtcBiasMinutes() const { return utcBiasMinutes_; }
  // Posts the time-zone line and keeps the bias for UTC file names.
  void ReportTimeZone();

  // The path of a new saved-messages file, by the program's options.
  std::wstring BuildMessageFilePath() const;

  // Installed by the program once its main window exists; the common windows call them.
  void SetProgramCallbacks(ProgramCallbacks callbacks) { callbacks_ = std::move(callbacks); }
  // Saves the options file through the program; false when there is no program callback or the save failed.
  bool SaveOptionsFile() const { return callbacks_.saveOptionsFile && callbacks_.saveOptionsFile(); }
  Status DisplayToolChanged(int tool, bool shown) const;
  // A display value changed: a paused picture is drawn again, a failure reported by the value's kind.
  void DisplayValueChanged(DisplayValue value) const;
  void VideoSizeChanged() const {
    if (callbacks_.videoSizeChanged) callbacks_.videoSizeChanged();
  }

  // The log window's File menu.
  // False, told to the user, when the file could not be written.
  bool OnSaveMessages();
  void OnSaveMessagesAndClear();
  void OnClearMessages();

 private:
  const Clock& clock_;
  CommonState state_;
  UserMessagesLog log_;
  OptionTables options_;
  PlacementTable placements_;
  StartFolders folders_;
  bool inDevelopmentTree_ = false;
  bool fatalStartupError_ = false;
  int utcBiasMinutes_ = 0;
  unsigned nextIdentifier_ = kFirstIdentifier;
  ProgramCallbacks callbacks_;
};

}  // namespace zuna
