// Measuring a star field against only reading its frames: a 720 x 480 YUY2 file of 3,600 frames
// (two minutes at 30 frames per second, 2.5 GB) read with the project's reader, then measured with
// two apertures (a target and a tracking star). Measuring should keep at least 80 % of the reading
// speed: frames_per_s gives both, measuring_speed_share their ratio from runs taken in turn.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <random>
#include <vector>

#include "lightcurve/photometry/light_curve_measure.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi_reader/avi_frame_reader.h"
#include "video/avi_writer/avi_writer.h"

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 480;
constexpr int kFrames = 3600;

struct BenchStar {
  double x, y, flux;
};
constexpr BenchStar kStars[] = {{300, 200, 3000}, {420, 260, 4000}};

void AddStar(std::vector<std::uint8_t>& frame, double cx, double cy, double flux) {
  constexpr double kSigma = 1.3;
  for (int y = static_cast<int>(cy) - 8; y <= static_cast<int>(cy) + 8; ++y) {
    for (int x = static_cast<int>(cx) - 8; x <= static_cast<int>(cx) + 8; ++x) {
      const double r2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      const double v = flux / (2 * 3.14159265 * kSigma * kSigma) * std::exp(-r2 / (2 * kSigma * kSigma));
      std::uint8_t& luma = frame[static_cast<std::size_t>((y * kWidth + x) * 2)];
      luma = static_cast<std::uint8_t>(std::min(255.0, luma + v));
    }
  }
}

// Written once per run: four noise pictures in turn, the stars drifting 0.05 px per frame.
class BenchFile {
 public:
  BenchFile() : path_(std::filesystem::temp_directory_path() / "zuna_bench_photometry.avi") {
    std::mt19937 random(1);
    std::normal_distribution<double> noise(40, 3);
    std::vector<std::vector<std::uint8_t>> backgrounds(4, std::vector<std::uint8_t>(kWidth * kHeight * 2, 128));
    for (auto& b : backgrounds) {
      for (std::size_t i = 0; i < b.size(); i += 2) b[i] = static_cast<std::uint8_t>(std::lround(noise(random)));
    }
    zuna::AviWriter writer;
    writer.Open(path_, zuna::AviVideoFormat::Yuy2(kWidth, kHeight, 30000, 1001));
    for (int k = 0; k < kFrames; ++k) {
      std::vector<std::uint8_t> frame = backgrounds[static_cast<std::size_t>(k % 4)];
      for (const BenchStar& s : kStars) AddStar(frame, s.x + 0.05 * k, s.y + 0.02 * k, s.flux);
      writer.WriteFrame(frame, k * 333'667LL, true);
    }
    writer.Close();
    // Once through, so that both benchmarks read it from the system's cache.
    zuna::AviFileSource source(path_);
    zuna::AviFrameReader reader;
    reader.Open(source);
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t k = 0; k < reader.FrameCount(); ++k) reader.ReadFrame(source, k, bytes);
  }
  ~BenchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const BenchFile& File() {
  static const BenchFile file;
  return file;
}

void ReadAll() {
  zuna::AviFileSource source(File().Path());
  zuna::AviFrameReader reader;
  reader.Open(source);
  std::vector<std::uint8_t> bytes;
  std::size_t total = 0;
  for (std::uint32_t k = 0; k < reader.FrameCount(); ++k) {
    reader.ReadFrame(source, k, bytes);
    total += bytes.size();
  }
  benchmark::DoNotOptimize(total);
}

bool MeasureAll() {
  zuna::PhotometrySettings settings;
  settings.target = {kStars[0].x, kStars[0].y};
  settings.tracks = {{kStars[1].x, kStars[1].y}};
  zuna::AviFileSource source(File().Path());
  zuna::AviFrameReader reader;
  reader.Open(source);
  zuna::PhotometryRun run;
  std::string problem;
  zuna::MeasureLightCurve(source, reader, settings, {}, &run, &problem);
  benchmark::DoNotOptimize(run.points.data());
  return run.points.size() == kFrames;
}

void ReadEveryFrame(benchmark::State& state) {
  File();  // written outside the timing
  for (auto _ : state) ReadAll();
  state.counters["frames_per_s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(ReadEveryFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);

void MeasureWithTwoApertures(benchmark::State& state) {
  File();
  for (auto _ : state) {
    if (!MeasureAll()) state.SkipWithError("not every frame was measured");
  }
  state.counters["frames_per_s"] = benchmark::Counter(kFrames, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(MeasureWithTwoApertures)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);

// Reading and measuring in turn, so that both meet the same load on a shared machine:
// measuring_speed_share is the measuring speed as a part of the reading speed (at least 0.8).
void MeasuringAgainstReading(benchmark::State& state) {
  File();
  double reading = 0, measuring = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    ReadAll();
    const auto read = std::chrono::steady_clock::now();
    if (!MeasureAll()) state.SkipWithError("not every frame was measured");
    const auto measured = std::chrono::steady_clock::now();
    reading += std::chrono::duration<double>(read - start).count();
    measuring += std::chrono::duration<double>(measured - read).count();
  }
  state.counters["measuring_speed_share"] = measuring > 0 ? reading / measuring : 0;
}
BENCHMARK(MeasuringAgainstReading)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(10);

}  // namespace
