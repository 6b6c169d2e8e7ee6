// The AVI writer against a plain sequential write of the same frames (1920×1080 RGB32), and the
// time to open a capture file of 100,000 frames.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "video/avi/avi_byte_source.h"
#include "video/avi/avi_header_parser.h"
#include "video/avi_writer/avi_writer.h"

namespace {

constexpr int kFramesPerRun = 64;  // a little over two seconds at 30 fps: two checkpoints

std::filesystem::path BenchFile(const char* name) {
  return std::filesystem::temp_directory_path() / (std::string("zuna_bench_") + name);
}

const zuna::AviVideoFormat kHd = zuna::AviVideoFormat::Rgb32(1920, 1080, 30, 1);

void PlainSequentialWrite(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("plain.bin");
  for (auto _ : state) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < kFramesPerRun; ++i) {
      file.write(reinterpret_cast<const char*>(frame.data()), static_cast<std::streamsize>(frame.size()));
    }
    file.close();
    benchmark::DoNotOptimize(file.good());
  }
  state.SetBytesProcessed(state.iterations() * kFramesPerRun * static_cast<std::int64_t>(frame.size()));
  std::filesystem::remove(path);
}
BENCHMARK(PlainSequentialWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void AviWriterWrite(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("writer.avi");
  for (auto _ : state) {
    zuna::AviWriter writer;
    writer.Open(path, kHd);
    for (int i = 0; i < kFramesPerRun; ++i) writer.WriteFrame(frame, i * 333333LL, true);
    benchmark::DoNotOptimize(writer.Close());
  }
  state.SetBytesProcessed(state.iterations() * kFramesPerRun * static_cast<std::int64_t>(frame.size()));
  std::filesystem::remove(path);
}
BENCHMARK(AviWriterWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void OpenCaptureFileOf100000Frames(benchmark::State& state) {
  const auto path = BenchFile("long.avi");
  {
    zuna::AviWriter writer;
    writer.Open(path, zuna::AviVideoFormat::Yuy2(16, 8, 30000, 1001));
    const std::vector<std::uint8_t> frame(16 * 8 * 2, 0x10);
    for (int i = 0; i < 100'000; ++i) {
      if (i % 1000 != 500) writer.WriteFrame(frame, i * 333667LL, true);  // some dropped frames
    }
    writer.Close();
  }
  for (auto _ : state) {
    zuna::AviFileSource source(path);
    zuna::AviHeaderParser parser;
    benchmark::DoNotOptimize(parser.ParseAviHeader(source));
    if (parser.totalFrames != 100'000 || parser.droppedFrames != 100) state.SkipWithError("wrong frame map");
  }
  std::filesystem::remove(path);
}
BENCHMARK(OpenCaptureFileOf100000Frames)->Unit(benchmark::kMillisecond);

}  // namespace
