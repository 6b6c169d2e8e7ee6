#include "capture/gps/win/gps_window.h"

#include "common/windows/win/silver_look.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kClassName[] = L"GPSDevice";
constexpr int kCloseButtonId = 1;

HWND Label(HWND parent, HINSTANCE instance, const wchar_t* text, int x, int y, int width) {
  return CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, x, y, width, 20, parent, nullptr, instance,
                         nullptr);
}

}  // namespace

GpsWindow::GpsWindow(CommonWindows& common, HINSTANCE instance, HWND mainWindow, UINT refreshMessage,
                     Callbacks callbacks)
    : common_(common),
      instance_(instance),
      mainWindow_(mainWindow),
      refreshMessage_(refreshMessage),
      callbacks_(std::move(callbacks)) {}

GpsWindow::~GpsWindow() {
  StopRefreshTimer();
}

bool GpsWindow::Create() {
  RegisterWindowClass(instance_, kClassName, Proc, 0, SilverBrush());
  window_ = CreateWindowExW(0, kClassName, L"USB GPS Receiver", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 290,
                            250, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) return false;
  // Each label is followed by its value, so that the value belongs to the label for assistive tools.
  // Latitude and longitude are read-only edits so that the observer can copy them.
  const DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL;
  Label(window_, instance_, L"Latitude:", 10, 30, 95);
  latitude_ = CreateWindowExW(0, L"EDIT", L"", editStyle, 110, 30, 120, 20, window_, nullptr, instance_, nullptr);
  Label(window_, instance_, L"Longitude:", 10, 60, 95);
  longitude_ = CreateWindowExW(0, L"EDIT", L"", editStyle, 110, 60, 120, 20, window_, nullptr, instance_, nullptr);
  Label(window_, instance_, L"Altitude:", 10, 90, 95);
  altitude_ = Label(window_, instance_, L"", 110, 90, 110);
  Label(window_, instance_, L"Satellites:", 10, 120, 95);
  satellites_ = Label(window_, instance_, L"", 110, 120, 30);
  CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 100, 170, 70, 28, window_,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseButtonId)), instance_, nullptr);
  common_.ApplyIcons(window_);
  return true;
}

void GpsWindow::ShowStandByNotice(bool shown) {
  if (callbacks_.showStandBy) callbacks_.showStandBy(shown);
}

void GpsWindow::ShowGpsConnected(bool connected) {
  if (callbacks_.checkMenuItem) callbacks_.checkMenuItem(connected);
  if (window_ == nullptr) return;
  if (connected) {
    Place();
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  } else {
    ShowWindow(window_, SW_HIDE);
  }
}

void GpsWindow::Place() {
  const PlacementEntry* entry = common_.Common().Placements().Find(window_);
  if (entry == nullptr) return;
  if (entry->movedByUser || entry->currentLeftSet) {
    SetWindowPos(window_, HWND_NOTOPMOST, entry->currentRect.left, entry->currentRect.top, 0, 0, SWP_NOSIZE);
  } else if (entry->loadedFromFile) {
    SetWindowPos(window_, HWND_NOTOPMOST, entry->fileRect.left, entry->fileRect.top, 0, 0, SWP_NOSIZE);
  }
}

void GpsWindow::StartRefreshTimer() {
  StopRefreshTimer();
  CreateTimerQueueTimer(&timer_, nullptr, OnTimer, this, kGpsRefreshPeriodMs, kGpsRefreshPeriodMs, WT_EXECUTEDEFAULT);
}

void GpsWindow::StopRefreshTimer() {
  if (timer_ == nullptr) return;
  // INVALID_HANDLE_VALUE: returns only when a tick that is running has finished.
  DeleteTimerQueueTimer(nullptr, timer_, INVALID_HANDLE_VALUE);
  timer_ = nullptr;
}

void CALLBACK GpsWindow::OnTimer(PVOID context, BOOLEAN) {
  auto* self = static_cast<GpsWindow*>(context);
  if (self->eventPending_) return;
  auto texts = std::make_unique<GpsFixTexts>();
  if (!self->gps_.RefreshGpsWindow(*texts)) texts.reset();
  // Posted, never sent: the main thread may be waiting for this tick to end.
  if (PostMessageW(self->mainWindow_, self->refreshMessage_, 0, reinterpret_cast<LPARAM>(texts.get()))) {
    texts.release();
  }
}

void GpsWindow::OnRefreshMessage(LPARAM lParam) {
  std::unique_ptr<GpsFixTexts> texts(reinterpret_cast<GpsFixTexts*>(lParam));
  if (texts) ShowFix(*texts);
  if (gps_.Connected()) ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void GpsWindow::ShowFix(const GpsFixTexts& texts) {
  if (!texts.latitude.empty()) SetWindowTextW(latitude_, texts.latitude.c_str());
  if (!texts.longitude.empty()) SetWindowTextW(longitude_, texts.longitude.c_str());
  if (!texts.altitude.empty()) SetWindowTextW(altitude_, texts.altitude.c_str());
  if (!texts.satellites.empty()) SetWindowTextW(satellites_, texts.satellites.c_str());
}

LRESULT CALLBACK GpsWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<GpsWindow>(window, message, lParam);
  if (self == nullptr || self->window_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  TrackWindowMove(self->common_.Common(), window, message);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kCloseButtonId) {
        self->gps_.CloseGpsWindow();
        return 0;
      }
      break;
    case WM_CLOSE:
      self->gps_.CloseGpsWindow();
      return 0;
    case WM_CTLCOLORSTATIC:
      return BlackOnSilver(wParam);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
