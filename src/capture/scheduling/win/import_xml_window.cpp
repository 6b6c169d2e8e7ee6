#include "capture/scheduling/win/import_xml_window.h"

#include <commctrl.h>

#include "common/help/win/help_button.h"
#include "common/windows/win/child_controls.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/silver_look.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

// Beside the controls' own identifiers.
constexpr int kHelpButton = 90;
constexpr wchar_t kClassName[] = L"Import XML Events Class";
constexpr int kFolderWidth = 360;

}  // namespace

bool ImportXmlWindow::Create(CommonWindows& common, HFONT font, HICON folderIcon) {
  common_ = &common;
  HINSTANCE instance = common.Instance();
  RegisterWindowClass(instance, kClassName, Proc, 0, SilverBrush());
  window_ = CreateWindowExW(0, kClassName, L"Import XML Events", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 500,
                            200, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  view_ = std::make_unique<WinWindowView>(window_, [&common](HWND w) { MoveToSavedPlace(common.Common(), w); });
  WinWindowView& v = *view_;
  AddLabel(window_, L"Select Folder with XML based Events:", 15, 10, 360, font);
  HWND select = AddControl(window_, L"BUTTON", L"Select\r\nFolder",
                           WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | (folderIcon != nullptr ? BS_ICON : 0),
                           kSelectFolderButton, 15, 36, 70, 50, font);
  if (select != nullptr && folderIcon != nullptr) {
    SendMessageW(select, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(folderIcon));
  }
  v.Add(kSelectFolderButton, select);
  v.Add(kImportFolderText, folder_.Create(window_, kImportFolderText, 100, 50, kFolderWidth, font));
  v.Add(kImportOkButton,
        AddControl(window_, L"BUTTON", L"OK", WS_TABSTOP | BS_PUSHBUTTON, kImportOkButton, 130, 110, 100, 30, font));
  v.Add(kImportCancelButton, AddControl(window_, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, kImportCancelButton,
                                        260, 110, 100, 30, font));
  EnableWindow(v.Control(kImportOkButton), FALSE);
  CreateHelpButton(window_, kHelpButton, common.HelpIcon());
  common.ApplyIcons(window_);
  return true;
}

LRESULT CALLBACK ImportXmlWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<ImportXmlWindow>(window, message, lParam);
  if (self == nullptr || self->window_ == nullptr || self->controller_ == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT ImportXmlWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  TrackWindowMove(common_->Common(), window_, message);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kHelpButton) {
        common_->Help().Toggle(20, window_);
        return 0;
      }
      if (HIWORD(wParam) != BN_CLICKED) return 0;
      if (LOWORD(wParam) == kSelectFolderButton) controller_->OnSelectFolder();
      if (LOWORD(wParam) == kImportOkButton) controller_->OnOk();
      if (LOWORD(wParam) == kImportCancelButton || LOWORD(wParam) == IDCANCEL) controller_->Close();
      return 0;
    case WM_CLOSE:
      controller_->Close();
      return 0;
    case WM_CTLCOLORSTATIC:
      return BlackOnSilver(wParam);
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace zuna
