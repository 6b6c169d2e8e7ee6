#pragma once
// The "File Options" window: the prefixes of recordings, log files and event files, and the
// folders of recordings and of the user-messages log. Edits go into the values to save; Save
// makes them the values in use, Cancel takes them back.
#include <functional>
#include <string>
#include <string_view>

#include "capture/options/options_dialog.h"
#include "common/windows/folder_picker.h"

namespace zuna {

enum FileOptionsControl {
  kVideoExampleText = 481,
  kVideoPrefixLabel,
  kVideoPrefixEdit,
  kVideoSelectFolderButton,
  kVideoFolderText,
  kVideoUseDefaultButton,
  kLogExampleText,
  kLogPrefixLabel,
  kLogPrefixEdit,
  kLogSelectFolderButton,
  kLogFolderText,
  kLogUseDefaultButton,
  kEventPrefixLabel,
  kEventPrefixEdit,
  kHostNameButton,
  kFileOptionsSaveButton,
  kFileOptionsCancelButton,
};

inline constexpr std::size_t kMaxNamePrefixLength = 20;
inline constexpr std::size_t kMaxGlobalPrefixLength = 12;
inline constexpr std::wstring_view kFileOptionsSavedMessage = L"File options are saved in capture options file\r\n";
inline constexpr std::wstring_view kAllowedCharactersMessage =
    L"Allowed characters are 'a' thru 'z', 'A' thru 'Z', '0' thru '9', '-', '_' or blank\r\n";
inline constexpr std::wstring_view kComputerNameFilteredMessage =
    L"One or more characters removed from computer name to have valid global event file name prefix\r\n";

// The example beside a prefix: "prefix_mm_dd_yyyy_hh_mm_ss" or "yyyy_mm_dd_hh_mm_ss_postfix", then
// `extension`.
std::wstring ExampleFileName(std::wstring_view prefix, bool dateTimeAtEnd, std::wstring_view extension);

struct FileOptionsParts {
  FolderPicker& picker;
  std::function<std::wstring()> computerName;
  // The program's folder, ending in a backslash: the default folders lie beneath it.
  std::function<std::wstring()> programFolder;
};

class FileOptionsController final : public OptionsDialog {
 public:
  FileOptionsController(OptionsDialogParts parts, FileOptionsParts files)
      : OptionsDialog(std::move(parts)), f_(std::move(files)) {}

  // The user changed the text of one of the three prefix edits.
  void OnPrefixChanged(int edit);
  void OnHostName();
  void OnSelectFolder(int button);
  void OnUseDefault(int button);
  void OnSave();
  void Cancel() override;

 private:
  void Fill() override;
  void ShowExamples();
  void StoreFolder(int folderText, std::wstring_view folder);

  FileOptionsParts f_;
};

}  // namespace zuna
