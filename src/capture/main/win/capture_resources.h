#pragma once
// The icons, fonts and help windows that only the capture program's windows use.
#include <windows.h>

namespace zuna {

class CommonWindows;

struct CaptureIcons {
  HICON stop = nullptr;
  HICON record = nullptr;
  HICON folder = nullptr;
};

struct CaptureFonts {
  HFONT consolas20 = nullptr, tahoma72 = nullptr, consolas16 = nullptr, consolas28 = nullptr;
  HFONT lucida48 = nullptr, lucida72 = nullptr, tahoma16 = nullptr, tahoma18 = nullptr;
};

// Each icon from the icons folder; a missing one stays null.
CaptureIcons LoadCaptureIcons(const CommonWindows& common);
// Each font, or a warning naming what it was for.
CaptureFonts CreateCaptureFonts();
// Help windows 0, 5 to 16 and 20, with a warning for each one that cannot be created.
void CreateCaptureHelpWindows(CommonWindows& common);

}  // namespace zuna
