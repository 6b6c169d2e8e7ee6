// A small AVI file for a playback scenario, written by the project's own writer: 160 x 120 (or a
// size given) at 25 frames per second in RGB32, YUY2 or NV12 (stored as a codec's frames, every one a key frame),
// each frame a different grey, the listed frames left out (the writer records them as dropped, as
// a capture would).
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "../ui_driver_text.h"
#include "ui_driver_steps.h"
#include "video/avi/avi_file_info.h"
#include "video/avi/avi_header_parser.h"
#include "video/avi_writer/avi_writer.h"
#include "video/avi_writer/frame_times_writer.h"
#include "video/player/media_graph_types.h"

namespace ui_driver {
namespace {

constexpr int kMaxFrames = 100000;

std::optional<int> ParseCount(const std::wstring& word) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(word.c_str(), &end, 10);
  if (word.empty() || end == nullptr || *end != L'\0' || value < 0 || value > kMaxFrames) return std::nullopt;
  return static_cast<int>(value);
}

// "5,6" -> {5, 6}; nothing when a part is not a frame number.
std::optional<std::vector<int>> ParseFrameList(const std::wstring& text) {
  std::vector<int> frames;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = text.find(L',', start);
    const std::wstring part = text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
    const auto frame = ParseCount(part);
    if (!frame) return std::nullopt;
    frames.push_back(*frame);
    if (comma == std::wstring::npos) break;
    start = comma + 1;
  }
  return frames;
}

// "720x480": even sizes from 2 x 2 to 4096 x 4096.
bool ParseSize(const std::wstring& text, int& width, int& height) {
  const std::size_t x = text.find(L'x');
  if (x == std::wstring::npos) return false;
  const auto w = ParseCount(text.substr(0, x));
  const auto h = ParseCount(text.substr(x + 1));
  if (!w || !h || *w < 2 || *h < 2 || *w > 4096 || *h > 4096 || *w % 2 != 0 || *h % 2 != 0) return false;
  width = *w;
  height = *h;
  return true;
}

std::optional<zuna::AviVideoFormat> FormatNamed(const std::wstring& name, int width, int height) {
  if (EqualsNoCase(name, L"rgb32")) return zuna::AviVideoFormat::Rgb32(width, height, 25, 1);
  if (EqualsNoCase(name, L"yuy2")) return zuna::AviVideoFormat::Yuy2(width, height, 25, 1);
  if (EqualsNoCase(name, L"nv12")) {
    zuna::AviVideoFormat format =
        zuna::AviVideoFormat::Compressed(zuna::MakeFourcc('N', 'V', '1', '2'), 12, width, height, 25, 1);
    format.sizeImage = width * height * 3 / 2;
    return format;
  }
  return std::nullopt;
}

bool Listed(const std::vector<int>& frames, int frame) {
  for (int f : frames) {
    if (f == frame) return true;
  }
  return false;
}

struct AviChecks {
  bool log = false;
  bool frameTimes = false;
  std::optional<double> rate;
  std::optional<double> seconds;
  std::optional<int> dropEvery;
  std::optional<std::wstring> codec;  // the codec text the file information shows
  bool tagged = false;
  bool allKey = false;
};

// A recording's length in frames agrees with a time in seconds within this.
constexpr double kSecondsTolerance = 1.0;
// The log's start and stop times are whole seconds, each logged a moment after the graph changed.
constexpr double kLogTolerance = 2.5;

std::optional<double> ParsePositive(const std::wstring& text) {
  wchar_t* end = nullptr;
  const double value = std::wcstod(text.c_str(), &end);
  if (text.empty() || end == nullptr || *end != L'\0' || !(value > 0)) return std::nullopt;
  return value;
}

bool ParseCheck(const std::wstring& arg, AviChecks& checks) {
  if (arg == L"log") {
    checks.log = true;
    return true;
  }
  if (arg == L"frame-times") {
    checks.frameTimes = true;
    return true;
  }
  if (arg == L"tagged" || arg == L"all-key") {
    (arg == L"tagged" ? checks.tagged : checks.allKey) = true;
    return true;
  }
  const std::size_t equals = arg.find(L'=');
  if (equals == std::wstring::npos) return false;
  const std::wstring name = arg.substr(0, equals);
  if (name == L"codec") {
    const std::string code = ToUtf8(arg.substr(equals + 1));
    if (code.size() != 4) return false;
    checks.codec = zuna::CodecText(zuna::FourCc(code));
    return true;
  }
  const auto value = ParsePositive(arg.substr(equals + 1));
  if (!value) return false;
  if (name == L"rate") {
    checks.rate = value;
  } else if (name == L"seconds") {
    checks.seconds = value;
  } else if (name == L"drop-every" && *value == std::floor(*value) && *value >= 2) {
    checks.dropEvery = static_cast<int>(*value);
  } else {
    return false;
  }
  return true;
}

