#include "playback/win/playback_main_window.h"

#include <commctrl.h>

#include "common/program_folders.h"
#include "common/path_text.h"
#include "common/win/menu_bar.h"
#include "common/win/track_window_move.h"
#include "common/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kMainTitle[] = L"ZUNA Video Playback Version 2.4d";
constexpr DWORD kMainStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

}  // namespace

PlaybackMainWindow::PlaybackMainWindow(CommonWindows& common, HINSTANCE instance)
    : common_(common), instance_(instance), options_(common.Common()) {
  ZunaCommon& zc = common_.Common();
  CommonState& state = zc.State();
  options_.RegisterPlaybackOptions();
  LoadControlIcons();                                                      // 1
  CreatePlaybackHelpWindows();                                             // 2
  sliderForwardMessage_ = zc.NextIdentifier();                             // 3
  sliderBackwardMessage_ = zc.NextIdentifier();
  sliderReleasedMessage_ = zc.NextIdentifier();
  refreshPositionMessage_ = zc.NextIdentifier();
  helpButtonId_ = zc.NextIdentifier();
  saveId_ = zc.NextIdentifier();
  cancelId_ = zc.NextIdentifier();
  checkBoxIds_[0] = zc.NextIdentifier();
  checkBoxIds_[1] = zc.NextIdentifier();
  arrowFont_ = MakeFont(L"Courier New", 72, 800);                          // 4
  if (arrowFont_ == nullptr) PostUserMessage(L"WARNING: cannot create Courier New 72 font", true);
  if (!CreateMainWindow() || !CreateClippingWindow()) return;              // 5, 6
  state.displayWidth = 640;                                                // 7
  state.displayHeight = 480;
  SizeMainWindowToDisplay();
  if (!CreateOptionsWindow() || !CreateControlsWindow()) return;           // 8, 9
  RegisterPlacements();                                                    // 10
  options_.ReadPlaybackOptions();                                          // 11
  common_.ApplyIcons(mainWindow_);                                         // 12
  zc.ReportTimeZone();
  common_.PlaceMainWindow(mainWindow_);                                    // 13
  common_.PlaceLogWindow(mainWindow_);                                     // 14
  ShowWindow(mainWindow_, SW_SHOW);                                        // 15
  SetNoFileState();                                                        // 16
  PlaceControlsWindow();
  ids_ = TakePlaybackMenuIds([&zc] { return zc.NextIdentifier(); });       // 17
  RebuildMenu();
  ShowWindow(controlsWindow_, SW_SHOWNOACTIVATE);
  InstallProgramCallbacks();                                               // 18
  CreateFolders();                                                         // 19
  options_.FillDefaultFolders(programFolder_);                             // 20
  zc.Log().FlushPending();                                                 // 21
}

void PlaybackMainWindow::LoadControlIcons() {
  static const wchar_t* const kFiles[] = {L"start64x.ico",       L"pause64x.ico",
                                          L"beginFile64x.ico",   L"endFile64x.ico",
                                          L"forwardOneFrame64x.ico", L"backOneFrame64x.ico"};
  for (std::size_t i = 0; i < controlIcons_.size(); ++i) controlIcons_[i] = LoadIconFile(common_.IconPath(kFiles[i]), 64);
}

void PlaybackMainWindow::CreatePlaybackHelpWindows() {
  if (!common_.Help().Create(17)) {
    PostUserMessage(L"WARNING: cannot create Playback main help window - feature not enabled\r\n", true);
  }
  if (!common_.Help().Create(18)) {
    PostUserMessage(L"WARNING: cannot create Playback version history help window - feature not enabled\r\n", true);
  }
  if (!common_.Help().Create(19)) {
    PostUserMessage(L"WARNING: cannot create Playback miscellaneous options help window - feature not enabled\r\n",
                    true);
  }
}

bool PlaybackMainWindow::CreateMainWindow() {
  RegisterWindowClass(instance_, L"Main Window Class", MainProc, CS_HREDRAW | CS_VREDRAW, common_.Background());
  mainWindow_ = CreateWindowExW(0, L"Main Window Class", kMainTitle, kMainStyle, 0, 0, 400, 300, nullptr, nullptr,
                                instance_, this);
  if (mainWindow_ != nullptr) return true;
  common_.State().fatalStartupError = true;
  PostUserMessage(L"FATAL: cannot create main window", true);
  return false;
}

