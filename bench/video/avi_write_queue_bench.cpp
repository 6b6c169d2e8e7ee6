// The recording sink's write-behind queue against writing the same frames (1920×1080 RGB32) where
// they arrive: the whole run to the finished file, and how long the streaming thread is held per
// frame (counters median_ms and worst_ms).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "video/avi_writer/avi_writer.h"
#include "video/avi_writer/queued_avi_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

const zuna::AviVideoFormat kHd = zuna::AviVideoFormat::Rgb32(1920, 1080, 30, 1);
constexpr int kBurst = 30;  // one second of video: what the queue holds (256 MiB is 32 frames)
constexpr int kFramesPerRun = 2 * kBurst;
constexpr std::int64_t kFrameTime = 333'333;

std::filesystem::path BenchFile(const char* name) {
  return std::filesystem::temp_directory_path() / (std::string("zuna_bench_") + name);
}

// A file whose Sync really reaches the disk, as the Windows sink's file does with FlushFileBuffers.
class DurableFile final : public zuna::RiffOutput {
 public:
  explicit DurableFile(const std::filesystem::path& path)
      : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)) {}
  ~DurableFile() override { Close(); }
  bool Write(std::uint64_t offset, zuna::ByteSpan bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
      if (written <= 0) return false;
      offset += static_cast<std::uint64_t>(written);
      bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
  }
  bool Flush() override { return fd_ >= 0; }
  bool Sync() override { return ::fsync(fd_) == 0; }
  bool Close() override {
    if (fd_ < 0) return true;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  int fd_;
};

// Milliseconds each frame held its caller: over the whole run, and from the second burst on, when
// a recording runs steadily (the first second of a recording allocates its buffers).
class FrameTimes {
 public:
  template <typename Write>
  void Time(int frame, Write&& write) {
    const Clock::time_point start = Clock::now();
    write();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    times_.push_back(ms);
    if (frame >= kBurst) steady_.push_back(ms);
  }
  void Report(benchmark::State& state) {
    if (times_.empty() || steady_.empty()) return;
    std::sort(times_.begin(), times_.end());
    std::sort(steady_.begin(), steady_.end());
    state.counters["median_ms"] = times_[times_.size() / 2];
    state.counters["worst_ms"] = times_.back();
    state.counters["steady_worst_ms"] = steady_.back();
  }

 private:
  std::vector<double> times_;
  std::vector<double> steady_;
};

void Finish(benchmark::State& state, FrameTimes& times, const std::filesystem::path& path) {
  state.SetBytesProcessed(state.iterations() * kFramesPerRun * static_cast<std::int64_t>(kHd.sizeImage));
  times.Report(state);
  std::filesystem::remove(path);
}

void PlainWriteOfTheFrames(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("plain.bin");
  FrameTimes times;
  for (auto _ : state) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < kFramesPerRun; ++i) {
      times.Time(i, [&] {
        file.write(reinterpret_cast<const char*>(frame.data()), static_cast<std::streamsize>(frame.size()));
      });
    }
    file.close();
    benchmark::DoNotOptimize(file.good());
  }
  Finish(state, times, path);
}
BENCHMARK(PlainWriteOfTheFrames)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

// The sink as it was: the AVI writer on the streaming thread.
void AviWriterOnTheStreamingThread(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("direct.avi");
  FrameTimes times;
  for (auto _ : state) {
    zuna::AviWriter writer;
    writer.Open(path, kHd);
    for (int i = 0; i < kFramesPerRun; ++i) times.Time(i, [&] { writer.WriteFrame(frame, i * kFrameTime, true); });
    benchmark::DoNotOptimize(writer.Close());
  }
  Finish(state, times, path);
}
BENCHMARK(AviWriterOnTheStreamingThread)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

// The same, each second's checkpoint brought to the disk where the frames arrive.
void AviWriterReachingTheDiskOnTheStreamingThread(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("durable.avi");
  FrameTimes times;
  for (auto _ : state) {
    zuna::AviWriter writer;
    writer.Open(std::make_unique<DurableFile>(path), kHd);
    for (int i = 0; i < kFramesPerRun; ++i) {
      times.Time(i, [&] {
        writer.WriteFrame(frame, i * kFrameTime, true);
        if ((i + 1) % kBurst == 0) writer.CheckpointToDisk();
      });
    }
    benchmark::DoNotOptimize(writer.Close());
  }
  Finish(state, times, path);
}
BENCHMARK(AviWriterReachingTheDiskOnTheStreamingThread)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

// The sink with its queue, its writer thread bringing the file to the disk every second: a second's
// burst at a time, as much as the queue holds, then the writer thread catches up (a camera never runs
// ahead of the disk for long); the run ends with the file finished.
void SinkWithItsQueue(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("queued.avi");
  FrameTimes times;
  std::uint64_t lost = 0;
  for (auto _ : state) {
    zuna::QueuedAviWriter writer;
    writer.Open(std::make_unique<DurableFile>(path), kHd);
    for (int i = 0; i < kFramesPerRun; ++i) {
      times.Time(i, [&] { writer.Submit(frame, i * kFrameTime, true); });
      if ((i + 1) % kBurst == 0) writer.WaitUntilWritten();
    }
    benchmark::DoNotOptimize(writer.Close());
    lost += writer.Totals().framesDroppedByQueue;
  }
  state.counters["lost"] = static_cast<double>(lost);
  Finish(state, times, path);
}
BENCHMARK(SinkWithItsQueue)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

}  // namespace
