#include "common/help/win/help_windows.h"

#include <richedit.h>

#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {

HelpWindows::HelpWindows(ZunaCommon& common, HINSTANCE instance, HICON largeIcon, HICON smallIcon)
    : common_(common),
      instance_(instance),
      largeIcon_(largeIcon),
      smallIcon_(smallIcon),
      closeCommand_(common.NextIdentifier()) {}

bool HelpWindows::Create(int id) {
  if (!Valid(id)) return false;
  const std::wstring className = L"Help Class " + std::to_wstring(id);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(RGB(248, 248, 248));
  wc.lpszClassName = className.c_str();
  RegisterClassExW(&wc);
  HWND window = CreateWindowExW(0, className.c_str(), L"Help", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 800, 600,
                                nullptr, nullptr, instance_, this);
  if (window == nullptr) return false;
  if (largeIcon_) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
  if (smallIcon_) SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, closeCommand_, L"Close");
  AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file), L"File");
  SetMenu(window, bar);

  const CommonState& state = common_.State();
  HWND text =
      CreateWindowExW(0, L"RICHEDIT50W", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 0,
                      800 - state.frameExtraWidth, 600 - state.frameExtraHeight, window, nullptr, instance_, nullptr);
  if (text == nullptr) {
    common_.ReportFatalStartupError();
    PostStampedMessage(L"FATAL: cannot create rich edit window as child of Help Docs window\r\n");
    return false;
  }
  SendMessageW(text, EM_SETBKGNDCOLOR, 0, RGB(253, 253, 253));
  SendMessageW(text, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(12, 12));
  windows_[static_cast<std::size_t>(id)] = {window, text, false};
  return true;
}

void HelpWindows::SetHelpText(int id) {
  HWND text = windows_[static_cast<std::size_t>(id)].text;
  if (text == nullptr) return;
  SetWindowTextW(text, HelpDocumentText(id, common_.State().programKind).c_str());
  SendMessageW(text, EM_SETSEL, 0, -1);
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR;
  format.yHeight = 270;  // 13.5 points in twips
  format.crTextColor = RGB(5, 5, 254);
  wcscpy_s(format.szFaceName, L"Courier New");
  SendMessageW(text, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  SendMessageW(text, EM_SETSEL, 0, 0);
  SendMessageW(text, WM_VSCROLL, SB_TOP, 0);
}

void HelpWindows::Show(int id, HWND owner, bool atOrigin) {
  if (!Exists(id) || Shown(id)) return;
  HelpWindow& help = windows_[static_cast<std::size_t>(id)];
  help.shown = true;
  SetHelpText(id);
  PlacementEntry* entry = common_.Placements().Find(help.window);
  Point at{0, 0};
  if (entry != nullptr && entry->movedByUser) {
    at = {entry->currentRect.left, entry->currentRect.top};
  } else if (entry != nullptr && entry->loadedFromFile) {
    at = {entry->fileRect.left, entry->fileRect.top};
  } else if (!atOrigin && owner != nullptr) {
    const Rect r = WindowRect(owner);
    at = {r.right, r.top};
  }
  SetWindowPos(help.window, HWND_NOTOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE);
  if (entry != nullptr && !entry->movedByUser && !entry->loadedFromFile) {
    common_.Placements().RecordMove(help.window, WindowRect(help.window), false);
  }
  ShowWindow(help.window, SW_SHOW);
  SetForegroundWindow(help.window);
}

void HelpWindows::Hide(int id) {
  if (!Shown(id)) return;
  HelpWindow& help = windows_[static_cast<std::size_t>(id)];
  help.shown = false;
  ShowWindow(help.window, SW_HIDE);
}

void HelpWindows::Toggle(int id, HWND owner) {
  if (Shown(id)) {
    Hide(id);
  } else {
    Show(id, owner, true);
  }
}

int HelpWindows::IdOf(HWND window) const {
  for (int id = 0; id < kHelpDocumentCount; ++id) {
    if (windows_[static_cast<std::size_t>(id)].window == window) return id;
  }
  return -1;
}

LRESULT CALLBACK HelpWindows::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<HelpWindows>(window, message, lParam);
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const int id = self->IdOf(window);
  TrackWindowMove(self->common_, window, message);
  switch (message) {
    case WM_CLOSE:
      self->Hide(id);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == self->closeCommand_) {
        self->Hide(id);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
