#pragma once
// The capture program's options windows, opened and closed from the Options menu: "Miscellaneous
// Options", "Performance Options", "File Options", "Default Recording Duration", "Event Pending
// Options" and "Codec Selector".
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "capture/options/capture_options.h"
#include "capture/options/codec_selector_controller.h"
#include "capture/options/default_duration_controller.h"
#include "capture/options/event_pending_controller.h"
#include "capture/options/file_options_controller.h"
#include "capture/options/miscellaneous_options_controller.h"
#include "capture/options/performance_options_controller.h"
#include "common/windows/win/dialog_window.h"
#include "common/windows/win/win_folder_picker.h"

namespace zuna {

class OptionsWindows {
 public:
  struct Parts {
    CommonWindows& common;
    CaptureOptions& options;
    HFONT font;
    HICON folderIcon;  // the "Select Folder" buttons; may be null
    std::function<void(unsigned id, bool on)> checkMenuItem;
    std::function<void(std::wstring_view)> setCountdownCaption;
    std::function<std::wstring()> programFolder;
    std::function<VideoSourceInfo*()> currentDevice;
    std::function<std::vector<std::wstring>()> codecNames;
    unsigned codecId, fileId, durationId, eventPendingId, performanceId, miscellaneousId;  // Options menu commands
  };

  explicit OptionsWindows(Parts parts) : p_(std::move(parts)) {}

  // The hidden windows and their controllers, at start-up; false when a window could not be created.
  bool Create();
  // The Options menu's commands toggle their windows; false for any other command.
  bool OnCommand(unsigned id);
  bool IsOpen(unsigned id) const;

  HWND MiscellaneousWindow() const { return misc_.Window(); }
  HWND PerformanceWindow() const { return performance_.Window(); }
  HWND FileWindow() const { return files_.Window(); }
  HWND DurationWindow() const { return duration_.Window(); }
  HWND EventPendingWindow() const { return pending_.Window(); }
  HWND CodecWindow() const { return codec_.Window(); }

 private:
  OptionsDialogParts DialogParts(DialogWindow& window);
  OptionsDialog* DialogOf(unsigned id) const;
  bool CreateMiscellaneous();
  bool CreatePerformance();
  bool CreateFileOptions();
  bool CreateDuration();
  bool CreateEventPending();
  bool CreateCodecSelector();
  void AddFileGroup(int top, const wchar_t* title, int firstControl);

  Parts p_;
  DialogWindow misc_, performance_, files_, duration_, pending_, codec_;
  WinFolderPicker picker_;
  std::unique_ptr<MiscellaneousOptionsController> miscController_;
  std::unique_ptr<PerformanceOptionsController> performanceController_;
  std::unique_ptr<FileOptionsController> filesController_;
  std::unique_ptr<DefaultDurationController> durationController_;
  std::unique_ptr<EventPendingController> pendingController_;
  std::unique_ptr<CodecSelectorController> codecController_;
};

}  // namespace zuna