bool PlaybackMainWindow::CreateClippingWindow() {
  RegisterWindowClass(instance_, L"Clipping Window Class", DefWindowProcW, 0,
                      static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  clippingWindow_ = CreateWindowExW(0, L"Clipping Window Class", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200,
                                    mainWindow_, nullptr, instance_, nullptr);
  if (clippingWindow_ != nullptr) return true;
  common_.State().fatalStartupError = true;
  PostUserMessage(L"FATAL: cannot create clipping window", true);
  return false;
}

bool PlaybackMainWindow::CreateOptionsWindow() {
  RegisterWindowClass(instance_, L"MiscellaneousOptions", OptionsProc, 0, common_.Background());
  optionsWindow_ = CreateWindowExW(0, L"MiscellaneousOptions", L"Miscellaneous Options", kMainStyle, 0, 0, 380, 210,
                                   nullptr, nullptr, instance_, this);
  if (optionsWindow_ == nullptr) {
    common_.State().fatalStartupError = true;
    PostUserMessage(L"FATAL: cannot create Playback window", true);
    return false;
  }
  common_.ApplyIcons(optionsWindow_);
  return true;
}

bool PlaybackMainWindow::CreateControlsWindow() {
  RegisterWindowClass(instance_, L"PlaybackControlsWindow", ControlsProc, CS_NOCLOSE, common_.Background());
  controlsWindow_ = CreateWindowExW(0, L"PlaybackControlsWindow", L"Playback", kMainStyle, 0, 0, 636, 230, nullptr,
                                    nullptr, instance_, this);
  bool ok = controlsWindow_ != nullptr;
  static const wchar_t* const kTexts[] = {L"Start\r\nPlayback",  L"Pause",     L"Beginning\r\nof File",
                                          L"Back One\r\nFrame",  L"Forward\r\nOne Frame", L"End of\r\nFile"};
  // Icons in button order: start, pause, beginning, back, forward, end.
  static const int kIconOf[] = {0, 1, 2, 5, 4, 3};
  for (int i = 0; ok && i < 6; ++i) {
    HICON icon = controlIcons_[static_cast<std::size_t>(kIconOf[i])];
    const DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE | (icon ? BS_ICON : 0);
    buttons_[static_cast<std::size_t>(i)] = CreateWindowExW(0, L"BUTTON", kTexts[i], style, 3 + 103 * i, 3, 100, 100,
                                                            controlsWindow_, nullptr, instance_, nullptr);
    ok = buttons_[static_cast<std::size_t>(i)] != nullptr;
    if (ok && icon) SendMessageW(buttons_[static_cast<std::size_t>(i)], BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  }
  for (int i = 0; ok && i < 2; ++i) {
    HWND arrow = CreateWindowExW(0, L"BUTTON", i == 0 ? L"<" : L">", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                 621 + 103 * i, 3, 100, 100, controlsWindow_, nullptr, instance_, nullptr);
    buttons_[static_cast<std::size_t>(6 + i)] = arrow;
    ok = arrow != nullptr;
    if (ok && arrowFont_) SendMessageW(arrow, WM_SETFONT, reinterpret_cast<WPARAM>(arrowFont_), TRUE);
  }
  if (ok) {
    slider_ = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_TOP | TBS_AUTOTICKS | TBS_TOOLTIPS,
                              3, 106, 614, 50, controlsWindow_, nullptr, instance_, nullptr);
    frameNumberLine_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 3, 156, 614, 30, controlsWindow_,
                                       nullptr, instance_, nullptr);
    ok = slider_ != nullptr && frameNumberLine_ != nullptr;
  }
  if (ok) {
    if (common_.Fonts().tahoma22) {
      SendMessageW(frameNumberLine_, WM_SETFONT, reinterpret_cast<WPARAM>(common_.Fonts().tahoma22), TRUE);
    }
    common_.ApplyIcons(controlsWindow_);
    return true;
  }
  common_.State().fatalStartupError = true;
  PostUserMessage(L"FATAL: cannot create playback controls", true);
  return false;
}

