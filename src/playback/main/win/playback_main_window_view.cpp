// The playback main window's running side: its messages, and what the program and the controller
// ask of it.
#include "common/foundation/win/program_main_window.h"
#include "common/windows/win/menu_bar.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"
#include "common/windows/window_placement.h"
#include "playback/main/win/playback_main_window.h"

namespace zuna {
namespace {

// The play timer's tick, posted from its timer-queue thread so that the main thread does the work.
// Below the identifiers of the common counter, which begin at WM_APP.
constexpr UINT kPlayTimerTickMessage = WM_USER + 1;

}  // namespace

void PlaybackMainWindow::ApplyMenu(const MenuModel& menu) {
  ApplyMenuModel(mainWindow_, menu);
}

Status PlaybackMainWindow::RedrawPausedFrame() {
  if (!player_.HasMediaSeeking() && Failed(player_.SetMediaSeekingInterface())) return kFail;
  std::int64_t frame = 0;
  if (Failed(player_.GetCurrentFrame(frame))) return kFail;
  return player_.SetCurrentFrame(frame);
}

void PlaybackMainWindow::FitToMagnifiedDisplay() {
  SizeMainWindowToDisplay();
  player_.UpdateDisplaySize();
  InvalidateRect(mainWindow_, nullptr, FALSE);
}

void PlaybackMainWindow::SizeMainWindowToDisplay() {
  zuna::SizeMainWindowToDisplay(common_.Common(), mainWindow_, clippingWindow_);
  program_.OnMainWindowSized();
}

// A window grown from its top-left corner for a larger video can reach past the screen's edge or
// over the controls window: it moves back inside, clear of the controls where there is room, else
// the controls move clear of it. Programmatic moves: recorded, but not as the user's.
void PlaybackMainWindow::KeepMainWindowInView() {
  const Rect outer = WindowRect(mainWindow_);
  const Rect controls = WindowRect(controls_.Window());
  const bool shown = IsWindowVisible(controls_.Window()) != FALSE;
  const ViewPlaces places = KeepInView(outer, common_.State().workArea, shown ? &controls : nullptr);
  const auto move = [this](HWND window, Point at) {
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    common_.Common().Placements().RecordMove(window, WindowRect(window), false);
  };
  if (places.window != Point{outer.left, outer.top}) move(mainWindow_, places.window);
  if (places.other) move(controls_.Window(), *places.other);
}

void PlaybackMainWindow::ToggleOptionsWindow() {
  if (optionsWindow_.Controller() != nullptr) optionsWindow_.Controller()->Toggle();
}

void PlaybackMainWindow::ShowVideoSurface(bool show) {
  ShowWindow(clippingWindow_, show ? SW_SHOW : SW_HIDE);
}

void PlaybackMainWindow::StartPlayTimer() {
  if (!playTimer_) playTimer_.emplace(mainWindow_, kPlayTimerTickMessage);
  playTimer_->Start(1000, 1000);
}

void PlaybackMainWindow::StopPlayTimer() {
  // Does not wait: a tick already posted finds the controller no longer playing.
  if (playTimer_) playTimer_->Stop(false);
}

void PlaybackMainWindow::PostRefreshPosition() {
  PostMessageW(mainWindow_, refreshPositionMessage_, 0, 0);
}

void PlaybackMainWindow::PaintBlank(HWND window) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  program_.OnVideoUncovered();
}

LRESULT CALLBACK PlaybackMainWindow::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<PlaybackMainWindow>(window, message, lParam);
  if (self == nullptr || self->mainWindow_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMain(message, wParam, lParam);
}

bool PlaybackMainWindow::HandlePrivateMessage(UINT message, LPARAM lParam) {
  if (!controller_) return false;
  const auto position = static_cast<FrameNumber>(lParam);
  if (message == sliderForwardMessage_) {
    controller_->OnSliderNotification(SliderNotification::kLineDown, position);
  } else if (message == sliderBackwardMessage_) {
    controller_->OnSliderNotification(SliderNotification::kLineUp, position);
  } else if (message == sliderReleasedMessage_) {
    controller_->OnSliderNotification(SliderNotification::kThumbPosition, position);
  } else if (message == refreshPositionMessage_) {
    program_.RunCommand(PlaybackCommand::kRefreshPosition);
  } else if (message == kPlayTimerTickMessage) {
    controller_->OnPlayTimerTick();
  } else {
    return false;
  }
  return true;
}

LRESULT PlaybackMainWindow::HandleMain(UINT message, WPARAM wParam, LPARAM lParam) {
  TrackWindowMove(common_.Common(), mainWindow_, message);
  if (HandlePrivateMessage(message, lParam)) return 0;
  switch (message) {
    case WM_COMMAND: {
      MenuCommandScope command(common_.State());
      program_.OnMenuCommand(LOWORD(wParam));
      return 0;
    }
    case WM_PAINT:
      PaintBlank(mainWindow_);
      return 0;
    case WM_SIZE:
      if (!common_.State().startupInProgress) InvalidateRect(mainWindow_, nullptr, FALSE);
      break;
    case WM_CLOSE:
      program_.Exit();
      return 0;
    case WM_DESTROY:
      StopPlayTimer();
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(mainWindow_, message, wParam, lParam);
}

}  // namespace zuna
