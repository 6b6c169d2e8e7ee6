// An event file for a capture scenario, timed from the moment the step runs, written in the
// program's own event file format.
#include <windows.h>

#include <cwchar>
#include <filesystem>

#include "../ui_driver_text.h"
#include "capture/events/event_file.h"
#include "common/time/file_time.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

constexpr long kMaxSeconds = 24L * 3600;

std::optional<long> ParseSeconds(const std::wstring& word) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(word.c_str(), &end, 10);
  if (word.empty() || end == nullptr || *end != L'\0' || value < 1 || value > kMaxSeconds) return std::nullopt;
  return value;
}

// Two characters, blank-padded, as the scheduling dialog writes numbers.
std::wstring Two(int n) {
  wchar_t text[8];
  std::swprintf(text, 8, L"%2d", n);
  return text;
}

zuna::CalendarTime UtcNow() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, 0};
}

}  // namespace

StepResult RunWriteEvent(Session& session, const Args& args) {
  const auto inSeconds = ParseSeconds(args[1]);
  const auto duration = ParseSeconds(args[2]);
  if (!inSeconds || !duration || *duration > 99 * 3600) {
    return Failed(L"expected seconds from now and a duration in seconds, not " + Quoted(args[1]) + L" " +
                  Quoted(args[2]));
  }
  const std::wstring power = args.size() > 3 ? args[3] : L"none";
  if (power != L"none" && power != L"hibernate" && power != L"shutdown") {
    return Failed(L"expected none, hibernate or shutdown, not " + Quoted(power));
  }
  const auto now = zuna::ToFileTime(UtcNow());
  if (!now) return Failed(L"the system clock gives no calendar time");
  const zuna::CalendarTime t =
      zuna::ToCalendarTime(*now + static_cast<zuna::FileTime>(*inSeconds) * zuna::kTicksPerSecond);
  zuna::EventFileRecord r;
  r.eventYear = std::to_wstring(t.year);
  r.eventMonth = Two(t.month);
  r.eventDay = Two(t.day);
  r.eventHour = Two(t.hour);
  r.eventMinute = Two(t.minute);
  r.eventSecond = Two(t.second);
  r.durationHour = Two(static_cast<int>(*duration / 3600));
  r.durationMinute = Two(static_cast<int>(*duration / 60 % 60));
  r.durationSecond = Two(static_cast<int>(*duration % 60));
  r.hibernate = power == L"hibernate" ? L"true" : L"false";
  r.shutdown = power == L"shutdown" ? L"true" : L"false";
  r.asteroidName = L"Vesta";
  const auto path = session.Resolve(args[0]);
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  if (!zuna::WriteEventFile(path, r)) return Failed(L"cannot write " + Quoted(path.wstring()));
  wchar_t when[64];
  std::swprintf(when, 64, L"%04d-%02d-%02d %02d:%02d:%02d UTC", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return Passed(L"wrote an event at " + std::wstring(when) + L" lasting " + args[2] + L" s to " +
                Quoted(path.wstring()));
}

}  // namespace ui_driver
