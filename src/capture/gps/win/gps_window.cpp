#include "capture/gps/win/gps_window.h"

namespace zuna {
namespace {

constexpr int kCloseButtonId = 1;

}  // namespace

GpsWindow::GpsWindow(CommonWindows& common, HINSTANCE, HWND mainWindow, UINT refreshMessage, Callbacks callbacks)
    : common_(common),
      callbacks_(std::move(callbacks)),
      refresh_(
          mainWindow, refreshMessage, [this] { return ReadFix(); },
          [](LPARAM texts) { delete reinterpret_cast<GpsFixTexts*>(texts); }) {}

GpsWindow::~GpsWindow() {
  StopRefreshTimer();
}

bool GpsWindow::Create() {
  if (!window_.Create(common_, nullptr,
                      {L"GPSDevice", L"USB GPS Receiver", 290, 250, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX})) {
    return false;
  }
  // Each label is followed by its value, so that the value belongs to the label for assistive tools.
  // Latitude and longitude are read-only edits so that the observer can copy them.
  DialogWindow& w = window_;
  const DWORD editStyle = ES_READONLY | ES_AUTOHSCROLL;
  w.AddLabel(L"Latitude:", 10, 30, 95);
  latitude_ = w.Add(L"EDIT", L"", editStyle, 0, 110, 30, 120, 20);
  w.AddLabel(L"Longitude:", 10, 60, 95);
  longitude_ = w.Add(L"EDIT", L"", editStyle, 0, 110, 60, 120, 20);
  w.AddLabel(L"Altitude:", 10, 90, 95);
  altitude_ = w.AddLabel(L"", 110, 90, 110);
  w.AddLabel(L"Satellites:", 10, 120, 95);
  satellites_ = w.AddLabel(L"", 110, 120, 30);
  w.AddChild(L"BUTTON", L"Close", BS_PUSHBUTTON, kCloseButtonId, 100, 170, 70, 28);
  w.SetHandlers({[this](int id, int) {
                   if (id == kCloseButtonId) gps_.CloseGpsWindow();
                 },
                 [this] { gps_.CloseGpsWindow(); }});
  return true;
}

void GpsWindow::ShowStandByNotice(bool shown) {
  if (callbacks_.showStandBy) callbacks_.showStandBy(shown);
}

void GpsWindow::ShowGpsConnected(bool connected) {
  if (callbacks_.checkMenuItem) callbacks_.checkMenuItem(connected);
  if (Window() == nullptr) return;
  if (connected) {
    Place();
    ShowWindow(Window(), SW_SHOWNOACTIVATE);
  } else {
    ShowWindow(Window(), SW_HIDE);
  }
}

void GpsWindow::Place() {
  const PlacementEntry* entry = common_.Common().Placements().Find(Window());
  if (entry == nullptr) return;
  if (entry->movedByUser || entry->currentLeftSet) {
    SetWindowPos(Window(), HWND_NOTOPMOST, entry->currentRect.left, entry->currentRect.top, 0, 0, SWP_NOSIZE);
  } else if (entry->loadedFromFile) {
    SetWindowPos(Window(), HWND_NOTOPMOST, entry->fileRect.left, entry->fileRect.top, 0, 0, SWP_NOSIZE);
  }
}

void GpsWindow::StartRefreshTimer() {
  StopRefreshTimer();
  refresh_.Start(kGpsRefreshPeriodMs, kGpsRefreshPeriodMs);
}

void GpsWindow::StopRefreshTimer() {
  // Returns only when a tick that is running has finished: the port is then the main thread's.
  refresh_.Stop(true);
}

std::optional<LPARAM> GpsWindow::ReadFix() {
  if (eventPending_) return std::nullopt;
  auto texts = std::make_unique<GpsFixTexts>();
  if (!gps_.RefreshGpsWindow(*texts)) texts.reset();
  return reinterpret_cast<LPARAM>(texts.release());
}

void GpsWindow::OnRefreshMessage(LPARAM lParam) {
  std::unique_ptr<GpsFixTexts> texts(reinterpret_cast<GpsFixTexts*>(lParam));
  if (texts) ShowFix(*texts);
  if (gps_.Connected()) ShowWindow(Window(), SW_SHOWNOACTIVATE);
}

void GpsWindow::ShowFix(const GpsFixTexts& texts) {
  if (!texts.latitude.empty()) SetWindowTextW(latitude_, texts.latitude.c_str());
  if (!texts.longitude.empty()) SetWindowTextW(longitude_, texts.longitude.c_str());
  if (!texts.altitude.empty()) SetWindowTextW(altitude_, texts.altitude.c_str());
  if (!texts.satellites.empty()) SetWindowTextW(satellites_, texts.satellites.c_str());
}

}  // namespace zuna
