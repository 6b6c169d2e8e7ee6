// Controls whose values travel by pointer: the date-time picker and the report list. Their
// messages carry the address of a structure, so the structure is placed in the program's own
// memory first.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>

#include "../ui_driver_text.h"
#include "../ui_driver_windows.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

// A block of memory inside the current program, freed at the end of the step.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, size_t size) : process_(process) {
    address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool ok() const { return address_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(size_t offset, const void* data, size_t size) const {
    return WriteProcessMemory(process_, at(offset), data, size, nullptr) != FALSE;
  }
  bool Read(size_t offset, void* data, size_t size) const {
    return ReadProcessMemory(process_, at(offset), data, size, nullptr) != FALSE;
  }

 private:
  HANDLE process_;
  void* address_ = nullptr;
};

HANDLE CurrentProcessHandle(const Session& session) {
  const StartedProcess* process = session.Current();
  return process == nullptr ? nullptr : process->info.hProcess;
}

bool IsDatePicker(HWND window) {
  return HasClass(window, DATETIMEPICK_CLASSW);
}

bool IsReportList(HWND window) {
  return HasClass(window, WC_LISTVIEWW) && IsWindowVisible(window);
}

// "<title> [<list label>] <row> ...": a window with several report lists names one by its label (a
// word that is not a row number); without one the window's first visible list is meant. Returns the
// index of the row argument.
size_t RowArgument(const Args& args) {
  return ParseInteger(args[1]) ? 1 : 2;
}

std::optional<Target> WaitForReportList(const Session& session, const Args& args, double seconds, std::wstring& why) {
  if (RowArgument(args) == 1) {
    return WaitForControl(
        session, args[0], L"list", [](HWND window) { return FindDescendant(window, IsReportList); }, seconds, why);
  }
  const std::wstring label = args[1];
  return WaitForControl(
      session, args[0], L"list labelled " + Quoted(label),
      [&](HWND window) { return FindLabelledControl(window, label, IsReportList); }, seconds, why);
}

// "now+N" / "now-N" seconds from the computer's UTC time, or "yyyy-mm-ddThh:mm:ss".
std::optional<SYSTEMTIME> ParsePickerTime(const std::wstring& word) {
  SYSTEMTIME t{};
  if (word.rfind(L"now", 0) == 0) {
    long seconds = 0;
    if (word.size() > 3) {
      const auto number = ParseInteger(word.substr(word[3] == L'+' ? 4 : 3));
      if (!number) return std::nullopt;
      seconds = *number;
    }
    GetSystemTime(&t);
    FILETIME file{};
    SystemTimeToFileTime(&t, &file);
    ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
    ticks.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(seconds) * 10'000'000LL);
    file = {ticks.LowPart, ticks.HighPart};
    FileTimeToSystemTime(&file, &t);
    return t;
  }
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (std::swscanf(word.c_str(), L"%4u-%2u-%2uT%2u:%2u:%2u", &year, &month, &day, &hour, &minute, &second) != 6) {
    return std::nullopt;
  }
  t = {static_cast<WORD>(year),   static_cast<WORD>(month),  0, static_cast<WORD>(day), static_cast<WORD>(hour),
       static_cast<WORD>(minute), static_cast<WORD>(second), 0};
  return t;
}

std::wstring FormatTime(const SYSTEMTIME& t) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%04u-%02u-%02uT%02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return text;
}

bool SetPickerTime(const RemoteBlock& block, HWND picker, const SYSTEMTIME& t) {
  return block.Write(0, &t, sizeof(t)) &&
         SendWithTimeout(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(block.at(0))).value_or(0) != 0;
}

std::optional<std::wstring> CellText(HANDLE process, HWND list, int row, int column) {
  constexpr size_t kChars = 512;
  RemoteBlock block(process, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  if (!block.ok()) return std::nullopt;
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kChars;
  item.pszText = reinterpret_cast<wchar_t*>(block.at(sizeof(LVITEMW)));
  const wchar_t empty = 0;
  if (!block.Write(0, &item, sizeof(item)) || !block.Write(sizeof(LVITEMW), &empty, sizeof(empty))) return std::nullopt;
  if (!SendWithTimeout(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(block.at(0)))) return std::nullopt;
  wchar_t text[kChars] = {};
  if (!block.Read(sizeof(LVITEMW), text, sizeof(text))) return std::nullopt;
  text[kChars - 1] = 0;
  return std::wstring(text);
}

}  // namespace

