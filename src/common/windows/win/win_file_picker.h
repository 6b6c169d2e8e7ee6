#pragma once
// FilePicker on the system's common file-open dialog.
#include "common/windows/file_picker.h"

namespace zuna {

class WinFilePicker final : public FilePicker {
 public:
  FilePick PickFileToOpen(const FileTypeFilter& filter) override;
};

}  // namespace zuna
