// Converting one 1920 x 1080 frame of each layout other writers use, against a plain memcpy of the
// converted frame. Each conversion should stay within twice the memcpy figure of its output (RGB32
// or YUY2, whichever it delivers).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "video/convert/display_conversion.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

std::uint32_t Code(const char* c) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[0])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[3])) << 24;
}

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

zuna::SourcePicture PictureOf(int bitCount, std::uint32_t compression, int width = kWidth) {
  std::vector<std::uint8_t> info;
  for (std::uint32_t v : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(kHeight)}) Put(info, v);
  Put(info, 1, 2);
  Put(info, static_cast<std::uint32_t>(bitCount), 2);
  Put(info, compression);
  for (int i = 0; i < 5; ++i) Put(info, 0);
  if (compression == 3) {
    for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) Put(info, mask);
  }
  for (int i = 0; bitCount == 8 && compression == 0 && i < 256; ++i) Put(info, 0x010101u * static_cast<unsigned>(i));
  zuna::SourcePicture picture;
  zuna::DescribeSourcePicture(info, &picture);
  return picture;
}

std::vector<std::uint8_t> PatternFrame(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t state = 12345;
  for (auto& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
}

void BM_Convert(benchmark::State& state, int bitCount, std::uint32_t compression, int width = kWidth) {
  const zuna::SourcePicture picture = PictureOf(bitCount, compression, width);
  const std::vector<std::uint8_t> frame = PatternFrame(zuna::SourcePictureBytes(picture));
  std::vector<std::uint8_t> out(zuna::DisplayBytes(picture));
  for (auto _ : state) {
    zuna::ConvertToDisplay(picture, frame, out);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(out.size()));
}

void BM_Memcpy(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0));
  const std::vector<std::uint8_t> frame = PatternFrame(bytes);
  std::vector<std::uint8_t> out(bytes);
  for (auto _ : state) {
    std::memcpy(out.data(), frame.data(), bytes);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

}  // namespace

BENCHMARK(BM_Memcpy)->Name("memcpy_rgb32_frame")->Arg(kWidth* kHeight * 4);
BENCHMARK(BM_Memcpy)->Name("memcpy_yuy2_frame")->Arg(kWidth* kHeight * 2);
BENCHMARK_CAPTURE(BM_Convert, rgb24, 24, 0u);
BENCHMARK_CAPTURE(BM_Convert, rgb555, 16, 0u);
BENCHMARK_CAPTURE(BM_Convert, rgb565, 16, 3u);
BENCHMARK_CAPTURE(BM_Convert, pal8, 8, 0u);
BENCHMARK_CAPTURE(BM_Convert, y800, 8, Code("Y800"));
BENCHMARK_CAPTURE(BM_Convert, uyvy_to_yuy2, 16, Code("UYVY"));
BENCHMARK_CAPTURE(BM_Convert, yvyu_to_yuy2, 16, Code("YVYU"));
BENCHMARK_CAPTURE(BM_Convert, i420_to_yuy2, 12, Code("I420"));
BENCHMARK_CAPTURE(BM_Convert, yv12_to_yuy2, 12, Code("YV12"));
BENCHMARK_CAPTURE(BM_Convert, nv12_to_yuy2, 12, Code("NV12"));
// An odd width has no YUY2 layout: YUV is turned into RGB32 here, at a cost of its own.
BENCHMARK_CAPTURE(BM_Convert, i420_odd_width_to_rgb32, 12, Code("I420"), kWidth - 1);
BENCHMARK_CAPTURE(BM_Convert, uyvy_odd_width_to_rgb32, 16, Code("UYVY"), kWidth - 1);
