#include "playback/options/win/playback_options_window.h"

#include "common/foundation/win/common_windows.h"
#include "common/help/win/help_button.h"
#include "common/log/user_messages_log.h"
#include "common/windows/win/place_window.h"

namespace zuna {

using PO = PlaybackOptionsController;

bool PlaybackOptionsWindow::Create(CommonWindows& common, HINSTANCE, const ControlIds& ids) {
  common_ = &common;
  const SmallWindowFrame frame{L"MiscellaneousOptions",
                               L"Miscellaneous Options",
                               380,
                               210,
                               WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                               0,
                               0,
                               common.Background(),
                               false};
  if (!window_.Create(common, common.Fonts().tahoma16, frame,
                      [this](HWND w) { PlaceWindow(common_->Common(), w, 0, nullptr, true, mainWindow_); })) {
    common.Common().ReportFatalStartupError();
    PostStampedMessage(L"FATAL: cannot create Playback window");
    return false;
  }
  AddControl(PO::kDateTimeAtEnd, ids.checkBoxes[0], BS_AUTOCHECKBOX | WS_TABSTOP, 30, 40, 295, 25);
  AddControl(PO::kDisableMagnifyClamp, ids.checkBoxes[1], BS_AUTOCHECKBOX | WS_TABSTOP, 30, 65, 295, 25);
  AddControl(PO::kSave, ids.save, BS_PUSHBUTTON | WS_TABSTOP, 40, 130, 70, 28);
  AddControl(PO::kCancel, ids.cancel, BS_PUSHBUTTON | WS_TABSTOP, 240, 130, 70, 28);
  if (HWND help = CreateHelpButton(window_.Window(), static_cast<int>(ids.help), common.HelpIcon())) {
    window_.View().Add(PO::kHelpButton, help);
  } else {
    PostStampedMessage(L"Creating miscellaneous options help button failed - help for window not available\r\n");
  }
  window_.SetHandlers({[this](int childId, int code) {
                         // The controller knows the controls by its own ids; the child ids are the program's.
                         if (code != BN_CLICKED || !controller_) return;
                         OnClicked(window_.View().IdOf(GetDlgItem(window_.Window(), childId)));
                       },
                       [this] {
                         if (controller_) controller_->OnCancel();
                       }});
  return true;
}

void PlaybackOptionsWindow::AddControl(int id, unsigned childId, DWORD style, int x, int y, int width, int height) {
  if (HWND control = window_.AddChild(L"BUTTON", L"", style, static_cast<int>(childId), x, y, width, height)) {
    window_.View().Add(id, control);
  }
}

void PlaybackOptionsWindow::Connect(HWND mainWindow, PlaybackOptionsController::Hooks hooks) {
  mainWindow_ = mainWindow;
  controller_ = std::make_unique<PlaybackOptionsController>(common_->Common(), window_.View(), std::move(hooks));
  controller_->Initialize();
}

void PlaybackOptionsWindow::OnClicked(int control) {
  switch (control) {
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
      common_->Help().Show(HelpPage::kPlaybackMiscellaneousOptions, window_.Window(), false);
      break;
    default:
      break;
  }
}

}  // namespace zuna
