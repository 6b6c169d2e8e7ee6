#include "support/star_field_avi.h"

#include <algorithm>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "video/avi/riff_bytes.h"
#include "video/avi_writer/avi_writer.h"

namespace zuna::test {
namespace {

// The part of a unit Gaussian's light falling on [a, b).
double Share(double a, double b, double centre, double sigma) {
  const double k = 1 / (sigma * std::sqrt(2.0));
  return 0.5 * (std::erf((b - centre) * k) - std::erf((a - centre) * k));
}

// One frame's luminance, rows top-down.
std::vector<double> Render(const StarField& f, int k) {
  std::vector<double> picture(static_cast<std::size_t>(f.width * f.height), f.background);
  for (const FieldStar& s : f.stars) {
    for (int y = 0; y < f.height; ++y) {
      // Each field has its own exposure; the stars move little within one.
      const double from = f.interlaced ? k + 0.5 * (y % 2) : k;
      const double to = f.interlaced ? from + 0.5 : k + 1;
      const double light = s.flux * (s.occulted ? f.Visible(from, to) / (to - from) : 1);
      const double sy = Share(y - 0.5, y + 0.5, f.Y(s, k), f.sigma);
      if (sy < 1e-7 || light <= 0) continue;
      for (int x = 0; x < f.width; ++x) {
        picture[static_cast<std::size_t>(y * f.width + x)] += light * sy * Share(x - 0.5, x + 0.5, f.X(s, k), f.sigma);
      }
    }
  }
  return picture;
}

std::vector<std::uint8_t> Encode(const StarField& f, const std::vector<double>& picture, std::mt19937& random) {
  std::normal_distribution<double> noise(0, f.noise);
  const int bytesPerPixel = f.layout == FieldLayout::kYuy2 ? 2 : f.layout == FieldLayout::kRgb32 ? 4 : 1;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(f.width * f.height * bytesPerPixel), 128);
  for (int y = 0; y < f.height; ++y) {
    for (int x = 0; x < f.width; ++x) {
      const double value = picture[static_cast<std::size_t>(y * f.width + x)] + noise(random);
      const auto v = static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
      if (f.layout == FieldLayout::kRgb32) {
        // Bottom-up rows, as every RGB file stores them.
        std::uint8_t* p = &bytes[static_cast<std::size_t>(((f.height - 1 - y) * f.width + x) * 4)];
        p[0] = p[1] = p[2] = v;
      } else {
        bytes[static_cast<std::size_t>((y * f.width + x) * bytesPerPixel)] = v;
      }
    }
  }
  return bytes;
}

}  // namespace

double StarField::Visible(double from, double to) const {
  const double hidden = std::max(0.0, std::min(to, r) - std::max(from, d));
  return (to - from) - hidden;
}

StarField StandardField() {
  StarField f;
  f.stars = {{50, 50, 1500, true}, {90, 40, 2000, false}, {60, 85, 1200, false}};
  return f;
}

void WriteStarField(const StarField& f, const std::filesystem::path& path) {
  AviVideoFormat format = f.layout == FieldLayout::kRgb32 ? AviVideoFormat::Rgb32(f.width, f.height, 25, 1)
                                                          : AviVideoFormat::Yuy2(f.width, f.height, 25, 1);
  if (f.layout == FieldLayout::kGrey) {
    format.handler = format.compression = FourCc("Y800");
    format.bitCount = 8;
    format.sizeImage = static_cast<std::uint32_t>(f.width * f.height);
  }
  AviWriterOptions options;
  options.superIndexEntries = 64;  // room for 4,096 frames: small files
  options.framesPerIndex = 64;
  AviWriter writer(options);
  ASSERT_EQ(writer.Open(path, format), kOk);
  std::mt19937 random(f.seed);
  for (int k = 0; k < f.frames; ++k) {
    if (f.dropped.contains(k)) continue;  // the next frame's time leaves its slot empty
    const std::vector<std::uint8_t> bytes = Encode(f, Render(f, k), random);
    ASSERT_EQ(writer.WriteFrame(bytes, k * 400'000LL, true), kOk);
  }
  ASSERT_EQ(writer.Close(), kOk);
}

}  // namespace zuna::test
