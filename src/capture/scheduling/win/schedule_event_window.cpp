#include "capture/scheduling/win/schedule_event_window.h"

#include <commctrl.h>

#include "common/help/win/help_button.h"
#include "common/windows/win/child_controls.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/silver_look.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

// Beside the controls' own identifiers.
constexpr int kHelpButton = 90;
constexpr wchar_t kClassName[] = L"Schedule Event Class";
constexpr wchar_t kEventPattern[] = L"MMM d',' yyyy   HH':'mm':'ss";
constexpr wchar_t kDurationPattern[] = L"HH':'mm':'ss";
constexpr DWORD kTab = WS_TABSTOP;

}  // namespace

bool ScheduleEventWindow::Create(CommonWindows& common, HFONT font) {
  common_ = &common;
  HINSTANCE instance = common.Instance();
  RegisterWindowClass(instance, kClassName, Proc, 0, SilverBrush());
  window_ = CreateWindowExW(0, kClassName, L"Schedule Event", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 400, 500,
                            nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  view_ = std::make_unique<WinWindowView>(window_, [&common](HWND w) { MoveToSavedPlace(common.Common(), w); });
  AddControls(font);
  CreateHelpButton(window_, kHelpButton, common.HelpIcon());
  common.ApplyIcons(window_);
  return true;
}

// Top to bottom, in the order Tab walks through them.
void ScheduleEventWindow::AddControls(HFONT font) {
  WinWindowView& v = *view_;
  AddLabel(window_, L"Predicted Event Date and Time (UTC):", 15, 10, 360, font);
  v.Add(kEventPicker, AddControl(window_, DATETIMEPICK_CLASSW, L"", kTab, kEventPicker, 15, 32, 260, 26, font));
  SendMessageW(v.Control(kEventPicker), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(kEventPattern));
  AddLabel(window_, L"Recording Duration (hh:mm:ss):", 15, 68, 360, font);
  v.Add(kDurationPicker, AddControl(window_, DATETIMEPICK_CLASSW, L"", kTab | DTS_UPDOWN | DTS_TIMEFORMAT,
                                    kDurationPicker, 15, 90, 120, 26, font));
  SendMessageW(v.Control(kDurationPicker), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(kDurationPattern));
  v.Add(kNamesGroupLabel, AddControl(window_, L"BUTTON", L"Optional File Postfixes (20 chars max each)", BS_GROUPBOX,
                                     kNamesGroupLabel, 10, 126, 370, 118, font));
  AddLabel(window_, L"Asteroid:", 20, 150, 110, font);
  v.Add(kAsteroidEdit,
        AddControl(window_, L"EDIT", L"", kTab | WS_BORDER | ES_AUTOHSCROLL, kAsteroidEdit, 135, 148, 230, 22, font));
  AddLabel(window_, L"Star:", 20, 180, 110, font);
  v.Add(kStarEdit,
        AddControl(window_, L"EDIT", L"", kTab | WS_BORDER | ES_AUTOHSCROLL, kStarEdit, 135, 178, 230, 22, font));
  v.Add(kGlobalPrefixLabel, AddLabel(window_, L"Global Postfix:", 20, 210, 110, font, kGlobalPrefixLabel));
  v.Add(kGlobalPrefixText, AddControl(window_, L"EDIT", L"", WS_BORDER | ES_READONLY | ES_AUTOHSCROLL,
                                      kGlobalPrefixText, 135, 208, 230, 22, font));
  AddLabel(window_, L"Optional Comment (35 chars max):", 15, 256, 360, font);
  v.Add(kCommentEdit,
        AddControl(window_, L"EDIT", L"", kTab | WS_BORDER | ES_AUTOHSCROLL, kCommentEdit, 15, 278, 360, 22, font));
  v.Add(kHibernateBox, AddControl(window_, L"BUTTON", L"Hibernate after recording completed", kTab | BS_AUTOCHECKBOX,
                                  kHibernateBox, 15, 312, 360, 22, font));
  v.Add(kShutdownBox, AddControl(window_, L"BUTTON", L"Shut down after recording completed", kTab | BS_AUTOCHECKBOX,
                                 kShutdownBox, 15, 338, 360, 22, font));
  v.Add(kScheduleButton,
        AddControl(window_, L"BUTTON", L"Schedule", kTab | BS_DEFPUSHBUTTON, kScheduleButton, 70, 380, 110, 32, font));
  v.Add(kScheduleCancelButton, AddControl(window_, L"BUTTON", L"Cancel", kTab | BS_PUSHBUTTON, kScheduleCancelButton,
                                          210, 380, 110, 32, font));
  SendMessageW(v.Control(kAsteroidEdit), EM_LIMITTEXT, kMaxEventNameLength, 0);
  SendMessageW(v.Control(kStarEdit), EM_LIMITTEXT, kMaxEventNameLength, 0);
  SendMessageW(v.Control(kCommentEdit), EM_LIMITTEXT, kMaxEventCommentLength, 0);
}

void ScheduleEventWindow::OnCommand(int id, int code) {
  ScheduleEventController& c = *controller_;
  switch (id) {
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
    case IDCANCEL:  // Escape
      c.Close();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK ScheduleEventWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<ScheduleEventWindow>(window, message, lParam);
  if (self == nullptr || self->window_ == nullptr || self->controller_ == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT ScheduleEventWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  TrackWindowMove(common_->Common(), window_, message);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kHelpButton) {
        common_->Help().Toggle(13, window_);
        return 0;
      }
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kEventPicker && header->code == DTN_DATETIMECHANGE) controller_->OnEventPickerChanged();
      return 0;
    }
    case DM_GETDEFID:  // Enter in the window means "Schedule"
      return MAKELRESULT(kScheduleButton, DC_HASDEFID);
    case WM_CLOSE:
      controller_->Close();
      return 0;
    case WM_CTLCOLORSTATIC:
      return BlackOnSilver(wParam);
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace zuna
