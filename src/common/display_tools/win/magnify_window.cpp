#include "common/display_tools/win/magnify_window.h"

#include <string>

#include "common/foundation/win/common_windows.h"
#include "common/windows/win/win_util.h"

namespace zuna {

MagnifyWindow::MagnifyWindow(CommonWindows& common, HWND mainWindow)
    : ToolWindow(common, mainWindow), controller_(common.Common(), view_, [this] { return Room(); }) {}

ToolWindow::Frame MagnifyWindow::Describe() const {
  return {L"Magnify Class",
          L"Video Magnify",
          270,
          260,
          L"MagnifyWindowPosition",
          HelpPage::kMagnify,
          MagnifyController::kHelpButton};
}

void MagnifyWindow::CreateControls() {
  for (int choice = 0; choice < kMagnifyChoices; ++choice) {
    const std::wstring text(kMagnifyTexts[static_cast<std::size_t>(choice)]);
    Add(choice, L"BUTTON", text.c_str(), BS_RADIOBUTTON | WS_TABSTOP, 40, 20 + 30 * choice, 140, 25);
  }
  controller_.Initialize();
}

void MagnifyWindow::OnCommand(int control, int notification) {
  if (notification == BN_CLICKED && control >= 0 && control < kMagnifyChoices) controller_.OnChoice(control);
}

// The screen and what the main window adds around the video.
MagnifyRoom MagnifyWindow::Room() const {
  const SIZE extra = FrameExtra(mainWindow_);
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), static_cast<int>(extra.cx),
          static_cast<int>(extra.cy)};
}

}  // namespace zuna
