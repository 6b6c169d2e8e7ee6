#pragma once
// FilePicker on the system's common file dialogs.
#include <windows.h>

#include <string>

#include "common/windows/file_picker.h"

namespace zuna {

class WinFilePicker final : public FilePicker {
 public:
  FilePick PickFileToOpen(const FileTypeFilter& filter) override;
  // The system's save dialog titled `title`, offering `suggested` (a whole path); a chosen name without
  // the filter's extension gets it.
  FilePick PickFileToSave(const FileTypeFilter& filter, const std::wstring& title, const std::wstring& suggested,
                          HWND owner);
};

}  // namespace zuna
