#pragma once
// The system's file-open dialog. The Win32 implementation lives in win/; tests script the answers.
#include <string>

#include "common/foundation/status.h"

namespace zuna {

// One file type the dialog offers, e.g. "Audio Video Interleave" with "*.avi".
struct FileTypeFilter {
  std::wstring name;
  std::wstring pattern;
};

// What the dialog gave: kOk with the chosen file's path (empty when no dialog was available);
// kAbort when it could not be shown or the user cancelled; kAccessDenied when the chosen item has
// no file-system path.
struct FilePick {
  Status status = kAbort;
  std::wstring path;
};

class FilePicker {
 public:
  virtual ~FilePicker() = default;
  // Shows the dialog without an owner window; the chosen file must match the one filter.
  virtual FilePick PickFileToOpen(const FileTypeFilter& filter) = 0;
};

}  // namespace zuna
