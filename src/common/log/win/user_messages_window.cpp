#include "common/log/win/user_messages_window.h"

#include <richedit.h>

#include <algorithm>

#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kClassName[] = L"User Messages Class";
constexpr UINT kSaveId = kFirstIdentifier;
constexpr UINT kSaveAndClearId = kFirstIdentifier + 1;
constexpr UINT kClearId = kFirstIdentifier + 2;

void ConfigureTextControl(HWND text) {
  SendMessageW(text, EM_SETBKGNDCOLOR, 0, RGB(225, 225, 225));
  SendMessageW(text, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(7, 0));
  PARAFORMAT2 para{};
  para.cbSize = sizeof(para);
  para.dwMask = PFM_SPACEBEFORE | PFM_SPACEAFTER | PFM_LINESPACING;
  para.bLineSpacingRule = 0;
  SendMessageW(text, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&para));
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_FACE | CFM_SIZE;
  format.yHeight = 200;  // 10 points in twips
  wcscpy_s(format.szFaceName, L"Tahoma");
  SendMessageW(text, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  SendMessageW(text, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SetWindowTextW(text, L"");
}

}  // namespace

UserMessagesWindow::UserMessagesWindow(ZunaCommon& common) : common_(common) {}

Status UserMessagesWindow::Create(HINSTANCE instance, HICON largeIcon, HICON smallIcon, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_NOCLOSE;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  window_ = CreateWindowExW(0, kClassName, L"User Messages", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX,
                            0, 0, 600, 467, nullptr, nullptr, instance, this);
  CommonState& state = common_.State();
  if (window_ == nullptr) {
    common_.ReportFatalStartupError();
    PostStampedMessage(L"FATAL: cannot create User Messages window");
    return kAbort;
  }
  if (largeIcon) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
  if (smallIcon) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));

  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kSaveId, L"Save Messages");
  AppendMenuW(file, MF_STRING, kSaveAndClearId, L"Save Messages and Clear");
  AppendMenuW(file, MF_STRING, kClearId, L"Clear Messages");
  AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(file), L"File");
  SetMenu(window_, bar);

  const SIZE extra = FrameExtra(window_);
  state.frameExtraWidth = extra.cx;
  state.frameExtraHeight = extra.cy;
  if (!CreateTextControl(instance)) {
    common_.ReportFatalStartupError();
    PostStampedMessage(L"FATAL: cannot create rich edit window as child of User Messages window\r\n");
    return kAbort;
  }
  // Only now can entries be shown; posts until here wait in the pending list.
  state.userMessagesReady = true;
  common_.Log().SetReady(this);
  return kOk;
}

bool UserMessagesWindow::CreateTextControl(HINSTANCE instance) {
  LoadLibraryW(L"Msftedit.dll");
  RECT client{};
  GetClientRect(window_, &client);
  text_ = CreateWindowExW(WS_EX_DLGMODALFRAME, L"RICHEDIT50W", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                          client.right, client.bottom, window_, nullptr, instance, nullptr);
  if (text_ == nullptr) return false;
  ConfigureTextControl(text_);
  ShowWindow(text_, SW_SHOW);
  UpdateWindow(text_);
  return true;
}

void UserMessagesWindow::Append(const std::wstring& entry) {
  if (text_ == nullptr) return;
  SendMessageW(text_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
  SendMessageW(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(entry.c_str()));
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  if (GetScrollInfo(text_, SB_VERT, &info)) {
    const auto lines = std::count(entry.begin(), entry.end(), L'\n');
    SendMessageW(text_, EM_LINESCROLL, 0, static_cast<LPARAM>(lines));
  }
  RedrawWindow(text_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

std::wstring UserMessagesWindow::Text() const {
  if (text_ == nullptr) return {};
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const LRESULT count = SendMessageW(text_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (count <= 0) return {};
  std::wstring text(static_cast<std::size_t>(count) + 1, L'\0');
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  get.flags = GT_DEFAULT;
  get.codepage = 1200;
  const LRESULT got =
      SendMessageW(text_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
  return text;
}

void UserMessagesWindow::Clear() {
  if (text_ == nullptr) return;
  SendMessageW(text_, EM_SETSEL, 0, -1);
  SendMessageW(text_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

void UserMessagesWindow::RequestDrain() {
  if (window_ != nullptr) PostMessageW(window_, kDrainLogMessage, 0, 0);
}

LRESULT CALLBACK UserMessagesWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<UserMessagesWindow>(window, message, lParam);
  if (self == nullptr || self->window_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT UserMessagesWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  CommonState& state = common_.State();
  TrackWindowMove(common_, window_, message);
  switch (message) {
    case kDrainLogMessage:
      common_.Log().Drain();
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kSaveId:
          common_.OnSaveMessages();
          return 0;
        case kSaveAndClearId:
          common_.OnSaveMessagesAndClear();
          return 0;
        case kClearId:
          common_.OnClearMessages();
          return 0;
        default:
          break;
      }
      break;
    case WM_SIZE:
      // The text fills the window at every size, the saved size given at start-up included; only
      // the user's resizing is recorded.
      if (text_ != nullptr) MoveWindow(text_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      if (!state.startupInProgress && text_ != nullptr) {
        const Rect outer = WindowRect(window_);
        common_.Placements().RecordSize(window_, outer.Width(), outer.Height());
      }
      break;
    case WM_CLOSE:
      return 0;  // the log window cannot be closed
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace zuna
