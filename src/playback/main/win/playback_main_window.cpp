#include "playback/main/win/playback_main_window.h"

#include "common/foundation/win/program_main_window.h"
#include "common/windows/win/menu_bar.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"
#include "video/player/crosshair_intensity_format.h"

namespace zuna {
namespace {

constexpr wchar_t kMainTitle[] = L"ZUNA Video Playback Version 2.4d";
constexpr DWORD kMainStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The play timer's tick, posted from its timer-queue thread so that the main thread does the work.
// Below the identifiers of the common counter, which begin at WM_APP.
constexpr UINT kPlayTimerTickMessage = WM_USER + 1;

}  // namespace

PlaybackMainWindow::PlaybackMainWindow(CommonWindows& common, HINSTANCE instance, VideoPlayer& player)
    : common_(common), instance_(instance), player_(player), options_(common.Common()) {
  ZunaCommon& zc = common_.Common();
  CommonState& state = zc.State();
  options_.RegisterPlaybackOptions();
  LoadControlIcons();                           // 1
  CreatePlaybackHelpWindows();                  // 2
  sliderForwardMessage_ = zc.NextIdentifier();  // 3
  sliderBackwardMessage_ = zc.NextIdentifier();
  sliderReleasedMessage_ = zc.NextIdentifier();
  refreshPositionMessage_ = zc.NextIdentifier();
  helpButtonId_ = zc.NextIdentifier();
  saveId_ = zc.NextIdentifier();
  cancelId_ = zc.NextIdentifier();
  checkBoxIds_[0] = zc.NextIdentifier();
  checkBoxIds_[1] = zc.NextIdentifier();
  arrowFont_ = MakeFont(L"Courier New", 72, 800);  // 4
  if (arrowFont_ == nullptr) PostUserMessage(L"WARNING: cannot create Courier New 72 font", true);
  if (!CreateMainWindow() || !CreateClippingWindow()) return;  // 5, 6
  state.displayWidth = 640;                                    // 7
  state.displayHeight = 480;
  SizeMainWindowToDisplay();
  const PlaybackOptionsWindow::ControlIds optionIds{
      {checkBoxIds_[0], checkBoxIds_[1]}, saveId_, cancelId_, helpButtonId_};
  if (!optionsWindow_.Create(common_, instance_, optionIds) || !CreateControlsWindow()) return;  // 8, 9
  CreateDisplayTools();
  RegisterPlacements();             // 10
  options_.ReadPlaybackOptions();   // 11
  common_.ApplyIcons(mainWindow_);  // 12
  zc.ReportTimeZone();
  common_.PlaceMainWindow(mainWindow_);                               // 13
  common_.PlaceLogWindow(mainWindow_);                                // 14
  ShowWindow(mainWindow_, SW_SHOW);                                   // 15
  PlaceControlsWindow();                                              // 16
  ids_ = TakePlaybackMenuIds([&zc] { return zc.NextIdentifier(); });  // 17
  RebuildMenu();
  optionsWindow_.Connect(mainWindow_, {[this](bool on) {
                                         menu_.Check(ids_.miscellaneous, on);
                                         ApplyMenuModel(mainWindow_, menu_);
                                       },
                                       [this] { tools_->Close(kToolMagnify); }});
  CreatePlaybackControl();  // the controls in the no-file state, shown
  ShowWindow(controls_.Window(), SW_SHOWNOACTIVATE);
  InstallProgramCallbacks();                                                            // 18
  CreateFoldersBesideExecutable({L"MessageFilesVP", L"OptionsFiles"}, programFolder_);  // 19
  options_.FillDefaultFolders(programFolder_);                                          // 20
  zc.Log().FlushPending();                                                              // 21
}

void PlaybackMainWindow::LoadControlIcons() {
  static const wchar_t* const kFiles[] = {L"start64x.ico",   L"pause64x.ico",           L"beginFile64x.ico",
                                          L"endFile64x.ico", L"forwardOneFrame64x.ico", L"backOneFrame64x.ico"};
  for (std::size_t i = 0; i < controlIcons_.size(); ++i)
    controlIcons_[i] = LoadIconFile(common_.IconPath(kFiles[i]), 64);
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
  RegisterWindowClass(instance_, L"Clipping Window Class", ClippingProc, 0,
                      static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  clippingWindow_ = CreateWindowExW(0, L"Clipping Window Class", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200,
                                    mainWindow_, nullptr, instance_, this);
  if (clippingWindow_ != nullptr) {
    player_.SetClippingWindow(reinterpret_cast<std::uintptr_t>(clippingWindow_));
    return true;
  }
  common_.State().fatalStartupError = true;
  PostUserMessage(L"FATAL: cannot create clipping window", true);
  return false;
}

bool PlaybackMainWindow::CreateControlsWindow() {
  if (controls_.Create(common_, instance_, controlIcons_, arrowFont_)) return true;
  common_.State().fatalStartupError = true;
  PostUserMessage(L"FATAL: cannot create playback controls", true);
  return false;
}

// The controller and the file commands, the controls in the no-file state.
void PlaybackMainWindow::CreatePlaybackControl() {
  CommonState& state = common_.State();
  controller_ = std::make_unique<PlaybackController>(playbackGraph_, controls_, *this, menu_, ids_, state);
  files_ = std::make_unique<PlaybackFiles>(picker_, player_, *controller_, *this, state);
  // Slider notifications reach the main window as its private messages, the position with them.
  PlaybackControlsWindow::Handlers handlers;
  handlers.button = [this](PlaybackButton button) { controller_->OnButtonClicked(button); };
  handlers.slider = [this](SliderNotification notification, FrameNumber position) {
    UINT message = sliderReleasedMessage_;
    if (notification == SliderNotification::kLineUp || notification == SliderNotification::kPageUp) {
      message = sliderBackwardMessage_;
    } else if (notification == SliderNotification::kLineDown || notification == SliderNotification::kPageDown) {
      message = sliderForwardMessage_;
    }
    PostMessageW(mainWindow_, message, 0, static_cast<LPARAM>(position));
  };
  controls_.SetHandlers(std::move(handlers));
  controller_->EnterNoFileState();
}

void PlaybackMainWindow::RegisterPlacements() {
  options_.RegisterPlaybackWindowPositions({mainWindow_, 400, 300}, controls_.Window(), optionsWindow_.Window(),
                                           [this](int id) -> const void* { return common_.Help().Window(id); });
}

void PlaybackMainWindow::SizeMainWindowToDisplay() {
  zuna::SizeMainWindowToDisplay(common_.Common(), mainWindow_, clippingWindow_);
}

// Its saved place when there is one, else below the log window.
void PlaybackMainWindow::PlaceControlsWindow() {
  PlaceWindow(common_.Common(), controls_.Window(), 4, common_.Log().Window(), false, nullptr);
}

void PlaybackMainWindow::InstallProgramCallbacks() {
  ProgramCallbacks callbacks;
  callbacks.saveOptionsFile = [this] { return options_.SaveOptionsFile(); };
  callbacks.onDisplayToolChanged = [this](int tool, bool shown) { return OnDisplayToolChanged(tool, shown); };
  callbacks.refreshPausedPicture = [this] { return RefreshPausedPicture(); };
  callbacks.videoSizeChanged = [this] { FitToMagnifiedDisplay(); };
  common_.Common().SetProgramCallbacks(std::move(callbacks));
}

void PlaybackMainWindow::CreateDisplayTools() {
  tools_ = std::make_unique<DisplayToolWindows>(common_, mainWindow_, [this](int brightness, int contrast) {
    player_.SetBrightnessContrast(brightness, contrast);
  });
  tools_->Create();
  player_.SetSubtypeChangedHandler(
      [this](const MediaGuid& subtype) { tools_->SetIntensityFormat(CrosshairIntensityFormat(subtype)); });
}

void PlaybackMainWindow::ToggleDisplayTool(int tool) {
  if (tool != kToolMagnify && controller_ != nullptr && controller_->IsPlaying()) {
    PostUserMessage(L"Logic error: attempt to add display control when media is running\r\n", true);
    return;
  }
  tools_->Toggle(tool);
}

Status PlaybackMainWindow::OnDisplayToolChanged(int tool, bool shown) {
  const Status result = ApplyDisplayToolChange(
      common_.Common(), menu_, mainWindow_,
      {ids_.magnify, ids_.brightnessContrast, ids_.pixelSaturation, ids_.crosshairs}, tool, shown,
      [this] { return files_ != nullptr ? files_->RebuildGraphWithSameSourceFile() : kOk; });
  // The rebuilt graph comes back paused at the frame it showed.
  if (controller_ != nullptr && controller_->FileOpen()) {
    controller_->RunCommand(CommandNumber(PlaybackCommand::kRefreshPosition));
    controller_->RunCommand(CommandNumber(PlaybackCommand::kPausePlayback));
  }
  return result;
}

Status PlaybackMainWindow::RefreshPausedPicture() {
  if (controller_ == nullptr || !controller_->FileOpen() || player_.IsRunning()) return kOk;
  if (!player_.HasMediaSeeking() && Failed(player_.SetMediaSeekingInterface())) return kFail;
  std::int64_t frame = 0;
  if (Failed(player_.GetCurrentFrame(frame))) return kFail;
  return player_.SetCurrentFrame(frame);
}

// The magnifier chose a size: the window and the renderer follow it.
void PlaybackMainWindow::FitToMagnifiedDisplay() {
  if (!common_.State().magnifyChangeInProgress) return;
  SizeMainWindowToDisplay();
  player_.UpdateDisplaySize();
  InvalidateRect(mainWindow_, nullptr, FALSE);
}

void PlaybackMainWindow::OpenFileNamed(const std::wstring& path) {
  if (files_ == nullptr) return;
  BeforeOpening();
  files_->OpenNamed(path);
  AfterOpening();
}

// A new file is fitted to the screen afresh: the magnifier closes, and shows the fitted size as its
// choice when it opens again.
void PlaybackMainWindow::BeforeOpening() {
  tools_->Close(kToolMagnify);
}

void PlaybackMainWindow::AfterOpening() {
  CommonState& state = common_.State();
  if (controller_ == nullptr || !controller_->FileOpen()) return;
  state.magnifyChoice =
      MagnifyChoiceForDisplay(state.videoWidth, state.videoHeight, state.displayWidth, state.displayHeight);
}

void PlaybackMainWindow::RebuildMenu() {
  PlaybackMenuState s;
  s.fileOpening = true;
  s.optionsFileWriter = true;
  s.optionsWindow = true;
  for (int tool = 0; tool < 4; ++tool) {
    s.toolWindowExists[tool] = tools_ != nullptr && tools_->Exists(tool);
    s.toolUnavailable[tool] = common_.State().featureUnavailable[static_cast<std::size_t>(tool)];
  }
  menu_ = BuildPlaybackMenu(ids_, s);
  ApplyMenuModel(mainWindow_, menu_);
}

void PlaybackMainWindow::OnCommand(unsigned id) {
  if (id == ids_.open) {
    BeforeOpening();
    files_->Open();
    AfterOpening();
  } else if (id == ids_.close) {
    files_->Close();
  } else if (id == ids_.information) {
    files_->Information();
  } else if (id == ids_.exit) {
    Exit();
  } else if (id == ids_.droppedFramesControl) {
    controller_->OnDroppedFramesControlCommand();
  } else if (id == ids_.saveWindowPositions) {
    options_.SaveWindowPositions();
  } else if (id == ids_.miscellaneous) {
    if (optionsWindow_.Controller() != nullptr) optionsWindow_.Controller()->Toggle();
  } else if (id == ids_.magnify) {
    ToggleDisplayTool(kToolMagnify);
  } else if (id == ids_.brightnessContrast) {
    ToggleDisplayTool(kToolBrightnessContrast);
  } else if (id == ids_.pixelSaturation) {
    ToggleDisplayTool(kToolPixelSaturation);
  } else if (id == ids_.crosshairs) {
    ToggleDisplayTool(kToolCrosshairs);
  } else if (id == ids_.playbackOverview) {
    common_.Help().Toggle(17, mainWindow_);
  } else if (id == ids_.versionHistory) {
    common_.Help().Toggle(18, mainWindow_);
  }
}

void PlaybackMainWindow::Exit() {
  if (controller_) controller_->CloseFile();
  common_.State().exitRequested = true;
  DestroyWindow(mainWindow_);
}

// The renderer draws the paused frame again; nothing is on show at the end of the file.
void PlaybackMainWindow::Paint() {
  PAINTSTRUCT paint;
  BeginPaint(mainWindow_, &paint);
  EndPaint(mainWindow_, &paint);
  if (!controller_ || !controller_->FileOpen()) return;
  if (controller_->DisplayedPosition() < controller_->Player().LastFrame()) player_.RepaintVideo();
}

// --- PlaybackHost

void PlaybackMainWindow::ShowVideoSurface(bool show) {
  ShowWindow(clippingWindow_, show ? SW_SHOW : SW_HIDE);
}

void CALLBACK PlaybackMainWindow::PlayTimerTick(PVOID window, BOOLEAN) {
  PostMessageW(static_cast<HWND>(window), kPlayTimerTickMessage, 0, 0);
}

void PlaybackMainWindow::StartPlayTimer() {
  StopPlayTimer();
  if (!CreateTimerQueueTimer(&playTimer_, nullptr, PlayTimerTick, mainWindow_, 1000, 1000, WT_EXECUTEDEFAULT)) {
    playTimer_ = nullptr;
  }
}

void PlaybackMainWindow::StopPlayTimer() {
  if (playTimer_ == nullptr) return;
  // Does not wait: a tick already posted finds the controller no longer playing.
  DeleteTimerQueueTimer(nullptr, playTimer_, nullptr);
  playTimer_ = nullptr;
}

void PlaybackMainWindow::PostRefreshPosition() {
  PostMessageW(mainWindow_, refreshPositionMessage_, 0, 0);
}

void PlaybackMainWindow::ReleaseFile() {
  files_->Release();
}

void PlaybackMainWindow::MenuChanged() {
  ApplyMenuModel(mainWindow_, menu_);
}

// The video is drawn into the clipping window: whenever it is uncovered, moved or resized the
// frame on show is drawn again, not left black until the next step.
LRESULT CALLBACK PlaybackMainWindow::ClippingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<PlaybackMainWindow>(window, message, lParam);
  if (message != WM_PAINT || self == nullptr || self->clippingWindow_ != window) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  if (self->controller_ && self->controller_->FileOpen() &&
      self->controller_->DisplayedPosition() < self->controller_->Player().LastFrame()) {
    self->player_.RepaintVideo();
  }
  return 0;
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
    controller_->RunCommand(CommandNumber(PlaybackCommand::kRefreshPosition));
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
      OnCommand(LOWORD(wParam));
      return 0;
    }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SIZE:
      if (!common_.State().startupInProgress) InvalidateRect(mainWindow_, nullptr, FALSE);
      break;
    case WM_CLOSE:
      Exit();
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