StepResult RunDateTime(Session& session, const Args& args) {
  const auto time = ParsePickerTime(args[2]);
  if (!time) return Failed(L"expected now, now+N, now-N or yyyy-mm-ddThh:mm:ss, not " + Quoted(args[2]));
  const auto seconds = SecondsArg(args, 3);
  if (!seconds) return Failed(NotSeconds(args, 3));
  std::wstring why;
  const auto target = WaitForControl(
      session, args[0], L"date-time picker " + Quoted(args[1]),
      [&](HWND window) { return FindLabelledControl(window, args[1], IsDatePicker); }, *seconds, why);
  if (!target) return Failed(why);
  const HWND picker = target->control;
  RemoteBlock block(CurrentProcessHandle(session), sizeof(SYSTEMTIME));
  if (!block.ok() || !SetPickerTime(block, picker, *time)) return Failed(Describe(picker) + L" refused the time");
  // The user's change: the picker gets the focus, its month goes up and down again, and it tells
  // its window each time. Then the exact time once more, in case the day had to shrink.
  SendWithTimeout(picker, WM_SETFOCUS, 0, 0);
  SendWithTimeout(picker, WM_KEYDOWN, VK_RIGHT, 0);
  SendWithTimeout(picker, WM_KEYDOWN, VK_UP, 0);
  SendWithTimeout(picker, WM_KEYDOWN, VK_DOWN, 0);
  SendWithTimeout(picker, WM_KILLFOCUS, 0, 0);
  SetPickerTime(block, picker, *time);
  return Passed(L"set " + Describe(picker) + L" to " + FormatTime(*time) + L" UTC");
}

StepResult RunListSelect(Session& session, const Args& args) {
  const size_t at = RowArgument(args);
  if (args.size() <= at) return Failed(L"expected a row number after the list label");
  const auto row = ParseInteger(args[at]);
  if (!row || *row < 0) return Failed(L"expected a row number, not " + Quoted(args[at]));
  const auto seconds = SecondsArg(args, at + 1);
  if (!seconds) return Failed(NotSeconds(args, at + 1));
  std::wstring why;
  const auto target = WaitForReportList(session, args, *seconds, why);
  if (!target) return Failed(why);
  const HWND list = target->control;
  if (!PollUntil(*seconds, [&] { return SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0).value_or(0) > *row; })) {
    return Failed(Describe(list) + L" has no row " + args[at]);
  }
  RemoteBlock block(CurrentProcessHandle(session), sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  // As a click does: every other row loses the selection, then the row takes it.
  if (!block.ok() || !block.Write(0, &item, sizeof(item)) ||
      !SendWithTimeout(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(block.at(0)))) {
    return Failed(Describe(list) + L" did not answer LVM_SETITEMSTATE");
  }
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  block.Write(0, &item, sizeof(item));
  SendWithTimeout(list, LVM_SETITEMSTATE, static_cast<WPARAM>(*row), reinterpret_cast<LPARAM>(block.at(0)));
  return Passed(L"selected row " + args[at] + L" of " + Describe(list));
}

StepResult RunListCell(Session& session, const Args& args) {
  const size_t at = RowArgument(args);
  if (args.size() < at + 3) return Failed(L"expected a row, a column and a text");
  const auto row = ParseInteger(args[at]);
  const auto column = ParseInteger(args[at + 1]);
  if (!row || !column || *row < 0 || *column < 0) return Failed(L"expected a row and a column number");
  const auto seconds = SecondsArg(args, at + 3);
  if (!seconds) return Failed(NotSeconds(args, at + 3));
  std::wstring why;
  const auto target = WaitForReportList(session, args, *seconds, why);
  if (!target) return Failed(why);
  const HANDLE process = CurrentProcessHandle(session);
  std::wstring seen;
  const bool matched = PollUntil(*seconds, [&] {
    seen = CellText(process, target->control, static_cast<int>(*row), static_cast<int>(*column)).value_or(L"");
    return seen == args[at + 2];
  });
  const std::wstring text = L"row " + args[at] + L" column " + args[at + 1] + L" shows " + Quoted(seen);
  if (!matched) return Failed(text + L", expected " + Quoted(args[at + 2]));
  return Passed(text);
}

}  // namespace ui_driver
