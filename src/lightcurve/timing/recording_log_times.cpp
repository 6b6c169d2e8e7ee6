#include "lightcurve/timing/recording_log_times.h"

#include <array>

namespace zuna {
namespace {

constexpr std::string_view kFirstFrame = "First frame: ";
constexpr std::string_view kUtcEnd = " (UTC)";

// Six '_'-separated numbers of 4 or 2 digits starting at `at`; their digit counts must match `widths`.
std::optional<std::array<int, 6>> NumberRun(std::string_view name, std::size_t at, const std::array<int, 6>& widths) {
  std::array<int, 6> values{};
  for (std::size_t i = 0; i < 6; ++i) {
    if (i > 0) {
      if (at >= name.size() || name[at] != '_') return std::nullopt;
      ++at;
    }
    int value = 0;
    for (int d = 0; d < widths[i]; ++d, ++at) {
      if (at >= name.size() || name[at] < '0' || name[at] > '9') return std::nullopt;
      value = value * 10 + (name[at] - '0');
    }
    values[i] = value;
  }
  // A longer number is not the same run.
  if (at < name.size() && name[at] >= '0' && name[at] <= '9') return std::nullopt;
  return values;
}

std::optional<NamedTime> Checked(const UtcDate& date, int h, int m, int s) {
  if (!IsRealDate(date) || h > 23 || m > 59 || s > 59) return std::nullopt;
  return NamedTime{date, ((h * 60LL + m) * 60 + s) * kUtcTicksPerSecond};
}

}  // namespace

std::optional<std::int64_t> ParseFirstFrameLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (!line.starts_with(kFirstFrame) || !line.ends_with(kUtcEnd)) return std::nullopt;
  const std::string_view time = line.substr(kFirstFrame.size(), line.size() - kFirstFrame.size() - kUtcEnd.size());
  if (time.size() != 12) return std::nullopt;  // HH:MM:SS.mmm
  return ParseTimeOfDay(time);
}

std::optional<std::int64_t> FirstFrameFromLog(std::string_view text) {
  text = text.substr(0, kMaxLogBytes);
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::optional<std::int64_t> time = ParseFirstFrameLine(text.substr(0, end));
    if (time) return time;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return std::nullopt;
}

std::optional<NamedTime> TimeFromRecordingName(std::string_view name) {
  for (std::size_t at = 0; at < name.size(); ++at) {
    if (at > 0 && name[at - 1] >= '0' && name[at - 1] <= '9') continue;  // inside a number
    if (const auto v = NumberRun(name, at, {4, 2, 2, 2, 2, 2})) {
      if (auto t = Checked({(*v)[0], (*v)[1], (*v)[2]}, (*v)[3], (*v)[4], (*v)[5])) return t;
    }
    if (const auto v = NumberRun(name, at, {2, 2, 4, 2, 2, 2})) {
      if (auto t = Checked({(*v)[2], (*v)[0], (*v)[1]}, (*v)[3], (*v)[4], (*v)[5])) return t;
    }
  }
  return std::nullopt;
}

}  // namespace zuna
