#pragma once
// Small AVI files written by the project's writer for the playback tests: 64 x 48 YUY2 at 30 fps,
// every frame a key frame but those left out, which the writer records as dropped.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "video/avi_writer/avi_writer.h"

namespace zuna::test {

inline bool WriteTestAvi(const std::filesystem::path& path, int frames, const std::vector<int>& dropped = {}) {
  const AviVideoFormat format = AviVideoFormat::Yuy2(64, 48, 30, 1);
  AviWriter writer;
  if (writer.Open(path, format) != kOk) return false;
  const std::vector<std::uint8_t> picture(format.sizeImage, 0x80);
  for (int i = 0; i < frames; ++i) {
    bool skip = false;
    for (int d : dropped) skip = skip || d == i;
    if (skip) continue;
    if (writer.WriteFrame(picture, std::int64_t{i} * 10'000'000 / 30, true) != kOk) return false;
  }
  return writer.Close() == kOk;
}

}  // namespace zuna::test
