#include "common/windows/win/win_folder_picker.h"

#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

namespace zuna {
namespace {

template <typename T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p != nullptr) p->Release();
  }
};

std::optional<std::wstring> BrowseForFolder() {
  BROWSEINFOW info{};
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
  if (list == nullptr) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListW(list, path) != FALSE;
  CoTaskMemFree(list);
  if (!found) return std::nullopt;
  return std::wstring(path);
}

}  // namespace

std::optional<std::wstring> WinFolderPicker::PickFolder() {
  Released<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                              reinterpret_cast<void**>(&dialog.p))) ||
      dialog.p == nullptr) {
    return BrowseForFolder();  // a system without the newer dialog
  }
  FILEOPENDIALOGOPTIONS options = 0;
  if (FAILED(dialog.p->GetOptions(&options)) || FAILED(dialog.p->SetOptions(options | FOS_PICKFOLDERS))) {
    return std::nullopt;
  }
  if (FAILED(dialog.p->Show(nullptr))) return std::nullopt;  // cancelled, or it could not be shown
  Released<IShellItem> item;
  PWSTR path = nullptr;
  if (FAILED(dialog.p->GetResult(&item.p)) || item.p == nullptr ||
      FAILED(item.p->GetDisplayName(SIGDN_FILESYSPATH, &path)) || path == nullptr) {
    return std::nullopt;
  }
  std::wstring text(path);
  CoTaskMemFree(path);
  return text;
}

}  // namespace zuna
