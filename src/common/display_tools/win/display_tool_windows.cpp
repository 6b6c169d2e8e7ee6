#include "common/display_tools/win/display_tool_windows.h"

#include "common/foundation/win/common_windows.h"
#include "common/windows/win/win_util.h"

namespace zuna {

DisplayToolWindows::DisplayToolWindows(CommonWindows& common, HWND mainWindow,
                                       std::function<void(int, int)> applyBrightnessContrast)
    : common_(common) {
  static const wchar_t* const kArrowFiles[] = {L"upArrow32x.ico", L"downArrow32x.ico", L"leftArrow32x.ico",
                                               L"rightArrow32x.ico"};
  for (int i = 0; i < 4; ++i) arrowIcons_[i] = LoadIconFile(common.IconPath(kArrowFiles[i]), 32);
  magnify_ = std::make_unique<MagnifyWindow>(common, mainWindow);
  brightnessContrast_ =
      std::make_unique<BrightnessContrastWindow>(common, mainWindow, std::move(applyBrightnessContrast));
  pixelSaturation_ = std::make_unique<PixelSaturationWindow>(common, mainWindow);
  crosshairs_ = std::make_unique<CrosshairsWindow>(common, mainWindow, arrowIcons_);
}

void DisplayToolWindows::Create() {
  static const wchar_t* const kWarnings[] = {
      L"WARNING: cannot create video display magnify window - feature not enabled\r\n",
      L"WARNING: cannot create brightness/contrast window - feature not enabled\r\n",
      L"WARNING: cannot create pixel saturation window - feature not enabled\r\n",
      L"WARNING: cannot create crosshairs intensity window - feature not enabled\r\n",
  };
  for (int tool = 0; tool < 4; ++tool) {
    if (!Tool(tool)->Create()) PostStampedMessage(kWarnings[tool]);
  }
}

ToolWindow* DisplayToolWindows::Tool(int tool) const {
  switch (tool) {
    case kToolMagnify:
      return magnify_.get();
    case kToolBrightnessContrast:
      return brightnessContrast_.get();
    case kToolPixelSaturation:
      return pixelSaturation_.get();
    case kToolCrosshairs:
      return crosshairs_.get();
    default:
      return nullptr;
  }
}

HWND DisplayToolWindows::Window(int tool) const {
  ToolWindow* window = Tool(tool);
  return window ? window->Window() : nullptr;
}

bool DisplayToolWindows::IsOpen(int tool) const {
  ToolWindow* window = Tool(tool);
  return window != nullptr && window->Controller().IsOpen();
}

Status DisplayToolWindows::Toggle(int tool) {
  if (!Exists(tool)) return kFail;
  return Tool(tool)->Controller().Toggle();
}

Status DisplayToolWindows::Close(int tool) {
  if (!Exists(tool)) return kOk;
  return Tool(tool)->Controller().Close();
}

}  // namespace zuna
