#include "common/windows/win/win_file_picker.h"

#include <windows.h>

#include <shobjidl.h>

namespace zuna {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p != nullptr) p->Release();
  }
};

}  // namespace

FilePick WinFilePicker::PickFileToOpen(const FileTypeFilter& filter) {
  Released<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                              reinterpret_cast<void**>(&dialog.p))) ||
      dialog.p == nullptr) {
    return {kAbort, {}};
  }
  const COMDLG_FILTERSPEC fileType{filter.name.c_str(), filter.pattern.c_str()};
  dialog.p->SetFileTypes(1, &fileType);
  FILEOPENDIALOGOPTIONS options = 0;
  if (SUCCEEDED(dialog.p->GetOptions(&options))) {
    dialog.p->SetOptions(options | FOS_STRICTFILETYPES | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST);
  }
  if (FAILED(dialog.p->Show(nullptr))) return {kAbort, {}};  // cancelled, or it could not be shown
  Released<IShellItem> item;
  PWSTR path = nullptr;
  if (FAILED(dialog.p->GetResult(&item.p)) || item.p == nullptr ||
      FAILED(item.p->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
    return {kAccessDenied, {}};
  }
  FilePick pick{kOk, path != nullptr ? std::wstring(path) : std::wstring()};
  CoTaskMemFree(path);
  return pick;
}

}  // namespace zuna