std::wstring Seconds(double seconds) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%.2f", seconds);
  return text;
}

// The dropped frames are every nth one of the file: none missing, none more.
bool EveryNth(const std::vector<std::uint32_t>& dropped, std::uint32_t frames, int n, std::wstring& why) {
  std::wstring list;
  for (std::uint32_t d : dropped) list += L" " + std::to_wstring(d);
  why = L"dropped frames" + (list.empty() ? std::wstring(L" none") : list) + L" are not every " + std::to_wstring(n) +
        L"th";
  if (frames > static_cast<std::uint32_t>(n) && dropped.empty()) return false;
  if (!dropped.empty() && dropped.front() >= static_cast<std::uint32_t>(n)) return false;
  for (std::size_t i = 1; i < dropped.size(); ++i) {
    if (dropped[i] - dropped[i - 1] != static_cast<std::uint32_t>(n)) return false;
  }
  // The last frame is always kept, so the next dropped one would have been beyond it.
  if (!dropped.empty() && dropped.back() + n < frames - 1) return false;
  return true;
}

// The log's bytes, ASCII where the driver reads them.
std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::optional<std::string> ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The line that begins with the prefix, from where the search starts; its position is moved past it.
std::optional<std::string> LineAfter(const std::string& text, const std::string& prefix, std::size_t& from) {
  std::size_t at = from;
  while (at < text.size()) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) return std::nullopt;
    if (text.compare(at, prefix.size(), prefix) == 0) {
      from = end + 2;
      return text.substr(at + prefix.size(), end - at - prefix.size());
    }
    at = end + 2;
  }
  return std::nullopt;
}

// "hh:mm:ss (UTC)" or "hh:mm:ss.mmm (UTC)" as seconds of the day.
std::optional<double> TimeOfDay(const std::string& text) {
  int h = 0, m = 0, s = 0, ms = 0;
  if (std::sscanf(text.c_str(), "%2d:%2d:%2d.%3d (UTC)", &h, &m, &s, &ms) == 4 ||
      std::sscanf(text.c_str(), "%2d:%2d:%2d (UTC)", &h, &m, &s) == 3) {
    return h * 3600.0 + m * 60.0 + s + ms / 1000.0;
  }
  return std::nullopt;
}

double Between(double from, double to) {
  return to >= from ? to - from : to + 86400.0 - from;
}

// The log beside the file has its lines in order, and its counts and times agree with the file.
bool LogAgrees(const std::filesystem::path& avi, const zuna::AviHeaderParser& parser, double rate, std::wstring& why) {
  std::filesystem::path logPath = avi;
  logPath.replace_extension(L".txt");
  const auto text = ReadText(logPath);
  if (!text) {
    why = L"no log " + Quoted(logPath.wstring());
    return false;
  }
  if (!text->starts_with("Manual recording\r\n") && !text->starts_with("Event recording: ")) {
    why = L"the log begins with neither \"Manual recording\" nor \"Event recording: \"";
    return false;
  }
  std::size_t at = 0;
  const char* order[] = {"Start recording at ",
                         "Stop recording at ",
                         "Video file:  ",
                         "Video source device: ",
                         "Source device video standard: ",
                         "Frame rate: ",
                         "Frame size: ",
                         "Codec: ",
                         "First frame: ",
                         "Frames recorded: "};
  std::string values[std::size(order)];
  for (std::size_t i = 0; i < std::size(order); ++i) {
    const auto value = LineAfter(*text, order[i], at);
    if (!value) {
      why = L"the log lacks a line \"" + Wide(order[i]) + L"...\" in its place";
      return false;
    }
    values[i] = *value;
  }
  const std::string& fileLine = values[2];
  const std::string name = avi.filename().string();
  if (fileLine.size() < name.size() || fileLine.compare(fileLine.size() - name.size(), name.size(), name) != 0 ||
      fileLine.find(":\\") != 1) {
    why = L"the log's video file " + Quoted(Wide(fileLine)) + L" is not the complete path of " + Quoted(Wide(name));
    return false;
  }
  unsigned long recorded = 0, dropped = 0;
  if (std::sscanf(values[9].c_str(), "%lu, dropped: %lu", &recorded, &dropped) != 2 || recorded != parser.totalFrames ||
      dropped != parser.droppedFrames) {
    why = L"the log says \"Frames recorded: " + Wide(values[9]) + L"\", the file holds " +
          std::to_wstring(parser.totalFrames) + L" frames, " + std::to_wstring(parser.droppedFrames) + L" dropped";
    return false;
  }
  const auto start = TimeOfDay(values[0]);
  const auto stop = TimeOfDay(values[1]);
  const auto first = TimeOfDay(values[8]);
  if (!start || !stop || !first) {
    why = L"the log's start, stop or first frame time is not a time of day";
    return false;
  }
  const double seconds = parser.totalFrames / rate;
  const double logged = Between(*start, *stop);
  const double sinceFirst = Between(*first, *stop);
  if (std::abs(seconds - logged) > kLogTolerance || std::abs(seconds - sinceFirst) > kLogTolerance ||
      Between(*start, *first) > kLogTolerance) {
    why = Seconds(seconds) + L" s of frames, but the log has " + Seconds(logged) + L" s from start to stop and " +
          Seconds(sinceFirst) + L" s from the first frame to the stop";
    return false;
  }
  return true;
}

}  // namespace

