// Per-frame cost of the transform filters' kernels against a plain memcpy of the same frame.
// The display kernels should stay within 1.5 times the memcpy figure of their frame size.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "video/frames/crosshairs_kernel.h"
#include "video/frames/display_frame.h"
#include "video/frames/frame_geometry.h"
#include "video/frames/frame_row_copy.h"
#include "video/frames/pixel_saturation_kernel.h"
#include "video/frames/time_lapse_decider.h"

namespace {

using zuna::FrameSubtype;

// One output buffer, as the filters' allocators grant, and a ring of input frames. A ring of one keeps
// the frame in the cache ("hot"); the "stream" ring is larger than the last-level cache, as a live
// source brings a new frame from memory every time.
constexpr std::size_t kStreamRingBytes = 96u << 20;

struct BenchFrames {
  BenchFrames(int width, int height, int bytesPerPixel, bool stream) {
    const int size = width * bytesPerPixel * height;
    const std::size_t frameBytes = static_cast<std::size_t>(size);
    const std::size_t count = stream ? (kStreamRingBytes + frameBytes - 1) / frameBytes : 1;
    // A fixed pseudo-random picture: about a fifth of the bytes reach the level used below.
    std::uint32_t state = 12345;
    inputs.resize(count);
    for (auto& input : inputs) {
      input.resize(frameBytes);
      for (auto& byte : input) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
      }
    }
    output.resize(frameBytes);
    zuna::DeriveFrameGeometry({size, size, size, size, height}, &geometry);
  }
  const std::vector<std::uint8_t>& Next() {
    next = next + 1 == inputs.size() ? 0 : next + 1;
    return inputs[next];
  }
  std::vector<std::vector<std::uint8_t>> inputs;
  std::vector<std::uint8_t> output;
  std::size_t next = 0;
  zuna::FrameGeometry geometry;
};

struct Case {
  FrameSubtype subtype;
  bool stream;
};

BenchFrames& FramesFor(Case c) {
  if (c.subtype == FrameSubtype::kYuy2) {
    static BenchFrames hot(720, 480, 2, false);
    static BenchFrames stream(720, 480, 2, true);
    return c.stream ? stream : hot;
  }
  static BenchFrames hot(1920, 1080, 4, false);
  static BenchFrames stream(1920, 1080, 4, true);
  return c.stream ? stream : hot;
}

template <typename Work>
void RunFrames(benchmark::State& state, Case c, Work&& work) {
  BenchFrames& frames = FramesFor(c);
  for (auto _ : state) {
    work(frames.Next(), frames.output, frames.geometry);
    benchmark::DoNotOptimize(frames.output.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(frames.output.size()));
}

using Input = const std::vector<std::uint8_t>&;
using Output = std::vector<std::uint8_t>&;
using Geometry = const zuna::FrameGeometry&;

void BM_Memcpy(benchmark::State& state, Case c) {
  RunFrames(state, c, [](Input in, Output out, Geometry) { std::memcpy(out.data(), in.data(), in.size()); });
}

void BM_PixelSaturation(benchmark::State& state, Case c) {
  RunFrames(state, c, [c](Input in, Output out, Geometry g) {
    zuna::MarkSaturatedPixels(in, out, g, zuna::RowOrder::kReversed, c.subtype, 200);
  });
}

void BM_Crosshairs(benchmark::State& state, Case c) {
  RunFrames(state, c, [c](Input in, Output out, Geometry g) {
    zuna::DrawCrosshairs(in, out, g, zuna::RowOrder::kReversed, c.subtype, {g.rows / 2, 300, 180});
  });
}

// Count 1 keeps every second sample; the figure is per sample, kept or not.
void BM_TimeLapse(benchmark::State& state, Case c) {
  constexpr std::int64_t kFrame = 333667;
  zuna::TimeLapseDecider decider;
  decider.Latch({1, false, kFrame});
  decider.Restart();
  std::int64_t start = 0;
  RunFrames(state, c, [&decider, &start](Input in, Output out, Geometry g) {
    const zuna::TimeLapseDecision decision = decider.Decide({zuna::SampleSpan{start, start + kFrame}, std::nullopt});
    start += kFrame;
    if (decision.deliver) zuna::CopyFrameRows(in, out, g, zuna::TimeLapseRowOrder());
  });
}

// The window renderer's conversion to the 32-bit picture it draws (YUY2 doubles the bytes written).
void BM_DisplayConversion(benchmark::State& state, Case c) {
  std::vector<std::uint8_t> pixels;
  const bool yuy2 = c.subtype == FrameSubtype::kYuy2;
  const zuna::DisplayFrameFormat format{c.subtype, yuy2 ? 720 : 1920, yuy2 ? 480 : 1080};
  RunFrames(state, c, [&](Input in, Output, Geometry) { zuna::ConvertToDisplayFrame(format, in, &pixels); });
}

#define ZUNA_FRAME_BENCHMARKS(name, subtype, stream)                  \
  BENCHMARK_CAPTURE(BM_Memcpy, name, Case{subtype, stream});          \
  BENCHMARK_CAPTURE(BM_PixelSaturation, name, Case{subtype, stream}); \
  BENCHMARK_CAPTURE(BM_Crosshairs, name, Case{subtype, stream});      \
  BENCHMARK_CAPTURE(BM_TimeLapse, name, Case{subtype, stream});       \
  BENCHMARK_CAPTURE(BM_DisplayConversion, name, Case{subtype, stream})

ZUNA_FRAME_BENCHMARKS(yuy2_720x480_hot, FrameSubtype::kYuy2, false);
ZUNA_FRAME_BENCHMARKS(yuy2_720x480_stream, FrameSubtype::kYuy2, true);
ZUNA_FRAME_BENCHMARKS(rgb32_1920x1080_hot, FrameSubtype::kRgb32, false);
ZUNA_FRAME_BENCHMARKS(rgb32_1920x1080_stream, FrameSubtype::kRgb32, true);

}  // namespace
