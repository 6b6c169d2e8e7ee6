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
    HelpPage id;
    const wchar_t* warning;
  } kHelp[] = {
      {HelpPage::kVideoCapture, L"WARNING: cannot create main help window - feature not enabled\r\n"},
      {HelpPage::kVideoDeviceSelect,
       L"WARNING: cannot create video device select help window - feature not enabled\r\n"},
      {HelpPage::kVideoDeviceProperties,
       L"WARNING: cannot create video device properties help window - feature not enabled\r\n"},
      {HelpPage::kFileOptions, L"WARNING: cannot create file options help window - feature not enabled\r\n"},
      {HelpPage::kCodecSelect, L"WARNING: cannot create codec selection help window - feature not enabled\r\n"},
      {HelpPage::kDefaultRecordingDuration,
       L"WARNING: cannot create file properties help window - feature not enabled\r\n"},
      {HelpPage::kPerformanceOptions,
       L"WARNING: cannot create performance options help window - feature not enabled\r\n"},
      {HelpPage::kMiscellaneousOptions,
       L"WARNING: cannot create miscellaneous options help window - feature not enabled\r\n"},
      {HelpPage::kTimeLapseRecording,
       L"WARNING: cannot create time lapse recording help window - feature not enabled\r\n"},
      {HelpPage::kScheduleEvent, L"WARNING: cannot create event scheduling help window - feature not enabled\r\n"},
      {HelpPage::kViewEditDeleteEvents,
       L"WARNING: cannot create event view and edit help window - feature not enabled\r\n"},
      {HelpPage::kEventPendingOptions, L"WARNING: cannot create event pending help window - feature not enabled\r\n"},
      {HelpPage::kCaptureVersionHistory,
       L"WARNING: cannot create Capture version history help window - feature not enabled\r\n"},
      {HelpPage::kImportXmlEvents,
       L"WARNING: cannot create Capture import xml based files help window - feature not enabled\r\n"},
  };
  for (const auto& help : kHelp) {
    if (!common.Help().Create(help.id)) PostStampedMessage(help.warning);
  }
}

}  // namespace zuna
