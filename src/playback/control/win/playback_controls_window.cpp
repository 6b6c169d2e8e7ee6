#include "playback/control/win/playback_controls_window.h"

#include <commctrl.h>

#include <algorithm>

#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kSliderStyle = WS_CHILD | WS_VISIBLE | TBS_TOP | TBS_AUTOTICKS | TBS_TOOLTIPS;
// About this many ticks whatever the length of the file: a tick per frame would be unreadable.
constexpr FrameNumber kTicks = 64;

std::optional<SliderNotification> NotificationOf(WORD code) {
  switch (code) {
    case TB_LINEUP:
      return SliderNotification::kLineUp;
    case TB_LINEDOWN:
      return SliderNotification::kLineDown;
    case TB_PAGEUP:
      return SliderNotification::kPageUp;
    case TB_PAGEDOWN:
      return SliderNotification::kPageDown;
    case TB_THUMBPOSITION:
      return SliderNotification::kThumbPosition;
    default:
      return std::nullopt;  // tracking, end of tracking, top and bottom
  }
}

LPARAM SliderValue(FrameNumber value) {
  return static_cast<LPARAM>(std::clamp<FrameNumber>(value, 0, 0x7FFFFFFF));
}

}  // namespace

bool PlaybackControlsWindow::Create(CommonWindows& common, HINSTANCE instance, const std::array<HICON, 6>& icons,
                                    HFONT arrowFont) {
  common_ = &common;
  instance_ = instance;
  RegisterWindowClass(instance, L"PlaybackControlsWindow", Proc, CS_NOCLOSE, common.Background());
  window_ = CreateWindowExW(0, L"PlaybackControlsWindow", L"Playback", kWindowStyle, 0, 0, kControlsWindowWidth,
                            kControlsWindowHeight, nullptr, nullptr, instance, this);
  if (window_ == nullptr || !CreateButtons(icons, arrowFont) || !CreateSlider(kSliderWidth)) return false;
  frameNumberLine_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 3, 156, kSliderWidth, 30, window_,
                                     nullptr, instance, nullptr);
  if (frameNumberLine_ == nullptr) return false;
  if (common.Fonts().tahoma22) {
    SendMessageW(frameNumberLine_, WM_SETFONT, reinterpret_cast<WPARAM>(common.Fonts().tahoma22), TRUE);
  }
  common.ApplyIcons(window_);
  return true;
}

bool PlaybackControlsWindow::CreateButtons(const std::array<HICON, 6>& icons, HFONT arrowFont) {
  static const wchar_t* const kTexts[] = {L"Start\r\nPlayback",    L"Pause",
                                          L"Beginning\r\nof File", L"Back One\r\nFrame",
                                          L"Forward\r\nOne Frame", L"End of\r\nFile"};
  static const int kIconOf[] = {0, 1, 2, 5, 4, 3};  // button order: start, pause, beginning, back, forward, end
  for (std::size_t i = 0; i < 6; ++i) {
    HICON icon = icons[static_cast<std::size_t>(kIconOf[i])];
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE | (icon ? BS_ICON : 0);
    buttons_[i] = CreateWindowExW(0, L"BUTTON", kTexts[i], style, 3 + 103 * static_cast<int>(i), 3, 100, 100, window_,
                                  nullptr, instance_, nullptr);
    if (buttons_[i] == nullptr) return false;
    if (icon) SendMessageW(buttons_[i], BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  }
  for (std::size_t i = 0; i < 2; ++i) {
    HWND arrow = CreateWindowExW(0, L"BUTTON", i == 0 ? L"<" : L">", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                 621 + 103 * static_cast<int>(i), 3, 100, 100, window_, nullptr, instance_, nullptr);
    buttons_[6 + i] = arrow;
    if (arrow == nullptr) return false;
    if (arrowFont) SendMessageW(arrow, WM_SETFONT, reinterpret_cast<WPARAM>(arrowFont), TRUE);
  }
  return true;
}

bool PlaybackControlsWindow::CreateSlider(int width) {
  if (slider_ != nullptr) DestroyWindow(slider_);
  slider_ =
      CreateWindowExW(0, TRACKBAR_CLASSW, L"", kSliderStyle, 3, 106, width, 50, window_, nullptr, instance_, nullptr);
  return slider_ != nullptr;
}

void PlaybackControlsWindow::Apply(const PlaybackControlsState& state) {
  if (window_ == nullptr) return;
  for (std::size_t i = 0; i < kPlaybackButtonCount; ++i) EnableWindow(buttons_[i], state.buttonEnabled[i]);
  ApplySlider(state);
  if (!appliedOnce_ || state.frameNumberWidth != shown_.frameNumberWidth) {
    MoveWindow(frameNumberLine_, 3, 156, state.frameNumberWidth, 30, TRUE);
  }
  if (!appliedOnce_ || state.frameNumberText != shown_.frameNumberText) {
    SetWindowTextW(frameNumberLine_, state.frameNumberText.c_str());
  }
  if (!appliedOnce_ || state.windowWidth != shown_.windowWidth || state.windowHeight != shown_.windowHeight) {
    SetWindowPos(window_, nullptr, 0, 0, state.windowWidth, state.windowHeight, SWP_NOMOVE | SWP_NOZORDER);
  }
  shown_ = state;
  appliedOnce_ = true;
}

// The slider is made again when its width changes, as a trackbar lays out its channel once.
void PlaybackControlsWindow::ApplySlider(const PlaybackControlsState& state) {
  const bool remade = appliedOnce_ && state.sliderWidth != shown_.sliderWidth && CreateSlider(state.sliderWidth);
  if (remade || !appliedOnce_ || state.sliderMaximum != shown_.sliderMaximum) {
    SendMessageW(slider_, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageW(slider_, TBM_SETRANGEMAX, TRUE, SliderValue(state.sliderMaximum));
    SendMessageW(slider_, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(slider_, TBM_SETTICFREQ, static_cast<WPARAM>(std::max<FrameNumber>(1, state.sliderMaximum / kTicks)),
                 0);
  }
  SendMessageW(slider_, TBM_SETPOS, TRUE, SliderValue(state.sliderPosition));
  EnableWindow(slider_, state.sliderEnabled);
}

void PlaybackControlsWindow::ShowWindow() {
  if (IsIconic(window_)) ::ShowWindow(window_, SW_RESTORE);
  ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void PlaybackControlsWindow::OnScroll(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(lParam) != slider_ || !handlers_.slider) return;
  const std::optional<SliderNotification> notification = NotificationOf(LOWORD(wParam));
  if (!notification) return;
  // The position from the slider itself: the notification's own carries 16 bits only.
  const auto position = static_cast<FrameNumber>(SendMessageW(slider_, TBM_GETPOS, 0, 0));
  handlers_.slider(*notification, position);
}

LRESULT CALLBACK PlaybackControlsWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<PlaybackControlsWindow>(window, message, lParam);
  if (message == WM_CLOSE) return 0;  // the controls window cannot be closed
  if (self == nullptr || self->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT PlaybackControlsWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  TrackWindowMove(common_->Common(), window_, message);
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const auto found = std::find(buttons_.begin(), buttons_.end(), reinterpret_cast<HWND>(lParam));
    if (found != buttons_.end() && handlers_.button) {
      handlers_.button(static_cast<PlaybackButton>(found - buttons_.begin()));
    }
    return 0;
  }
  if (message == WM_HSCROLL) {
    OnScroll(wParam, lParam);
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace zuna
