#include "capture/scheduling/win/event_list_window.h"

#include <commctrl.h>

#include "capture/scheduling/event_list_rows.h"
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
constexpr wchar_t kClassName[] = L"View Events Class";
constexpr int kWidth = 900;
constexpr int kHeight = 520;

}  // namespace

bool EventListWindow::Create(CommonWindows& common, HFONT font, HFONT listFont, const std::wstring& eventsFolder) {
  common_ = &common;
  HINSTANCE instance = common.Instance();
  RegisterWindowClass(instance, kClassName, Proc, 0, SilverBrush());
  window_ = CreateWindowExW(0, kClassName, L"View, Edit, Delete Events", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                            kWidth, kHeight, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  view_ = std::make_unique<WinWindowView>(window_, [&common](HWND w) { MoveToSavedPlace(common.Common(), w); });
  WinWindowView& v = *view_;
  const DWORD box = WS_TABSTOP | BS_AUTOCHECKBOX;
  v.Add(kShowExpiredBox,
        AddControl(window_, L"BUTTON", L"Show expired events", box, kShowExpiredBox, 15, 10, 200, 22, font));
  v.Add(kAscendingBox, AddControl(window_, L"BUTTON", L"Ascending times", box, kAscendingBox, 230, 10, 200, 22, font));
  AddList(listFont);
  AddLabel(window_, L"Event files folder:", 15, 386, 150, font);
  v.Add(kEventsFolderText, AddControl(window_, L"STATIC", eventsFolder.c_str(), SS_SUNKEN | SS_PATHELLIPSIS,
                                      kEventsFolderText, 170, 386, 700, 20, font));
  AddLabel(window_, L"Selected event file:", 15, 412, 150, font);
  v.Add(kSelectedFileText,
        AddControl(window_, L"STATIC", L"nothing selected", SS_SUNKEN, kSelectedFileText, 170, 412, 700, 20, font));
  const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
  v.Add(kEditButton,
        AddControl(window_, L"BUTTON", L"Edit Selected Event", button, kEditButton, 130, 444, 190, 30, font));
  v.Add(kDeleteButton,
        AddControl(window_, L"BUTTON", L"Delete Selected Event(s)", button, kDeleteButton, 350, 444, 190, 30, font));
  v.Add(kEventListCancelButton,
        AddControl(window_, L"BUTTON", L"Cancel", button, kEventListCancelButton, 570, 444, 190, 30, font));
  CreateHelpButton(window_, kHelpButton, common.HelpIcon());
  common.ApplyIcons(window_);
  return true;
}

void EventListWindow::AddList(HFONT listFont) {
  HWND list = AddControl(window_, WC_LISTVIEWW, L"", WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                         kEventList, 10, 40, kWidth - 30, 336, listFont);
  view_->Add(kEventList, list);
  if (list == nullptr) return;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < kEventListColumnCount; ++i) {
    const EventListColumn& c = kEventListColumns[i];
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = c.centred ? LVCFMT_CENTER : LVCFMT_LEFT;
    column.cx = c.width;
    column.pszText = const_cast<wchar_t*>(c.header);
    column.iSubItem = i;
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void EventListWindow::OnCommand(int id) {
  EventListController& c = *controller_;
  switch (id) {
    case kShowExpiredBox:
    case kAscendingBox:
      c.OnBoxClicked(id);
      break;
    case kEditButton:
      c.OnEdit();
      break;
    case kDeleteButton:
      c.OnDelete();
      break;
    case kEventListCancelButton:
    case IDCANCEL:
      c.Close();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK EventListWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<EventListWindow>(window, message, lParam);
  if (self == nullptr || self->window_ == nullptr || self->controller_ == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT EventListWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  TrackWindowMove(common_->Common(), window_, message);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kHelpButton) {
        common_->Help().Toggle(14, window_);
        return 0;
      }
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != kEventList) return 0;
      // A click, or a row's selection changed by the keyboard.
      const bool selection = header->code == LVN_ITEMCHANGED &&
                             (reinterpret_cast<const NMLISTVIEW*>(lParam)->uChanged & LVIF_STATE) != 0 &&
                             ((reinterpret_cast<const NMLISTVIEW*>(lParam)->uOldState ^
                               reinterpret_cast<const NMLISTVIEW*>(lParam)->uNewState) &
                              LVIS_SELECTED) != 0;
      if (header->code == NM_CLICK || selection) controller_->OnSelectionChanged();
      return 0;
    }
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
