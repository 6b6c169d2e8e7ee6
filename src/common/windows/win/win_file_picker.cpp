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

FilePick WinFilePicker::PickFileToSave(const FileTypeFilter& filter, const std::wstring& title,
                                       const std::wstring& suggested, HWND owner) {
  Released<IFileSaveDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileSaveDialog,
                              reinterpret_cast<void**>(&dialog.p))) ||
      dialog.p == nullptr) {
    return {kAbort, {}};
  }
  const COMDLG_FILTERSPEC fileType{filter.name.c_str(), filter.pattern.c_str()};
  dialog.p->SetFileTypes(1, &fileType);
  dialog.p->SetTitle(title.c_str());
  const std::size_t slash = suggested.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring() : suggested.substr(0, slash);
  dialog.p->SetFileName(suggested.substr(slash == std::wstring::npos ? 0 : slash + 1).c_str());
  Released<IShellItem> place;
  if (!folder.empty() && SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_IShellItem,
                                                               reinterpret_cast<void**>(&place.p)))) {
    dialog.p->SetFolder(place.p);
  }
  const std::size_t dot = filter.pattern.find_last_of(L'.');
  if (dot != std::wstring::npos) dialog.p->SetDefaultExtension(filter.pattern.c_str() + dot + 1);
  if (FAILED(dialog.p->Show(owner))) return {kAbort, {}};
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
