#include "capture/recording/recording_space.h"

#include <cmath>

namespace zuna {
namespace {

bool IsFat32(const std::wstring& fileSystem) {
  std::wstring upper = fileSystem;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(c >= L'a' && c <= L'z' ? c - 32 : c);
  return upper == L"FAT32";
}

std::uint64_t Seconds(std::uint64_t bytes, std::uint64_t perFrame, double framesPerSecond) {
  const std::uint64_t frames = bytes > kAviFixedBytes ? (bytes - kAviFixedBytes) / perFrame : 0;
  return static_cast<std::uint64_t>(std::floor(static_cast<double>(frames) / framesPerSecond));
}

}  // namespace

std::uint64_t AviBytesPerFrame(const RecordingStream& stream) {
  // A chunk's data is padded to an even length.
  return stream.frameBytes + (stream.frameBytes & 1) + kAviBytesPerFrame;
}

std::uint64_t DiskBytesPerFrame(const RecordingStream& stream) {
  return AviBytesPerFrame(stream) + (stream.frameTimes ? kFrameTimesBytesPerFrame : 0);
}

std::optional<SpaceCheck> SecondsOnDisk(const RecordingStream& stream, const DiskFacts& disk) {
  if (stream.frameBytes == 0 || !(stream.framesPerSecond > 0) || !std::isfinite(stream.framesPerSecond)) return {};
  SpaceCheck check;
  check.seconds = Seconds(disk.freeBytes, DiskBytesPerFrame(stream), stream.framesPerSecond);
  if (IsFat32(disk.fileSystem)) {
    const std::uint64_t inOneFile = Seconds(kFat32FileLimit, AviBytesPerFrame(stream), stream.framesPerSecond);
    if (inOneFile < check.seconds) check = {inOneFile, true};
  }
  return check;
}

std::wstring SpanText(std::uint64_t seconds) {
  const std::uint64_t hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
  std::wstring text;
  const auto part = [&text](std::uint64_t value, const wchar_t* unit) {
    if (value == 0) return;
    if (!text.empty()) text += L' ';
    text += std::to_wstring(value) + L' ' + unit;
  };
  part(hours, L"h");
  part(minutes, L"min");
  part(rest, L"s");
  return text.empty() ? L"0 s" : text;
}

std::optional<std::wstring> SpaceWarning(const SpaceCheck& check, std::uint64_t neededSeconds,
                                         std::wstring_view needer) {
  if (check.seconds >= neededSeconds) return {};
  const std::wstring where =
      check.fat32Limit ? L"the disk is FAT32, where no file may pass 4 GiB: one file holds " : L"the disk holds ";
  return L"WARNING: " + where + SpanText(check.seconds) + L" of this video; " + std::wstring(needer) + L" needs " +
         SpanText(neededSeconds) + L"\r\n";
}

}  // namespace zuna