void PlaybackMainWindow::SetNoFileState() {
  for (HWND button : buttons_) EnableWindow(button, FALSE);
  SendMessageW(slider_, TBM_SETRANGE, TRUE, MAKELPARAM(0, 0));
  SendMessageW(slider_, TBM_SETPAGESIZE, 0, 1);
  SendMessageW(slider_, TBM_SETPOS, TRUE, 0);
  EnableWindow(slider_, FALSE);
  SetWindowTextW(frameNumberLine_, L"");
  SetWindowPos(controlsWindow_, nullptr, 0, 0, 636, 230, SWP_NOMOVE | SWP_NOZORDER);
}

void PlaybackMainWindow::RegisterPlacements() {
  options_.RegisterPlaybackWindowPositions({mainWindow_, 400, 300}, controlsWindow_, optionsWindow_,
                                           [this](int id) -> const void* { return common_.Help().Window(id); });
}

void PlaybackMainWindow::SizeMainWindowToDisplay() {
  const CommonState& state = common_.State();
  if (IsIconic(mainWindow_)) ShowWindow(mainWindow_, SW_RESTORE);
  SetWindowPos(mainWindow_, nullptr, 0, 0, state.displayWidth + state.frameExtraWidth,
               state.displayHeight + state.frameExtraHeight, SWP_NOMOVE | SWP_NOZORDER);
  MoveWindow(clippingWindow_, 0, 0, state.displayWidth, state.displayHeight, TRUE);
}

void PlaybackMainWindow::PlaceControlsWindow() {
  const Rect outer = WindowRect(controlsWindow_);
  const auto at = DeterminePositionSettings(outer.Width(), outer.Height(), 4, WindowRect(common_.Log().Window()),
                                            common_.State().workArea);
  if (at) SetWindowPos(controlsWindow_, HWND_NOTOPMOST, at->x, at->y, 0, 0, SWP_NOSIZE);
  common_.Common().Placements().RecordMove(controlsWindow_, WindowRect(controlsWindow_), false);
}

void PlaybackMainWindow::InstallProgramCallbacks() {
  ProgramCallbacks callbacks;
  callbacks.saveOptionsFile = [this] { return options_.SaveOptionsFile(); };
  callbacks.onDisplayToolChanged = [this](int tool, bool shown) {
    const unsigned ids[] = {ids_.magnify, ids_.brightnessContrast, ids_.pixelSaturation, ids_.crosshairs};
    if (tool < 0 || tool > 3) return kInvalidArg;
    menu_.Check(ids[tool], shown);
    ApplyMenuModel(mainWindow_, menu_);
    return kOk;
  };
  common_.Common().SetProgramCallbacks(std::move(callbacks));
}

void PlaybackMainWindow::RebuildMenu() {
  PlaybackMenuState s;
  s.optionsFileWriter = true;
  menu_ = BuildPlaybackMenu(ids_, s);
  ApplyMenuModel(mainWindow_, menu_);
}

void PlaybackMainWindow::CreateFolders() {
  programFolder_ = ProgramFolderFromExecutable(ModulePath());
  CreateProgramFolders(programFolder_, {L"MessageFilesVP", L"OptionsFiles"}, FolderExists, CreateFolder);
}

void PlaybackMainWindow::OnCommand(unsigned id) {
  if (id == ids_.exit) {
    common_.State().exitRequested = true;
    DestroyWindow(mainWindow_);
  } else if (id == ids_.saveWindowPositions) {
    options_.SaveWindowPositions();
  } else if (id == ids_.playbackOverview) {
    common_.Help().Toggle(17, mainWindow_);
  } else if (id == ids_.versionHistory) {
    common_.Help().Toggle(18, mainWindow_);
  }
}

LRESULT CALLBACK PlaybackMainWindow::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<PlaybackMainWindow>(window, message, lParam);
  if (self == nullptr || self->mainWindow_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMain(message, wParam, lParam);
}

LRESULT PlaybackMainWindow::HandleMain(UINT message, WPARAM wParam, LPARAM lParam) {
  CommonState& state = common_.State();
  TrackWindowMove(common_.Common(), mainWindow_, message);
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      state.exitRequested = true;
      DestroyWindow(mainWindow_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(mainWindow_, message, wParam, lParam);
}

LRESULT CALLBACK PlaybackMainWindow::ControlsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<PlaybackMainWindow>(window, message, lParam);
  if (message == WM_CLOSE) return 0;  // the controls window cannot be closed
  if (self != nullptr && self->controlsWindow_ == window) {
    TrackWindowMove(self->common_.Common(), window, message);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PlaybackMainWindow::OptionsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    ShowWindow(window, SW_HIDE);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
