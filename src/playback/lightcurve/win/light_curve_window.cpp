#include "playback/lightcurve/win/light_curve_window.h"

#include <commctrl.h>

#include <cstring>

#include "common/foundation/win/common_windows.h"
#include "common/log/user_messages_log.h"
#include "common/windows/win/place_window.h"

#ifndef ZUNA_VERSION_TEXT
#define ZUNA_VERSION_TEXT "development"
#endif

namespace zuna {
namespace {

using LC = LightCurveController;

constexpr int kWidth = 720;
constexpr int kHeight = 700;
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 100;
constexpr int kProgressId = 190;

// The colour of each role's marks: target green, tracking stars yellow, comparison cyan.
constexpr COLORREF kRoleColours[] = {RGB(0, 255, 0), RGB(255, 255, 0), RGB(255, 255, 0), RGB(0, 255, 255)};

}  // namespace

void ThreadWork::Start(std::function<void()> work) {
  Wait();
  thread_ = std::thread(std::move(work));
}

void ThreadWork::Wait() {
  if (thread_.joinable()) thread_.join();
}

bool LightCurveWindow::Create(CommonWindows& common, HINSTANCE instance, VideoOverlay& overlay) {
  common_ = &common;
  overlay_ = &overlay;
  const SmallWindowFrame frame{
      L"LightCurve",       L"Light Curve", kWidth, kHeight, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
      common.Background(), false};
  if (!window_.Create(common, common.Fonts().tahoma16, frame,
                      [this](HWND w) { PlaceWindow(common_->Common(), w, 0, nullptr, true, mainWindow_); })) {
    PostStampedMessage(L"WARNING: cannot create Light Curve window - feature not enabled");
    return false;
  }
  AddControls(instance);
  window_.SetHandlers({[this](int id, int code) {
                         if (controller_ && code == BN_CLICKED) controller_->OnClicked(id);
                       },
                       [this] {
                         if (controller_) controller_->OnClose();
                       },
                       [this](UINT_PTR timer) {
                         if (controller_ && timer == kPollTimer) controller_->OnPoll();
                       }});
  return true;
}

void LightCurveWindow::AddControls(HINSTANCE instance) {
  DialogWindow& w = window_;
  w.Add(L"STATIC", L"", SS_LEFT, LC::kStatus, 12, 10, 690, 36);
  w.AddLabel(L"Click picks:", 12, 54, 96);
  w.Add(L"BUTTON", L"Target", WS_TABSTOP | WS_GROUP | BS_RADIOBUTTON, LC::kPickTarget, 110, 52, 84, 22);
  w.AddRadio(L"Tracking star 1", LC::kPickTrack1, 198, 52, 150);
  w.AddRadio(L"Tracking star 2", LC::kPickTrack2, 352, 52, 150);
  w.AddRadio(L"Comparison star", LC::kPickComparison, 506, 52, 170);
  w.Add(L"STATIC", L"", SS_LEFT | SS_ENDELLIPSIS, LC::kStars, 12, 82, 580, 22);
  w.AddButton(L"Clear Stars", LC::kClearStars, 600, 78, 104, 28);
  w.AddLabel(L"Measure:", 12, 116, 70);
  w.Add(L"BUTTON", L"Frames", WS_TABSTOP | WS_GROUP | BS_RADIOBUTTON, LC::kFrames, 86, 114, 80, 22);
  w.AddRadio(L"Fields (top first)", LC::kTopFirst, 170, 114, 140);
  w.AddRadio(L"Fields (bottom first)", LC::kBottomFirst, 314, 114, 160);
  w.AddButton(L"Measure", LC::kMeasure, 500, 110, 98, 30);
  w.AddButton(L"Cancel", LC::kCancel, 606, 110, 98, 30);
  progress_ = w.AddChild(PROGRESS_CLASSW, L"", PBS_SMOOTH, kProgressId, 12, 148, 692, 14);
  plot_.Create(instance, w.Window(), 12, 170, 692, 290, [this](const std::optional<PlotPoint>& point) {
    if (controller_) controller_->OnPlotClick(point);
  });
  w.Add(L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, LC::kResults,
        12, 468, 692, 150);
  w.AddButton(L"Save CSV...", LC::kSaveCsv, 12, 628, 110, 30);
  w.AddButton(L"Copy Results", LC::kCopyResults, 130, 628, 110, 30);
  w.AddHelpButton(HelpPage::kLightCurve, 660, 626, L"Creating light curve help button failed - help not available");
}

void LightCurveWindow::Connect(HWND mainWindow, Hooks hooks) {
  mainWindow_ = mainWindow;
  hooks_ = std::move(hooks);
  controller_ = std::make_unique<LightCurveController>(window_.View(), *this, work_, ZUNA_VERSION_TEXT,
                                                       LC::Hooks{hooks_.checkMenuItem, hooks_.goToFrame});
}

void LightCurveWindow::SetProgress(std::uint32_t done, std::uint32_t total) {
  SendMessageW(progress_, PBM_SETRANGE32, 0, static_cast<LPARAM>(total == 0 ? 1 : total));
  SendMessageW(progress_, PBM_SETPOS, static_cast<WPARAM>(done), 0);
}

void LightCurveWindow::StartPolling() {
  SetTimer(window_.Window(), kPollTimer, kPollMs, nullptr);
}

void LightCurveWindow::StopPolling() {
  KillTimer(window_.Window(), kPollTimer);
}

void LightCurveWindow::ShowMarkers(const std::vector<StarMarker>& markers) {
  std::vector<OverlayCircle> circles;
  for (const StarMarker& m : markers) {
    const COLORREF colour = kRoleColours[static_cast<std::size_t>(m.role)];
    const double x = m.centre.x, y = m.centre.y;
    circles.push_back({x, y, m.aperture.radius, colour, false});
    circles.push_back({x, y, m.aperture.annulusInner, colour, true});
    circles.push_back({x, y, m.aperture.annulusOuter, colour, true});
  }
  overlay_->Set(std::move(circles));
  if (hooks_.repaintVideo) hooks_.repaintVideo();
}

void LightCurveWindow::CopyText(const std::wstring& text) {
  if (!OpenClipboard(window_.Window())) {
    PostStampedMessage(L"WARNING: cannot open the clipboard to copy the light curve's results");
    return;
  }
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  void* target = memory != nullptr ? GlobalLock(memory) : nullptr;
  if (target != nullptr) {
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) != nullptr) memory = nullptr;  // the clipboard owns it now
  }
  if (memory != nullptr) GlobalFree(memory);
  CloseClipboard();
}

std::optional<std::wstring> LightCurveWindow::ChooseCsvFile(const std::wstring& suggested) {
  const FilePick pick =
      picker_.PickFileToSave({L"Comma-separated values", L"*.csv"}, L"Save Light Curve", suggested, window_.Window());
  if (pick.status != kOk || pick.path.empty()) return std::nullopt;
  return pick.path;
}

}  // namespace zuna
