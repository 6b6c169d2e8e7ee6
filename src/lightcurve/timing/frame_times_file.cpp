#include "lightcurve/timing/frame_times_file.h"

#include <charconv>
#include <tuple>

#include "lightcurve/timing/utc_text.h"

namespace zuna {
namespace {

std::optional<std::uint32_t> FrameNumber(std::string_view text) {
  std::uint32_t value = 0;
  if (text.empty() || text.size() > 9) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "YYYY-MM-DD hh:mm:ss[.ssss]".
std::optional<std::int64_t> UtcTicks(std::string_view text) {
  if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ') return std::nullopt;
  UtcDate date;
  for (const auto& [at, count, field] : {std::tuple{0, 4, &date.year}, {5, 2, &date.month}, {8, 2, &date.day}}) {
    int value = 0;
    for (int i = at; i < at + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      value = value * 10 + (text[i] - '0');
    }
    *field = value;
  }
  if (!IsRealDate(date)) return std::nullopt;
  const std::optional<std::int64_t> time = ParseTimeOfDay(text.substr(11));
  if (!time) return std::nullopt;
  return DaysFromDate(date) * kUtcTicksPerDay + *time;
}

std::string LineProblem(std::size_t line, std::string_view what) {
  return "line " + std::to_string(line) + " of the frame times file: " + std::string(what);
}

}  // namespace

std::optional<std::vector<FrameTimeEntry>> ParseFrameTimesFile(std::string_view text, std::string* problem) {
  if (text.size() > kMaxFrameTimesBytes) {
    *problem = "the frame times file is too long";
    return std::nullopt;
  }
  std::vector<FrameTimeEntry> entries;
  std::size_t number = 0;
  bool header = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (number == 1) {
      if (line != kFrameTimesFirstLine) {
        *problem = LineProblem(1, "it does not begin with \"" + std::string(kFrameTimesFirstLine) + "\"");
        return std::nullopt;
      }
      continue;
    }
    if (line.empty() || line.front() == '#') continue;
    if (!header) {
      if (line != kFrameTimesHeader) {
        *problem = LineProblem(number, "the header \"" + std::string(kFrameTimesHeader) + "\" is missing");
        return std::nullopt;
      }
      header = true;
      continue;
    }
    const std::size_t c1 = line.find(','), c2 = c1 == std::string_view::npos ? c1 : line.find(',', c1 + 1);
    if (c2 == std::string_view::npos) {
      *problem = LineProblem(number, "not frame,utc,flag");
      return std::nullopt;
    }
    const std::optional<std::uint32_t> frame = FrameNumber(line.substr(0, c1));
    const std::optional<std::int64_t> ticks = UtcTicks(line.substr(c1 + 1, c2 - c1 - 1));
    const std::string_view flag = line.substr(c2 + 1);
    if (!frame || !ticks || (flag != "kept" && flag != "dropped")) {
      *problem = LineProblem(number, "not a frame number, a UTC time and \"kept\" or \"dropped\"");
      return std::nullopt;
    }
    if (!entries.empty() && *frame <= entries.back().frame) {
      *problem = LineProblem(number, "the frame numbers do not rise");
      return std::nullopt;
    }
    entries.push_back({*frame, *ticks, flag == "dropped"});
  }
  if (!header) {
    *problem = "the frame times file has no header line";
    return std::nullopt;
  }
  return entries;
}

std::string FormatFrameTimesFile(const std::vector<FrameTimeEntry>& entries) {
  std::string text = std::string(kFrameTimesFirstLine) + "\r\n" + std::string(kFrameTimesHeader) + "\r\n";
  for (const FrameTimeEntry& e : entries) {
    const std::int64_t days = e.ticks >= 0 ? e.ticks / kUtcTicksPerDay : (e.ticks - kUtcTicksPerDay + 1) / kUtcTicksPerDay;
    const std::int64_t inDay = e.ticks - days * kUtcTicksPerDay;
    text += std::to_string(e.frame) + "," + DateText(DateFromDays(days)) + " " +
            TimeOfDayText(static_cast<double>(inDay) / kUtcTicksPerSecond) + (e.dropped ? ",dropped\r\n" : ",kept\r\n");
  }
  return text;
}

}  // namespace zuna
