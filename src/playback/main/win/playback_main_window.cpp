#include "playback/main/win/playback_main_window.h"

#include "common/foundation/win/program_main_window.h"
#include "common/options/common_option_keys.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/win_util.h"
#include "video/player/crosshair_intensity_format.h"

namespace zuna {
namespace {

constexpr wchar_t kMainTitle[] = L"ZUNA Video Playback Version 2.4d";
constexpr DWORD kMainStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

}  // namespace

PlaybackMainWindow::PlaybackMainWindow(CommonWindows& common, HINSTANCE instance, VideoPlayer& player,
                                       VideoOverlay& overlay)
    : common_(common),
      instance_(instance),
      player_(player),
      overlay_(overlay),
      options_(common.Common()),
      state_(common.State(), playbackGraph_) {
  program_.Start(*this);
}

void PlaybackMainWindow::LoadControlIcons() {
  static const wchar_t* const kFiles[] = {L"start64x.ico",   L"pause64x.ico",           L"beginFile64x.ico",
                                          L"endFile64x.ico", L"forwardOneFrame64x.ico", L"backOneFrame64x.ico"};
  for (std::size_t i = 0; i < controlIcons_.size(); ++i)
    controlIcons_[i] = LoadIconFile(common_.IconPath(kFiles[i]), 64);
}

void PlaybackMainWindow::CreateHelpWindows() {
  if (!common_.Help().Create(HelpPage::kVideoPlayback)) {
    PostStampedMessage(L"WARNING: cannot create Playback main help window - feature not enabled\r\n");
  }
  if (!common_.Help().Create(HelpPage::kPlaybackVersionHistory)) {
    PostStampedMessage(L"WARNING: cannot create Playback version history help window - feature not enabled\r\n");
  }
  if (!common_.Help().Create(HelpPage::kLightCurve)) {
    PostStampedMessage(L"WARNING: cannot create Light Curve help window - feature not enabled\r\n");
  }
  if (!common_.Help().Create(HelpPage::kPlaybackMiscellaneousOptions)) {
    PostStampedMessage(L"WARNING: cannot create Playback miscellaneous options help window - feature not enabled\r\n");
  }
}

void PlaybackMainWindow::TakeMessageIdentifiers() {
  ZunaCommon& zc = common_.Common();
  for (unsigned* id :
       {&sliderForwardMessage_, &sliderBackwardMessage_, &sliderReleasedMessage_, &refreshPositionMessage_,
        &helpButtonId_, &saveId_, &cancelId_, &checkBoxIds_[0], &checkBoxIds_[1]}) {
    *id = zc.NextIdentifier();
  }
}

void PlaybackMainWindow::CreateArrowFont() {
  arrowFont_ = MakeFont(L"Courier New", 72, 800);
  if (arrowFont_ == nullptr) PostStampedMessage(L"WARNING: cannot create Courier New 72 font");
}

bool PlaybackMainWindow::Fatal(const wchar_t* message) {
  common_.Common().ReportFatalStartupError();
  PostStampedMessage(message);
  return false;
}

bool PlaybackMainWindow::CreateMainWindow() {
  RegisterWindowClass(instance_, L"Main Window Class", MainProc, CS_HREDRAW | CS_VREDRAW, common_.Background());
  mainWindow_ = CreateWindowExW(0, L"Main Window Class", kMainTitle, kMainStyle, 0, 0, 400, 300, nullptr, nullptr,
                                instance_, this);
  return mainWindow_ != nullptr || Fatal(L"FATAL: cannot create main window");
}

bool PlaybackMainWindow::CreateVideoSurface() {
  const bool made = videoWindow_.Create(instance_, mainWindow_, [this] { program_.OnVideoUncovered(); });
  clippingWindow_ = videoWindow_.Handle();
  if (!made) return Fatal(L"FATAL: cannot create clipping window");
  player_.SetClippingWindow(reinterpret_cast<std::uintptr_t>(clippingWindow_));
  return true;
}

bool PlaybackMainWindow::CreateOptionsWindow() {
  return optionsWindow_.Create(common_, instance_,
                               {{checkBoxIds_[0], checkBoxIds_[1]}, saveId_, cancelId_, helpButtonId_});
}

bool PlaybackMainWindow::CreateControlsWindow() {
  return controls_.Create(common_, instance_, controlIcons_, arrowFont_) ||
         Fatal(L"FATAL: cannot create playback controls");
}

void PlaybackMainWindow::CreateDisplayTools() {
  tools_ = std::make_unique<DisplayToolWindows>(common_, mainWindow_, [this](int brightness, int contrast) {
    player_.SetBrightnessContrast(brightness, contrast);
  });
  tools_->Create();
  player_.SetSubtypeChangedHandler(
      [this](const MediaGuid& subtype) { tools_->SetIntensityFormat(CrosshairIntensityFormat(subtype)); });
}

void PlaybackMainWindow::RegisterPlacements() {
  options_.RegisterPlaybackWindowPositions({mainWindow_, 400, 300}, controls_.Window(), optionsWindow_.Window(),
                                           lightCurve_.Window(),
                                           [this](int id) -> const void* { return common_.Help().Window(id); });
}

void PlaybackMainWindow::ApplyIconsAndReportTimeZone() {
  common_.ApplyIcons(mainWindow_);
  common_.Common().ReportTimeZone();
}

void PlaybackMainWindow::ChoosePictureRenderer() {
  player_.ApplyPictureRendererChoice(common_.Common().Options().Boolean(kUseWindowRendererKey));
}

// The controls window goes to its saved place when there is one, else below the log window.
void PlaybackMainWindow::PlaceAndShowWindows() {
  common_.PlaceMainWindow(mainWindow_);
  common_.PlaceLogWindow(mainWindow_);
  ShowWindow(mainWindow_, SW_SHOW);
  PlaceWindow(common_.Common(), controls_.Window(), 4, common_.Log().Window(), false, nullptr);
}

void PlaybackMainWindow::ConnectOptionsWindow() {
  optionsWindow_.Connect(
      mainWindow_, {[this](bool on) { program_.SetOptionsWindowShown(on); }, [this] { tools_->Close(kToolMagnify); }});
}

// The controller and the file commands, the controls in the no-file state.
void PlaybackMainWindow::CreatePlaybackControl() {
  CommonState& state = common_.State();
  controller_ =
      std::make_unique<PlaybackController>(playbackGraph_, controls_, *this, program_.Menu(), program_.Ids(), state);
  files_ = std::make_unique<PlaybackFiles>(picker_, player_, *controller_, *this, state);
  program_.Attach(controller_.get(), files_.get(), tools_.get());
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
  ShowWindow(controls_.Window(), SW_SHOWNOACTIVATE);
  ConnectLightCurve();
}

void PlaybackMainWindow::InstallProgramCallbacks() {
  ProgramCallbacks callbacks;
  callbacks.saveOptionsFile = [this] { return options_.SaveOptionsFile(); };
  callbacks.onDisplayToolChanged = [this](int tool, bool shown) { return program_.OnDisplayToolChanged(tool, shown); };
  callbacks.refreshPausedPicture = [this] { return program_.RefreshPausedPicture(); };
  callbacks.videoSizeChanged = [this] { program_.OnVideoSizeChanged(); };
  common_.Common().SetProgramCallbacks(std::move(callbacks));
}

void PlaybackMainWindow::CreateProgramFolders() {
  CreateFoldersBesideExecutable({L"MessageFilesVP", L"OptionsFiles"}, programFolder_);
  options_.FillDefaultFolders(programFolder_);
}

}  // namespace zuna
