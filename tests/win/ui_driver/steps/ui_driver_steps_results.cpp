// Results a program shows as lines of text, checked against the truth a scenario knows (a UTC
// instant, a file another program wrote), clicks at a point of a window, and waiting for a UTC time.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <sstream>

#include "../ui_driver_text.h"
#include "../ui_driver_wait.h"
#include "../ui_driver_windows.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

constexpr double kSecondsPerDay = 86400;

// The lines of a text, each without its line end.
std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wstring line;
  std::wistringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The first line of any control of the window that begins with `beginning`.
std::optional<std::wstring> WindowLine(HWND window, std::wstring_view beginning) {
  for (HWND control : Descendants(window)) {
    for (const std::wstring& line : Lines(ControlText(control))) {
      if (line.starts_with(beginning)) return line;
    }
  }
  return std::nullopt;
}

// "hh:mm:ss[.fff]" as seconds after midnight.
std::optional<double> TimeOfDay(std::wstring_view text) {
  int h = 0, m = 0;
  double s = 0;
  const std::wstring copy(text);
  if (swscanf(copy.c_str(), L"%2d:%2d:%lf", &h, &m, &s) != 3 || h > 23 || m > 59 || s < 0 || s >= 61) {
    return std::nullopt;
  }
  return h * 3600.0 + m * 60.0 + s;
}

// The first time of day in a line ("... UTC 04:12:33.1234 ...").
std::optional<double> FirstTimeIn(const std::wstring& line) {
  for (size_t i = 0; i + 8 <= line.size(); ++i) {
    if (std::iswdigit(line[i]) && std::iswdigit(line[i + 1]) && line[i + 2] == L':' && line[i + 5] == L':') {
      if (auto t = TimeOfDay(std::wstring_view(line).substr(i))) return t;
    }
  }
  return std::nullopt;
}

double NowUtcSeconds() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

// The signed difference a - b of two times of day, across midnight the short way.
double DayDifference(double a, double b) {
  double d = std::fmod(a - b, kSecondsPerDay);
  if (d > kSecondsPerDay / 2) d -= kSecondsPerDay;
  if (d < -kSecondsPerDay / 2) d += kSecondsPerDay;
  return d;
}

std::wstring Milliseconds(double seconds) {
  wchar_t text[32];
  swprintf(text, 32, L"%+.1f ms", seconds * 1000);
  return text;
}

}  // namespace

StepResult RunClickAt(Session& session, const Args& args) {
  const auto x = ParseInteger(args[2]), y = ParseInteger(args[3]);
  if (!x || !y) return Failed(L"not a point: " + args[2] + L" " + args[3]);
  const auto seconds = SecondsArg(args, 4);
  if (!seconds) return Failed(NotSeconds(args, 4));
  std::wstring why;
  const auto target = WaitForControl(
      session, args[0], L"window of class " + args[1],
      [&](HWND window) { return FindDescendant(window, [&](HWND c) { return HasClass(c, args[1]) && UserCanUse(c); }); },
      *seconds, why);
  if (!target) return Failed(why);
  const LPARAM point = MAKELPARAM(*x, *y);
  PostMessageW(target->control, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(target->control, WM_LBUTTONUP, 0, point);
  return Passed(L"clicked " + args[2] + L"," + args[3] + L" in " + Describe(target->control));
}

StepResult RunLineTime(Session& session, const Args& args) {
  const auto expected = TimeOfDay(args[2]);
  const auto tolerance = ParseSeconds(args[3]);
  if (!expected || !tolerance) return Failed(L"expected a time hh:mm:ss.fff and a tolerance in ms");
  const auto seconds = SecondsArg(args, 4);
  if (!seconds) return Failed(NotSeconds(args, 4));
  std::optional<std::wstring> line;
  std::wstring why;
  const auto target = WaitForControl(
      session, args[0], L"line beginning " + Quoted(args[1]),
      [&](HWND window) { return (line = WindowLine(window, args[1])) ? window : nullptr; }, *seconds, why);
  if (!target || !line) return Failed(why);
  const auto shown = FirstTimeIn(*line);
  if (!shown) return Failed(L"no time in " + Quoted(*line));
  const double difference = DayDifference(*shown, *expected);
  const std::wstring seen = Quoted(*line) + L": " + Milliseconds(difference) + L" from " + args[2];
  if (std::abs(difference) * 1000 > *tolerance) return Failed(seen + L", more than " + args[3] + L" ms");
  return Passed(seen);
}

StepResult RunSameLine(Session& session, const Args& args) {
  std::ifstream in(session.Resolve(args[2]), std::ios::binary);
  if (!in) return Failed(L"cannot read " + args[2]);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::optional<std::wstring> fileLine;
  for (std::wstring line : Lines(FromUtf8(bytes))) {
    if (line.starts_with(L"# ")) line.erase(0, 2);  // a CSV's comment
    if (line.starts_with(args[1])) {
      fileLine = line;
      break;
    }
  }
  if (!fileLine) return Failed(args[2] + L" has no line beginning " + Quoted(args[1]));
  std::optional<std::wstring> line;
  std::wstring why;
  const auto target = WaitForControl(
      session, args[0], L"line beginning " + Quoted(args[1]),
      [&](HWND window) { return (line = WindowLine(window, args[1])) ? window : nullptr; }, kDefaultTimeoutSeconds,
      why);
  if (!target || !line) return Failed(why);
  if (*line != *fileLine) return Failed(L"the window shows " + Quoted(*line) + L", the file " + Quoted(*fileLine));
  return Passed(L"both show " + Quoted(*line));
}

StepResult RunWaitUtc(Session&, const Args& args) {
  const auto when = TimeOfDay(args[0]);
  wchar_t* end = nullptr;
  const double after = args.size() > 1 ? std::wcstod(args[1].c_str(), &end) : 0.0;
  if (!when || (args.size() > 1 && (end == args[1].c_str() || *end != L'\0'))) {
    return Failed(L"expected a time hh:mm:ss.fff and seconds after it (negative: before)");
  }
  const double wait = DayDifference(*when + after, NowUtcSeconds());
  if (wait > 0) Sleep(static_cast<DWORD>(wait * 1000));
  return Passed(L"the clock passed " + args[0] + L" + " + args[1 < args.size() ? 1 : 0] + L" s");
}

}  // namespace ui_driver
