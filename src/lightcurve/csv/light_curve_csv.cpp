#include "lightcurve/csv/light_curve_csv.h"

#include <cctype>
#include <cstdio>

namespace zuna {
namespace {

void AddNumber(std::string& line, double value) {
  char text[48];
  std::snprintf(text, sizeof text, ",%.2f", value);
  line += text;
}

void AddColumns(std::string& line, const char* prefix, const std::vector<std::string>& names) {
  for (const std::string& name : names) line += std::string(",") + prefix + name;
}

std::string Row(const PhotometryPoint& point, const FrameTimes& times) {
  char head[64];
  std::snprintf(head, sizeof head, "%.2f,[%s]", point.position, TimeOfDayText(times.At(point.position)).c_str());
  std::string line = head;
  // A star whose aperture left the picture has empty cells.
  const auto each = [&](auto value) {
    for (const StarSample& s : point.stars) {
      if (s.measured) {
        value(s);
      } else {
        line += ',';
      }
    }
  };
  each([&](const StarSample& s) { AddNumber(line, s.signal); });
  each([&](const StarSample& s) { AddNumber(line, s.background); });
  for (const StarSample& s : point.stars) AddNumber(line, s.x);
  for (const StarSample& s : point.stars) AddNumber(line, s.y);
  each([&](const StarSample& s) { line += "," + std::to_string(s.saturated); });
  return line + "\r\n";
}

}  // namespace

std::string CsvCommentText(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  for (std::size_t at = 0; at + kHeaderWord.size() <= out.size(); ++at) {
    bool same = true;
    for (std::size_t i = 0; i < kHeaderWord.size() && same; ++i) {
      same = std::tolower(static_cast<unsigned char>(out[at + i])) ==
             std::tolower(static_cast<unsigned char>(kHeaderWord[i]));
    }
    if (same) out.insert(at + 5, "-");  // "Frame-Num"
  }
  return out;
}

std::string LightCurveCsv(std::string_view version, const std::vector<std::string>& comments, const PhotometryRun& run,
                          const FrameTimes& times) {
  std::string text = "# ZUNA Video light curve " + CsvCommentText(version) + "\r\n";
  for (const std::string& comment : comments) text += "# " + CsvCommentText(comment) + "\r\n";
  std::string header = std::string(kHeaderWord) + ",timeInfo";
  AddColumns(header, "signal-", run.starNames);
  AddColumns(header, "background-", run.starNames);
  AddColumns(header, "x-", run.starNames);
  AddColumns(header, "y-", run.starNames);
  AddColumns(header, "saturated-", run.starNames);
  text += header + "\r\n";
  for (const PhotometryPoint& point : run.points) text += Row(point, times);
  return text;
}

}  // namespace zuna