StepResult RunWriteAvi(Session& session, const Args& args) {
  int width = 160, height = 120;
  std::vector<int> dropped;
  for (std::size_t i = 3; i < args.size(); ++i) {
    if (args[i].find(L'x') != std::wstring::npos) {
      if (!ParseSize(args[i], width, height))
        return Failed(L"expected an even size such as 720x480, not " + Quoted(args[i]));
      continue;
    }
    const auto list = ParseFrameList(args[i]);
    if (!list) return Failed(L"expected frame numbers separated by commas, not " + Quoted(args[i]));
    dropped = *list;
  }
  const auto format = FormatNamed(args[1], width, height);
  if (!format) return Failed(L"expected rgb32, yuy2 or nv12, not " + Quoted(args[1]));
  const auto frames = ParseCount(args[2]);
  if (!frames || *frames == 0) return Failed(L"expected a frame count from 1 to 100000, not " + Quoted(args[2]));
  // The writer records a frame as dropped only when a later one follows it.
  if (Listed(dropped, *frames - 1)) return Failed(L"the last frame cannot be dropped");
  const auto path = session.Resolve(args[0]);
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  zuna::AviWriter writer;
  if (writer.Open(path, *format) != zuna::kOk) return Failed(L"cannot create " + Quoted(path.wstring()));
  std::vector<std::uint8_t> picture(format->sizeImage);
  for (int i = 0; i < *frames; ++i) {
    if (Listed(dropped, i)) continue;
    std::fill(picture.begin(), picture.end(), static_cast<std::uint8_t>(40 + (i * 4) % 200));
    if (writer.WriteFrame(picture, std::int64_t{i} * 10'000'000 / 25, true) != zuna::kOk) {
      return Failed(L"cannot write frame " + std::to_wstring(i) + L" of " + Quoted(path.wstring()));
    }
  }
  if (writer.Close() != zuna::kOk) return Failed(L"cannot close " + Quoted(path.wstring()));
  return Passed(L"wrote " + std::to_wstring(*frames) + L" frames (" + std::to_wstring(dropped.size()) +
                L" dropped) to " + Quoted(path.wstring()));
}

// The frame times file beside the AVI file: its two first lines, then one line per frame in order,
// "dropped" exactly where the file has a dropped frame, times rising and spanning the file's length
// at the rate.
bool FrameTimesAgree(const std::filesystem::path& avi, const zuna::AviHeaderParser& parser, double rate,
                     std::wstring& why) {
  const std::filesystem::path path = zuna::FrameTimesPath(avi);
  const auto text = ReadText(path);
  if (!text) {
    why = L"no frame times file " + Quoted(path.wstring());
    return false;
  }
  const std::string head =
      std::string(zuna::kFrameTimesFileFirstLine) + "\r\n" + std::string(zuna::kFrameTimesFileHeader) + "\r\n";
  if (text->compare(0, head.size(), head) != 0) {
    why = L"the frame times file does not begin with its two first lines";
    return false;
  }
  const std::vector<std::uint32_t> dropped = parser.DroppedFrameNumbers();
  std::size_t at = head.size(), nextDropped = 0;
  std::string first, last;
  std::uint32_t frame = 0;
  for (; at < text->size(); ++frame) {
    const std::size_t end = text->find("\r\n", at);
    const std::string line = text->substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? text->size() : end + 2;
    const bool isDropped = nextDropped < dropped.size() && dropped[nextDropped] == frame;
    nextDropped += isDropped ? 1 : 0;
    const std::string number = std::to_string(frame) + ",";
    const std::string flag = isDropped ? ",dropped" : ",kept";
    // "N," then "YYYY-MM-DD hh:mm:ss.ssss" (24 characters) then the flag.
    if (line.size() != number.size() + 24 + flag.size() || line.compare(0, number.size(), number) != 0 ||
        line.compare(number.size() + 24, std::string::npos, flag) != 0) {
      why = L"line " + Quoted(Wide(line)) + L" is not frame " + std::to_wstring(frame) + Wide(flag);
      return false;
    }
    const std::string time = line.substr(number.size(), 24);
    if (time <= last) {  // fixed-width times rise as their texts do
      why = L"the time of frame " + std::to_wstring(frame) + L" does not rise";
      return false;
    }
    if (first.empty()) first = time;
    last = time;
  }
  if (frame != parser.totalFrames) {
    why = L"the frame times file lists " + std::to_wstring(frame) + L" frames";
    return false;
  }
  const auto from = TimeOfDay(first.substr(11) + " (UTC)"), to = TimeOfDay(last.substr(11) + " (UTC)");
  const double expected = frame > 0 ? (frame - 1) / rate : 0;
  if (!from || !to || std::abs(Between(*from, *to) - expected) > kSecondsTolerance) {
    why = L"the frame times span " + Wide(first) + L" to " + Wide(last) + L", not " + Seconds(expected) + L" s";
    return false;
  }
  return true;
}

