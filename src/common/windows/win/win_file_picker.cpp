#include "common/windows/win/win_file_picker.h"

#include <windows.h>

#include <commdlg.h>
#include <shobjidl.h>

#include <algorithm>

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

// The classic save dialog: its title and its file name field are what every system shows alike.
FilePick WinFilePicker::PickFileToSave(const FileTypeFilter& filter, const std::wstring& title,
                                       const std::wstring& suggested, HWND owner) {
  std::wstring filterText = filter.name + L" (" + filter.pattern + L")";
  filterText.push_back(L'\0');
  filterText += filter.pattern;
  filterText.push_back(L'\0');
  std::wstring name(std::max<std::size_t>(suggested.size() + 1, 4096), L'\0');
  suggested.copy(name.data(), suggested.size());
  const std::size_t dot = filter.pattern.find_last_of(L'.');
  const std::wstring extension = dot == std::wstring::npos ? std::wstring() : filter.pattern.substr(dot + 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filterText.c_str();
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetSaveFileNameW(&dialog)) return {kAbort, {}};  // cancelled, or it could not be shown
  return {kOk, std::wstring(name.c_str())};
}

}  // namespace zuna
