// A small AVI file for a playback scenario, written by the project's own writer: 160 x 120 at 25
// frames per second in RGB32, YUY2 or NV12 (stored as a codec's frames, every one a key frame),
// each frame a different grey, the listed frames left out (the writer records them as dropped, as
// a capture would).
#include <windows.h>

#include <cwchar>
#include <vector>

#include "../ui_driver_text.h"
#include "ui_driver_steps.h"
#include "video/avi/avi_header_parser.h"
#include "video/avi_writer/avi_writer.h"
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

std::optional<zuna::AviVideoFormat> FormatNamed(const std::wstring& name) {
  constexpr int kWidth = 160, kHeight = 120;
  if (EqualsNoCase(name, L"rgb32")) return zuna::AviVideoFormat::Rgb32(kWidth, kHeight, 25, 1);
  if (EqualsNoCase(name, L"yuy2")) return zuna::AviVideoFormat::Yuy2(kWidth, kHeight, 25, 1);
  if (EqualsNoCase(name, L"nv12")) {
    zuna::AviVideoFormat format =
        zuna::AviVideoFormat::Compressed(zuna::MakeFourcc('N', 'V', '1', '2'), 12, kWidth, kHeight, 25, 1);
    format.sizeImage = kWidth * kHeight * 3 / 2;
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

}  // namespace

StepResult RunWriteAvi(Session& session, const Args& args) {
  const auto format = FormatNamed(args[1]);
  if (!format) return Failed(L"expected rgb32, yuy2 or nv12, not " + Quoted(args[1]));
  const auto frames = ParseCount(args[2]);
  if (!frames || *frames == 0) return Failed(L"expected a frame count from 1 to 100000, not " + Quoted(args[2]));
  std::vector<int> dropped;
  if (args.size() > 3) {
    const auto list = ParseFrameList(args[3]);
    if (!list) return Failed(L"expected frame numbers separated by commas, not " + Quoted(args[3]));
    dropped = *list;
  }
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

StepResult RunAviFrames(Session& session, const Args& args) {
  const auto minimum = ParseCount(args[1]);
  if (!minimum) return Failed(L"expected a frame count from 0 to 100000, not " + Quoted(args[1]));
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
  const std::wstring seen = Quoted(path.wstring()) + L": " + std::to_wstring(parser.totalFrames) + L" frames (" +
                            std::to_wstring(parser.droppedFrames) + L" dropped), " + parser.info.frameSize +
                            (parser.createdByCapture ? L", written by the capture program" : L"");
  if (parser.totalFrames < static_cast<std::uint32_t>(*minimum)) {
    return Failed(seen + L", fewer than " + args[1]);
  }
  return Passed(seen);
}

}  // namespace ui_driver
