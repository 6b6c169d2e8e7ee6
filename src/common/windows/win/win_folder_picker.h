#pragma once
// FolderPicker on the system's folder dialog: the file-open dialog in pick-folders mode, or the
// older folder browser where that dialog is missing.
#include "common/windows/folder_picker.h"

namespace zuna {

class WinFolderPicker final : public FolderPicker {
 public:
  std::optional<std::wstring> PickFolder() override;
};

}  // namespace zuna
