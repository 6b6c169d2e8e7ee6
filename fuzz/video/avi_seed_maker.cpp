// Writes the seed corpus of avi_parser: small files from the capture writer, with and without
// dropped frames, in several parts, with key flags, untagged, and cut off.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "video/avi/avi_layout.h"
#include "video/avi_writer/avi_writer.h"
#include "video/avi_writer/riff_memory_output.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Make(const zuna::AviVideoFormat& format, int frames, int dropEvery, std::uint64_t partBytes = 1 << 20) {
  auto file = std::make_shared<Bytes>();
  zuna::AviWriterOptions options;
  options.superIndexEntries = 6;
  options.framesPerIndex = 4;
  options.partBytes = partBytes;
  zuna::AviWriter writer(options);
  writer.Open(std::make_unique<zuna::RiffMemoryOutput>(file), format);
  const Bytes frame(format.compressed ? 37 : format.sizeImage, 0x5A);
  for (int i = 0; i < frames; ++i) {
    if (dropEvery > 0 && i % dropEvery == dropEvery - 1) continue;
    writer.WriteFrame(frame, std::int64_t{i} * 10'000'000 * format.scale / format.rate, i % 3 == 0);
  }
  writer.Close();
  return *file;
}

void Save(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
  std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: avi_seed_maker FOLDER\n", stderr);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const auto yuy2 = zuna::AviVideoFormat::Yuy2(8, 4, 30000, 1001);
  Save(folder, "plain.avi", Make(yuy2, 10, 0));
  Save(folder, "dropped.avi", Make(yuy2, 12, 4));
  Save(folder, "parts.avi", Make(zuna::AviVideoFormat::Rgb32(4, 4, 25, 1), 24, 5, 1024));
  Save(folder, "keys.avi", Make(zuna::AviVideoFormat::Compressed(zuna::FourCc("LAGS"), 24, 8, 8, 25, 1), 12, 0));
  Bytes other = Make(yuy2, 6, 0);
  other[20 + other[16] + (other[17] << 8) + 20] = 'X';  // the IART text of another writer
  Save(folder, "other.avi", other);
  Bytes cut = Make(yuy2, 12, 5);
  cut.resize(cut.size() * 2 / 3);
  Save(folder, "cut.avi", cut);
  return 0;
}
