#include "capture/scheduling/win/schedule_event_window.h"

#include <commctrl.h>

namespace zuna {
namespace {

constexpr wchar_t kEventPattern[] = L"MMM d',' yyyy   HH':'mm':'ss";
constexpr wchar_t kDurationPattern[] = L"HH':'mm':'ss";
constexpr DWORD kTab = WS_TABSTOP;

void OnCommand(ScheduleEventController& c, int id, int code) {
  switch (id) {
    case kEventPicker:
      if (code == DialogWindow::kDateTimeChanged) c.OnEventPickerChanged();
      break;
    case kAsteroidEdit:
    case kStarEdit:
      if (code == EN_CHANGE) c.OnNameChanged(id);
      break;
    case kCommentEdit:
      if (code == EN_CHANGE) c.OnCommentChanged();
      break;
    case kHibernateBox:
    case kShutdownBox:
      if (code == BN_CLICKED) c.OnPowerBoxClicked(id);
      break;
    case kScheduleButton:
      if (code == BN_CLICKED) c.OnSchedule();
      break;
    case kScheduleCancelButton:
      c.Close();
      break;
    default:
      break;
  }
}

}  // namespace

bool ScheduleEventWindow::Create(CommonWindows& common, HFONT font) {
  if (!window_.Create(
          common, font,
          {L"Schedule Event Class", L"Schedule Event", 400, 500, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX})) {
    return false;
  }
  AddControls();
  window_.SetDefaultButton(kScheduleButton);  // Enter in the window means "Schedule"
  window_.AddCornerHelpButton(HelpPage::kScheduleEvent);
  return true;
}

// Top to bottom, in the order Tab walks through them.
void ScheduleEventWindow::AddControls() {
  DialogWindow& w = window_;
  w.AddLabel(L"Predicted Event Date and Time (UTC):", 15, 10, 360);
  HWND event = w.Add(DATETIMEPICK_CLASSW, L"", kTab, kEventPicker, 15, 32, 260, 26);
  SendMessageW(event, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(kEventPattern));
  w.AddLabel(L"Recording Duration (hh:mm:ss):", 15, 68, 360);
  HWND duration = w.Add(DATETIMEPICK_CLASSW, L"", kTab | DTS_UPDOWN | DTS_TIMEFORMAT, kDurationPicker, 15, 90, 120, 26);
  SendMessageW(duration, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(kDurationPattern));
  w.Add(L"BUTTON", L"Optional File Postfixes (20 chars max each)", BS_GROUPBOX, kNamesGroupLabel, 10, 126, 370, 118);
  w.AddLabel(L"Asteroid:", 20, 150, 110);
  HWND asteroid = w.Add(L"EDIT", L"", kTab | WS_BORDER | ES_AUTOHSCROLL, kAsteroidEdit, 135, 148, 230, 22);
  w.AddLabel(L"Star:", 20, 180, 110);
  HWND star = w.Add(L"EDIT", L"", kTab | WS_BORDER | ES_AUTOHSCROLL, kStarEdit, 135, 178, 230, 22);
  w.AddLabel(L"Global Postfix:", 20, 210, 110, kGlobalPrefixLabel);
  w.Add(L"EDIT", L"", WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, kGlobalPrefixText, 135, 208, 230, 22);
  w.AddLabel(L"Optional Comment (35 chars max):", 15, 256, 360);
  HWND comment = w.Add(L"EDIT", L"", kTab | WS_BORDER | ES_AUTOHSCROLL, kCommentEdit, 15, 278, 360, 22);
  w.Add(L"BUTTON", L"Hibernate after recording completed", kTab | BS_AUTOCHECKBOX, kHibernateBox, 15, 312, 360, 22);
  w.Add(L"BUTTON", L"Shut down after recording completed", kTab | BS_AUTOCHECKBOX, kShutdownBox, 15, 338, 360, 22);
  w.Add(L"BUTTON", L"Schedule", kTab | BS_DEFPUSHBUTTON, kScheduleButton, 70, 380, 110, 32);
  w.Add(L"BUTTON", L"Cancel", kTab | BS_PUSHBUTTON, kScheduleCancelButton, 210, 380, 110, 32);
  SendMessageW(asteroid, EM_LIMITTEXT, kMaxEventNameLength, 0);
  SendMessageW(star, EM_LIMITTEXT, kMaxEventNameLength, 0);
  SendMessageW(comment, EM_LIMITTEXT, kMaxEventCommentLength, 0);
}

void ScheduleEventWindow::SetController(ScheduleEventController* controller) {
  window_.SetHandlers(
      {[controller](int id, int code) { OnCommand(*controller, id, code); }, [controller] { controller->Close(); }});
}

}  // namespace zuna
