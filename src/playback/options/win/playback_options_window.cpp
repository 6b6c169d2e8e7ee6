#include "playback/options/win/playback_options_window.h"

#include "common/foundation/win/common_windows.h"
#include "common/help/win/help_button.h"
#include "common/log/user_messages_log.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {

using PO = PlaybackOptionsController;

bool PlaybackOptionsWindow::Create(CommonWindows& common, HINSTANCE instance, const ControlIds& ids) {
  common_ = &common;
  instance_ = instance;
  RegisterWindowClass(instance, L"MiscellaneousOptions", Proc, 0, common.Background());
  HWND window =
      CreateWindowExW(0, L"MiscellaneousOptions", L"Miscellaneous Options", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                      0, 380, 210, nullptr, nullptr, instance, this);
  if (window == nullptr) {
    common.State().fatalStartupError = true;
    PostUserMessage(L"FATAL: cannot create Playback window", true);
    return false;
  }
  common.ApplyIcons(window);
  view_.Attach(window, [this](HWND w) { PlaceWindow(common_->Common(), w, 0, nullptr, true, mainWindow_); });
  AddControl(PO::kDateTimeAtEnd, ids.checkBoxes[0], BS_AUTOCHECKBOX | WS_TABSTOP, 30, 40, 295, 25);
  AddControl(PO::kDisableMagnifyClamp, ids.checkBoxes[1], BS_AUTOCHECKBOX | WS_TABSTOP, 30, 65, 295, 25);
  AddControl(PO::kSave, ids.save, BS_PUSHBUTTON | WS_TABSTOP, 40, 130, 70, 28);
  AddControl(PO::kCancel, ids.cancel, BS_PUSHBUTTON | WS_TABSTOP, 240, 130, 70, 28);
  if (HWND help = CreateHelpButton(window, static_cast<int>(ids.help), common.HelpIcon())) {
    view_.Add(PO::kHelpButton, help);
  } else {
    PostUserMessage(L"Creating miscellaneous options help button failed - help for window not available\r\n", true);
  }
  return true;
}

void PlaybackOptionsWindow::AddControl(int id, unsigned childId, DWORD style, int x, int y, int width, int height) {
  HWND control = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height, view_.Window(),
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(childId)), instance_, nullptr);
  if (control == nullptr) return;
  if (HFONT font = common_->Fonts().tahoma16) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  view_.Add(id, control);
}

void PlaybackOptionsWindow::Connect(HWND mainWindow, PlaybackOptionsController::Hooks hooks) {
  mainWindow_ = mainWindow;
  controller_ = std::make_unique<PlaybackOptionsController>(common_->Common(), view_, std::move(hooks));
  controller_->Initialize();
}

LRESULT CALLBACK PlaybackOptionsWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<PlaybackOptionsWindow>(window, message, lParam);
  if (self == nullptr || self->view_.Window() != window) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT PlaybackOptionsWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = view_.Window();
  TrackWindowMove(common_->Common(), window, message);
  if (message == WM_CLOSE) {
    if (controller_) controller_->OnCancel();
    return 0;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && controller_) {
    switch (view_.IdOf(reinterpret_cast<HWND>(lParam))) {
      case PO::kDateTimeAtEnd:
      case PO::kDisableMagnifyClamp:
        controller_->OnBoxClicked();
        break;
      case PO::kSave:
        controller_->OnSave();
        break;
      case PO::kCancel:
        controller_->OnCancel();
        break;
      case PO::kHelpButton:
        common_->Help().Show(19, window, false);
        break;
      default:
        break;
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