StepResult RunAviFrames(Session& session, const Args& args) {
  const auto minimum = ParseCount(args[1]);
  if (!minimum) return Failed(L"expected a frame count from 0 to 100000, not " + Quoted(args[1]));
  AviChecks checks;
  for (std::size_t i = 2; i < args.size(); ++i) {
    if (!ParseCheck(args[i], checks)) {
      return Failed(L"expected log, frame-times, tagged, all-key, codec=CODE, rate=R, seconds=S or drop-every=N, not " +
                    Quoted(args[i]));
    }
  }
  if ((checks.log || checks.frameTimes || checks.seconds) && !checks.rate) {
    return Failed(L"log, frame-times and seconds= need rate=");
  }
  const std::filesystem::path pattern = session.Resolve(args[0]);
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return Failed(L"nothing matches " + Quoted(pattern.wstring()));
  FindClose(search);
  const std::filesystem::path path = pattern.parent_path() / found.cFileName;
  zuna::AviFileSource file(path);
  zuna::AviHeaderParser parser;
  if (!file.IsOpen() || parser.ParseAviHeader(file) != zuna::kOk) {
    return Failed(L"cannot read the AVI headers of " + Quoted(path.wstring()));
  }
  std::wstring seen = Quoted(path.wstring()) + L": " + std::to_wstring(parser.totalFrames) + L" frames (" +
                      std::to_wstring(parser.droppedFrames) + L" dropped), " + parser.info.frameSize + L", " +
                      parser.info.codec + (parser.createdByCapture ? L", written by the capture program" : L"");
  if (parser.totalFrames < static_cast<std::uint32_t>(*minimum)) {
    return Failed(seen + L", fewer than " + args[1]);
  }
  if (checks.codec && parser.info.codec != *checks.codec) return Failed(seen + L": not " + Quoted(*checks.codec));
  if (checks.tagged && !parser.createdByCapture) return Failed(seen + L": no capture tag");
  // The capture program's index marks each frame: one that is not a key frame reads as dropped.
  if (checks.allKey && (!parser.createdByCapture || parser.keyFrames != parser.totalFrames)) {
    return Failed(seen + L": " + std::to_wstring(parser.keyFrames) + L" key frames");
  }
  if (checks.seconds) {
    const double recorded = parser.totalFrames / *checks.rate;
    seen += L", " + Seconds(recorded) + L" s";
    if (std::abs(recorded - *checks.seconds) > kSecondsTolerance) {
      return Failed(seen + L", not " + Seconds(*checks.seconds) + L" s");
    }
  }
  if (checks.dropEvery) {
    if (!parser.createdByCapture) return Failed(seen + L": no dropped frame numbers");
    std::wstring why;
    if (!EveryNth(parser.DroppedFrameNumbers(), parser.totalFrames, *checks.dropEvery, why)) {
      return Failed(seen + L": " + why);
    }
    seen += L", every " + std::to_wstring(*checks.dropEvery) + L"th dropped";
  }
  if (checks.log) {
    std::wstring why;
    if (!LogAgrees(path, parser, *checks.rate, why)) return Failed(seen + L": " + why);
    seen += L", its log agrees";
  }
  if (checks.frameTimes) {
    std::wstring why;
    if (!FrameTimesAgree(path, parser, *checks.rate, why)) return Failed(seen + L": " + why);
    seen += L", its frame times agree";
  }
  return Passed(seen);
}

}  // namespace ui_driver
