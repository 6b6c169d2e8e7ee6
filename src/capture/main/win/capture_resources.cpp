#include "capture/main/win/capture_resources.h"

#include "common/foundation/win/common_windows.h"
#include "common/log/user_messages_log.h"
#include "common/windows/win/win_util.h"

namespace zuna {

CaptureIcons LoadCaptureIcons(const CommonWindows& common) {
  CaptureIcons icons;
  icons.stop = LoadIconFile(common.IconPath(L"stop64x.ico"), 64);
  icons.record = LoadIconFile(common.IconPath(L"record56x.ico"), 56);
  icons.folder = LoadIconFile(common.IconPath(L"folder32x.ico"), 32);
  return icons;
}

CaptureFonts CreateCaptureFonts() {
  CaptureFonts fonts;
  fonts.consolas20 = FontOrWarning(L"Consolas", 20, L"WARNING: cannot create font for codec or camera lists\r\n");
  fonts.tahoma72 = FontOrWarning(L"Tahoma", 72, L"WARNING: cannot create font for countdown window\r\n");
  fonts.consolas16 = FontOrWarning(L"Consolas", 16, L"WARNING: cannot create Consolas 16 font for event list\r\n");
  fonts.consolas28 = FontOrWarning(L"Consolas", 28,
                                   L"WARNING: cannot create Consolas 28 font for hibernation | shutdown countdown\r\n");
  fonts.lucida48 =
      FontOrWarning(L"Lucida Console", 48, L"WARNING: cannot create Lucida Console 48 font for event countdown\r\n");
  fonts.lucida72 =
      FontOrWarning(L"Lucida Console", 72, L"WARNING: cannot create Lucida Console 72 font for event countdown\r\n");
  fonts.tahoma16 =
      FontOrWarning(L"Tahoma", 16, L"WARNING: cannot create Tahoma 16 font for dialog buttons and static text\r\n");
  fonts.tahoma18 =
      FontOrWarning(L"Tahoma", 18, L"WARNING: cannot create Tahoma 18 font for dialog buttons and static text\r\n");
  return fonts;
}

void CreateCaptureHelpWindows(CommonWindows& common) {
  static const struct {
    int id;
    const wchar_t* warning;
  } kHelp[] = {
      {0, L"WARNING: cannot create main help window - feature not enabled\r\n"},
      {5, L"WARNING: cannot create video device select help window - feature not enabled\r\n"},
      {6, L"WARNING: cannot create video device properties help window - feature not enabled\r\n"},
      {7, L"WARNING: cannot create file options help window - feature not enabled\r\n"},
      {8, L"WARNING: cannot create codec selection help window - feature not enabled\r\n"},
      {9, L"WARNING: cannot create file properties help window - feature not enabled\r\n"},
      {10, L"WARNING: cannot create performance options help window - feature not enabled\r\n"},
      {11, L"WARNING: cannot create miscellaneous options help window - feature not enabled\r\n"},
      {12, L"WARNING: cannot create time lapse recording help window - feature not enabled\r\n"},
      {13, L"WARNING: cannot create event scheduling help window - feature not enabled\r\n"},
      {14, L"WARNING: cannot create event view and edit help window - feature not enabled\r\n"},
      {15, L"WARNING: cannot create event pending help window - feature not enabled\r\n"},
      {16, L"WARNING: cannot create Capture version history help window - feature not enabled\r\n"},
      {20, L"WARNING: cannot create Capture import xml based files help window - feature not enabled\r\n"},
  };
  for (const auto& help : kHelp) {
    if (!common.Help().Create(help.id)) PostUserMessage(help.warning, true);
  }
}

}  // namespace zuna
