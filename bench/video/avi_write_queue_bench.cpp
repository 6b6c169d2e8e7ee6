// How long the camera's streaming thread is held per frame of 1920×1080 RGB32, over more than a
// thousand frames: the recording sink's write-behind queue, fed at a camera's pace while its writer thread brings the
// file to the disk every second, against writing the frames where they arrive and against a bare copy of the frame.
// Counters: median_ms, p999_ms (99.9th percentile), worst_ms, and for the queue the frames it could not keep (lost).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "video/avi_writer/avi_writer.h"
#include "video/avi_writer/queued_avi_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

const zuna::AviVideoFormat kHd = zuna::AviVideoFormat::Rgb32(1920, 1080, 30, 1);
constexpr int kFramesPerRun = 1050;
constexpr int kBurst = 30;  // one second of video
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

// Milliseconds each frame held its caller.
class FrameTimes {
 public:
  template <typename Write>
  void Time(Write&& write) {
    const Clock::time_point start = Clock::now();
    write();
    times_.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  void Report(benchmark::State& state) {
    if (times_.empty()) return;
    std::sort(times_.begin(), times_.end());
    state.counters["median_ms"] = times_[times_.size() / 2];
    state.counters["p999_ms"] = times_[std::min(times_.size() - 1, times_.size() * 999 / 1000)];
    state.counters["worst_ms"] = times_.back();
  }

 private:
  std::vector<double> times_;
};

// A camera's pace: frame i is due i / fps seconds after the run began.
class CameraPace {
 public:
  explicit CameraPace(std::int64_t fps) : fps_(fps) {}
  void WaitFor(int frame) {
    std::this_thread::sleep_until(start_ + std::chrono::microseconds(frame * 1'000'000 / fps_));
  }

 private:
  std::int64_t fps_;
  Clock::time_point start_ = Clock::now();
};

void Finish(benchmark::State& state, FrameTimes& times, const std::filesystem::path& path) {
  state.SetBytesProcessed(state.iterations() * kFramesPerRun * static_cast<std::int64_t>(kHd.sizeImage));
  times.Report(state);
  std::filesystem::remove(path);
}

// The least a frame can cost its caller: one copy, into buffers as many as the queue holds.
void CopyOfTheFrame(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  std::vector<std::vector<std::uint8_t>> buffers(32, std::vector<std::uint8_t>(kHd.sizeImage));
  FrameTimes times;
  for (auto _ : state) {
    for (int i = 0; i < kFramesPerRun; ++i) {
      times.Time([&] { std::memcpy(buffers[i % buffers.size()].data(), frame.data(), frame.size()); });
    }
    benchmark::DoNotOptimize(buffers.front().data());
  }
  state.SetBytesProcessed(state.iterations() * kFramesPerRun * static_cast<std::int64_t>(kHd.sizeImage));
  times.Report(state);
}
BENCHMARK(CopyOfTheFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void PlainWriteOfTheFrames(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("plain.bin");
  FrameTimes times;
  for (auto _ : state) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < kFramesPerRun; ++i) {
      times.Time(
          [&] { file.write(reinterpret_cast<const char*>(frame.data()), static_cast<std::streamsize>(frame.size())); });
    }
    file.close();
    benchmark::DoNotOptimize(file.good());
  }
  Finish(state, times, path);
}
BENCHMARK(PlainWriteOfTheFrames)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The sink as it was: the AVI writer on the streaming thread.
void AviWriterOnTheStreamingThread(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("direct.avi");
  FrameTimes times;
  for (auto _ : state) {
    zuna::AviWriter writer;
    writer.Open(path, kHd);
    for (int i = 0; i < kFramesPerRun; ++i) times.Time([&] { writer.WriteFrame(frame, i * kFrameTime, true); });
    benchmark::DoNotOptimize(writer.Close());
  }
  Finish(state, times, path);
}
BENCHMARK(AviWriterOnTheStreamingThread)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The same, each second's checkpoint brought to the disk where the frames arrive.
void AviWriterReachingTheDiskOnTheStreamingThread(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("durable.avi");
  FrameTimes times;
  for (auto _ : state) {
    zuna::AviWriter writer;
    writer.Open(std::make_unique<DurableFile>(path), kHd);
    for (int i = 0; i < kFramesPerRun; ++i) {
      times.Time([&] {
        writer.WriteFrame(frame, i * kFrameTime, true);
        if ((i + 1) % kBurst == 0) writer.CheckpointToDisk();
      });
    }
    benchmark::DoNotOptimize(writer.Close());
  }
  Finish(state, times, path);
}
BENCHMARK(AviWriterReachingTheDiskOnTheStreamingThread)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The sink with its queue, fed at the camera's pace (the argument, in frames a second: 30, and 15 for
// a disk slower than 250 MB/s, where at 30 the queue fills and the counter "lost" tells how often);
// its writer thread brings the file to the disk every second, and the run ends with the file
// finished.
void SinkWithItsQueue(benchmark::State& state) {
  const std::vector<std::uint8_t> frame(kHd.sizeImage, 0x42);
  const auto path = BenchFile("queued.avi");
  FrameTimes times;
  std::uint64_t lost = 0;
  for (auto _ : state) {
    zuna::QueuedAviWriter writer;
    writer.Open(std::make_unique<DurableFile>(path), kHd);
    CameraPace pace(state.range(0));
    for (int i = 0; i < kFramesPerRun; ++i) {
      pace.WaitFor(i);
      times.Time([&] { writer.Submit(frame, i * kFrameTime, true); });
    }
    benchmark::DoNotOptimize(writer.Close());
    lost += writer.Totals().framesDroppedByQueue;
  }
  state.counters["lost"] = static_cast<double>(lost);
  Finish(state, times, path);
}
BENCHMARK(SinkWithItsQueue)->Arg(30)->Arg(15)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
