#include "lightcurve/photometry/star_measure.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zuna {
namespace {

constexpr int kMinBackgroundPixels = 12;
constexpr double kClipSigmas = 3;
constexpr int kSubSamples = 5;            // per side, for the aperture's edge pixels
constexpr double kHalfDiagonal = 0.7072;  // a pixel's centre to its corner, rounded up
// The noise of 8-bit pixels is never below their quantisation step, even on a flat synthetic field.
constexpr double kSigmaFloor = 0.3;

struct Box {
  int x0, y0, x1, y1;  // inclusive; empty when x0 > x1 or y0 > y1
};

Box ClippedBox(const LumaPlane& plane, double cx, double cy, double reach, int margin = 0) {
  return {std::max(margin, static_cast<int>(std::floor(cx - reach))),
          std::max(margin, static_cast<int>(std::floor(cy - reach))),
          std::min(plane.Width() - 1 - margin, static_cast<int>(std::ceil(cx + reach))),
          std::min(plane.Height() - 1 - margin, static_cast<int>(std::ceil(cy + reach)))};
}

std::optional<BackgroundLevel> ClippedMean(std::vector<int>& values) {
  std::size_t count = values.size();
  if (count < kMinBackgroundPixels) return std::nullopt;
  double mean = 0, sigma = 0;
  for (int pass = 0; pass < 10; ++pass) {
    double sum = 0, squares = 0;
    for (std::size_t i = 0; i < count; ++i) sum += values[i];
    mean = sum / static_cast<double>(count);
    for (std::size_t i = 0; i < count; ++i) squares += (values[i] - mean) * (values[i] - mean);
    sigma = std::sqrt(squares / static_cast<double>(count > 1 ? count - 1 : 1));
    const double limit = kClipSigmas * std::max(sigma, kSigmaFloor);
    const auto kept = std::partition(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count),
                                     [&](int v) { return std::abs(v - mean) <= limit; });
    const auto left = static_cast<std::size_t>(kept - values.begin());
    if (left == count || left < kMinBackgroundPixels) break;
    count = left;
  }
  return BackgroundLevel{mean, sigma, static_cast<int>(count)};
}

// The part of the pixel at (x, y) inside the circle.
double CoveredPart(double dx, double dy, double radius) {
  const double d = std::hypot(dx, dy);
  if (d <= radius - kHalfDiagonal) return 1;
  if (d >= radius + kHalfDiagonal) return 0;
  int inside = 0;
  const double r2 = radius * radius;
  for (int i = 0; i < kSubSamples; ++i) {
    const double sx = dx + (i + 0.5) / kSubSamples - 0.5;
    for (int j = 0; j < kSubSamples; ++j) {
      const double sy = dy + (j + 0.5) / kSubSamples - 0.5;
      if (sx * sx + sy * sy <= r2) ++inside;
    }
  }
  return static_cast<double>(inside) / (kSubSamples * kSubSamples);
}

}  // namespace

std::optional<BackgroundLevel> AnnulusBackground(const LumaPlane& plane, PlanePoint c, double inner, double outer) {
  thread_local std::vector<int> values;
  values.clear();
  const Box box = ClippedBox(plane, c.x, c.y, outer);
  const double in2 = inner * inner, out2 = outer * outer;
  for (int y = box.y0; y <= box.y1; ++y) {
    const double dy2 = (y - c.y) * (y - c.y);
    for (int x = box.x0; x <= box.x1; ++x) {
      const double d2 = (x - c.x) * (x - c.x) + dy2;
      if (d2 >= in2 && d2 <= out2) values.push_back(plane.At(x, y));
    }
  }
  return ClippedMean(values);
}

std::optional<ApertureReading> MeasureAperture(const LumaPlane& plane, PlanePoint c, const ApertureGeometry& g) {
  const double r = g.radius;
  if (c.x - r < -0.5 || c.y - r < -0.5 || c.x + r > plane.Width() - 0.5 || c.y + r > plane.Height() - 0.5) {
    return std::nullopt;
  }
  const std::optional<BackgroundLevel> background = AnnulusBackground(plane, c, g.annulusInner, g.annulusOuter);
  if (!background) return std::nullopt;
  ApertureReading reading;
  reading.background = *background;
  const Box box = ClippedBox(plane, c.x, c.y, r + 1);
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      const double part = CoveredPart(x - c.x, y - c.y, r);
      if (part <= 0) continue;
      const int v = plane.At(x, y);
      reading.sum += part * v;
      reading.pixels += part;
      if (v >= kSaturatedLuma) ++reading.saturated;
    }
  }
  reading.signal = reading.sum - reading.pixels * background->mean;
  return reading;
}

std::optional<StarFix> FindStar(const LumaPlane& plane, PlanePoint guess, int half, double minSnr) {
  // The box's own clipped statistics: a star covers little of it.
  const Box box = ClippedBox(plane, guess.x, guess.y, half, 1);
  if (box.x0 > box.x1 || box.y0 > box.y1) return std::nullopt;
  thread_local std::vector<int> values;
  values.clear();
  for (int y = box.y0 - 1; y <= box.y1 + 1; ++y) {
    for (int x = box.x0 - 1; x <= box.x1 + 1; ++x) values.push_back(plane.At(x, y));
  }
  const std::optional<BackgroundLevel> background = ClippedMean(values);
  if (!background) return std::nullopt;
  const double bg = background->mean;
  const double noise = std::max(background->sigma, kSigmaFloor);

  int bestSum = -1, bx = box.x0, by = box.y0;
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      int sum = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) sum += plane.At(x + dx, y + dy);
      }
      if (sum > bestSum) bestSum = sum, bx = x, by = y;
    }
  }
  StarFix fix;
  fix.peakSnr = (bestSum / 9.0 - bg) / (noise / 3);
  if (fix.peakSnr < minSnr) return std::nullopt;

  // Width from the area above half the brightest pixel's height.
  int peak = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) peak = std::max(peak, plane.At(bx + dx, by + dy));
  }
  const double halfLevel = bg + (peak - bg) / 2;
  int above = 0;
  const Box near = ClippedBox(plane, bx, by, 6);
  for (int y = near.y0; y <= near.y1; ++y) {
    for (int x = near.x0; x <= near.x1; ++x) {
      if ((x - bx) * (x - bx) + (y - by) * (y - by) <= 36 && plane.At(x, y) >= halfLevel) ++above;
    }
  }
  fix.fwhm = std::max(1.0, 2 * std::sqrt(above / std::numbers::pi));

  // The centroid of the light above the background, in a window that follows it.
  const double window = std::max(2.5, 1.5 * fix.fwhm);
  PlanePoint c{static_cast<double>(bx), static_cast<double>(by)};
  for (int pass = 0; pass < 3; ++pass) {
    double w = 0, wx = 0, wy = 0;
    const Box around = ClippedBox(plane, c.x, c.y, window);
    for (int y = around.y0; y <= around.y1; ++y) {
      for (int x = around.x0; x <= around.x1; ++x) {
        if ((x - c.x) * (x - c.x) + (y - c.y) * (y - c.y) > window * window) continue;
        // Light a noise sigma above the background: plain noise would pull the centroid to the window's centre.
        const double v = plane.At(x, y) - bg - noise;
        if (v <= 0) continue;
        w += v, wx += v * x, wy += v * y;
      }
    }
    if (w <= 0) break;
    c = {wx / w, wy / w};
  }
  fix.centre = c;
  return fix;
}

}  // namespace zuna
