#include "capture/scheduling/win/event_list_window.h"

#include <commctrl.h>

#include "capture/scheduling/event_list_rows.h"

namespace zuna {
namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 520;

void OnCommand(EventListController& c, int id, int code) {
  if (id == kEventList) {
    // A click, or a row's selection changed by the keyboard.
    if (code == DialogWindow::kSelectionChanged || code == DialogWindow::kListClicked) c.OnSelectionChanged();
    return;
  }
  if (code != BN_CLICKED) return;
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
      c.Close();
      break;
    default:
      break;
  }
}

}  // namespace

bool EventListWindow::Create(CommonWindows& common, HFONT font, HFONT listFont, const std::wstring& eventsFolder) {
  if (!window_.Create(common, font,
                      {L"View Events Class", L"View, Edit, Delete Events", kWidth, kHeight,
                       WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX})) {
    return false;
  }
  DialogWindow& w = window_;
  w.AddCheckBox(L"Show expired events", kShowExpiredBox, 15, 10, 200);
  w.AddCheckBox(L"Ascending times", kAscendingBox, 230, 10, 200);
  AddList(font, listFont);
  w.AddLabel(L"Event files folder:", 15, 386, 150);
  w.Add(L"STATIC", eventsFolder.c_str(), SS_SUNKEN | SS_PATHELLIPSIS, kEventsFolderText, 170, 386, 700, 20);
  w.AddLabel(L"Selected event file:", 15, 412, 150);
  w.Add(L"STATIC", L"nothing selected", SS_SUNKEN, kSelectedFileText, 170, 412, 700, 20);
  const DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
  w.Add(L"BUTTON", L"Edit Selected Event", button, kEditButton, 130, 444, 190, 30);
  w.Add(L"BUTTON", L"Delete Selected Event(s)", button, kDeleteButton, 350, 444, 190, 30);
  w.Add(L"BUTTON", L"Cancel", button, kEventListCancelButton, 570, 444, 190, 30);
  w.AddCornerHelpButton(HelpPage::kViewEditDeleteEvents);
  return true;
}

void EventListWindow::AddList(HFONT font, HFONT listFont) {
  window_.SetFont(listFont);
  HWND list = window_.Add(WC_LISTVIEWW, L"", WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, kEventList, 10,
                          40, kWidth - 30, 336);
  window_.SetFont(font);
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

void EventListWindow::SetController(EventListController* controller) {
  window_.SetHandlers(
      {[controller](int id, int code) { OnCommand(*controller, id, code); }, [controller] { controller->Close(); }});
}

}  // namespace zuna
