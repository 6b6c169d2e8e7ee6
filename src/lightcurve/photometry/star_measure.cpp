#include "lightcurve/photometry/star_measure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace zuna {
namespace {

constexpr int kMinBackgroundPixels = 12;
constexpr int kStarReach = 7;  // pixels around a star's peak for its width and centroid
constexpr double kClipSigmas = 3;
constexpr int kClipPasses = 5;            // the clipping has settled by then for any background worth measuring
constexpr int kSubSamples = 8;            // per side, for the aperture's edge pixels
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

// The pixels of a box, copied once: every measurement reads them several times.
struct Patch {
  Box box{0, 0, -1, -1};
  int width = 0;
  std::vector<int> values;

  void Fill(const LumaPlane& plane, const Box& b) {
    box = b;
    width = b.x1 - b.x0 + 1;
    values.resize(static_cast<std::size_t>(std::max(0, width) * std::max(0, b.y1 - b.y0 + 1)));
    if (width <= 0) return;
    for (int y = b.y0; y <= b.y1; ++y)
      plane.CopyRow(y, b.x0, width, &values[static_cast<std::size_t>((y - b.y0) * width)]);
  }
  int At(int x, int y) const { return values[static_cast<std::size_t>((y - box.y0) * width + (x - box.x0))]; }
};

// Luminance levels counted: clipping then works on 256 levels instead of every pixel.
using Histogram = std::array<int, 256>;

std::optional<BackgroundLevel> ClippedMean(const Histogram& counts) {
  int lo = 0, hi = 255;
  while (lo < hi && counts[static_cast<std::size_t>(lo)] == 0) ++lo;
  while (hi > lo && counts[static_cast<std::size_t>(hi)] == 0) --hi;
  BackgroundLevel level;
  for (int pass = 0; pass < kClipPasses; ++pass) {
    double n = 0, sum = 0, squares = 0;
    for (int v = lo; v <= hi; ++v) {
      const double c = counts[static_cast<std::size_t>(v)];
      n += c, sum += c * v, squares += c * v * v;
    }
    if (n < kMinBackgroundPixels) return pass == 0 ? std::nullopt : std::optional<BackgroundLevel>(level);
    level.mean = sum / n;
    level.sigma = std::sqrt(std::max(0.0, (squares - sum * level.mean) / std::max(1.0, n - 1)));
    level.pixels = static_cast<int>(n);
    const double limit = kClipSigmas * std::max(level.sigma, kSigmaFloor);
    const int newLo = std::max(0, static_cast<int>(std::ceil(level.mean - limit)));
    const int newHi = std::min(255, static_cast<int>(std::floor(level.mean + limit)));
    if (newLo <= lo && newHi >= hi) break;
    lo = std::max(lo, newLo), hi = std::min(hi, newHi);
    if (lo > hi) break;
  }
  return level;
}

// floor() of a small number, without the library call that plain x86-64 code makes for it.
int FloorInt(double x) {
  const int i = static_cast<int>(x);
  return x < i ? i - 1 : i;
}

// The part of the pixel at (x, y) inside the circle.
double CoveredPart(double dx, double dy, double radius) {
  const double d2 = dx * dx + dy * dy;
  const double inner = std::max(0.0, radius - kHalfDiagonal), outer = radius + kHalfDiagonal;
  if (d2 <= inner * inner) return 1;
  if (d2 >= outer * outer) return 0;
  // Sample points on a kSubSamples-square grid; in each column of them, those inside the circle form
  // one run, counted without visiting them.
  int inside = 0;
  const double r2 = radius * radius;
  constexpr double kStep = 1.0 / kSubSamples;
  static_assert(kSubSamples * kStep == 1.0);
  for (int i = 0; i < kSubSamples; ++i) {
    const double sx = dx + (i + 0.5) * kStep - 0.5;
    const double room = r2 - sx * sx;
    if (room < 0) continue;
    const double reach = std::sqrt(room);
    // Rows j with |dy + (j + 0.5) kStep - 0.5| <= reach.
    const int first = std::max(0, -FloorInt(-((-dy - reach + 0.5) * kSubSamples - 0.5)));
    const int last = std::min(kSubSamples - 1, FloorInt((-dy + reach + 0.5) * kSubSamples - 0.5));
    if (last >= first) inside += last - first + 1;
  }
  return static_cast<double>(inside) / (kSubSamples * kSubSamples);
}

}  // namespace

namespace {

std::optional<BackgroundLevel> AnnulusOf(const Patch& patch, PlanePoint c, double inner, double outer) {
  Histogram counts{};
  const Box& box = patch.box;
  const double in2 = inner * inner, out2 = outer * outer;
  // Each row's run of pixels inside the outer circle, less the run inside the inner one.
  for (int y = box.y0; y <= box.y1; ++y) {
    const double dy2 = (y - c.y) * (y - c.y);
    if (dy2 > out2) continue;
    const double outerReach = std::sqrt(out2 - dy2);
    const int x0 = std::max(box.x0, static_cast<int>(std::ceil(c.x - outerReach)));
    const int x1 = std::min(box.x1, static_cast<int>(std::floor(c.x + outerReach)));
    int holeFrom = x1 + 1, holeTo = x1;
    if (dy2 < in2) {
      const double innerReach = std::sqrt(in2 - dy2);
      holeFrom = static_cast<int>(std::floor(c.x - innerReach)) + 1;
      holeTo = static_cast<int>(std::ceil(c.x + innerReach)) - 1;
    }
    const int* row = &patch.values[static_cast<std::size_t>((y - box.y0) * patch.width)] - box.x0;
    for (int x = x0; x <= std::min(x1, holeFrom - 1); ++x) ++counts[static_cast<std::size_t>(row[x])];
    for (int x = std::max(x0, holeTo + 1); x <= x1; ++x) ++counts[static_cast<std::size_t>(row[x])];
  }
  return ClippedMean(counts);
}

}  // namespace

std::optional<BackgroundLevel> AnnulusBackground(const LumaPlane& plane, PlanePoint c, double inner, double outer) {
  thread_local Patch patch;
  patch.Fill(plane, ClippedBox(plane, c.x, c.y, outer));
  return AnnulusOf(patch, c, inner, outer);
}

std::optional<ApertureReading> MeasureAperture(const LumaPlane& plane, PlanePoint c, const ApertureGeometry& g) {
  const double r = g.radius;
  if (c.x - r < -0.5 || c.y - r < -0.5 || c.x + r > plane.Width() - 0.5 || c.y + r > plane.Height() - 0.5) {
    return std::nullopt;
  }
  thread_local Patch patch;
  patch.Fill(plane, ClippedBox(plane, c.x, c.y, std::max(g.annulusOuter, r + 1)));
  const std::optional<BackgroundLevel> background = AnnulusOf(patch, c, g.annulusInner, g.annulusOuter);
  if (!background) return std::nullopt;
  ApertureReading reading;
  reading.background = *background;
  const Box box = ClippedBox(plane, c.x, c.y, r + 1);
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      const double part = CoveredPart(x - c.x, y - c.y, r);
      if (part <= 0) continue;
      const int v = patch.At(x, y);
      reading.sum += part * v;
      reading.pixels += part;
      if (v >= kSaturatedLuma) ++reading.saturated;
    }
  }
  reading.signal = reading.sum - reading.pixels * background->mean;
  return reading;
}

namespace {

// The width (FWHM) from the area above half the brightest pixel's height around the peak.
double WidthAt(const Patch& near, int bx, int by, double bg) {
  int peak = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) peak = std::max(peak, near.At(bx + dx, by + dy));
  }
  const double halfLevel = bg + (peak - bg) / 2;
  int above = 0;
  for (int y = near.box.y0; y <= near.box.y1; ++y) {
    for (int x = near.box.x0; x <= near.box.x1; ++x) {
      if ((x - bx) * (x - bx) + (y - by) * (y - by) <= kStarReach * kStarReach && near.At(x, y) >= halfLevel) ++above;
    }
  }
  return std::max(1.0, 2 * std::sqrt(above / std::numbers::pi));
}

}  // namespace

std::optional<StarFix> FindStar(const LumaPlane& plane, PlanePoint guess, int half, double minSnr, double knownFwhm) {
  // The box's own clipped statistics: a star covers little of it.
  const Box box = ClippedBox(plane, guess.x, guess.y, half, 1);
  if (box.x0 > box.x1 || box.y0 > box.y1) return std::nullopt;
  // The box and the ring around it that the 3 x 3 sums reach.
  thread_local Patch patch;
  patch.Fill(plane, {box.x0 - 1, box.y0 - 1, box.x1 + 1, box.y1 + 1});
  Histogram counts{};
  for (const int v : patch.values) ++counts[static_cast<std::size_t>(v)];
  const std::optional<BackgroundLevel> background = ClippedMean(counts);
  if (!background) return std::nullopt;
  const double bg = background->mean;
  const double noise = std::max(background->sigma, kSigmaFloor);

  // Sums of three rows first, then of three of those columns.
  thread_local std::vector<int> columns;
  const int w = patch.width;
  columns.assign(static_cast<std::size_t>(w), 0);
  int bestSum = -1, bx = box.x0, by = box.y0;
  for (int y = box.y0; y <= box.y1; ++y) {
    const int* up = &patch.values[static_cast<std::size_t>((y - 1 - patch.box.y0) * w)];
    for (int i = 0; i < w; ++i) columns[static_cast<std::size_t>(i)] = up[i] + up[i + w] + up[i + 2 * w];
    for (int x = box.x0; x <= box.x1; ++x) {
      const std::size_t i = static_cast<std::size_t>(x - patch.box.x0);
      const int sum = columns[i - 1] + columns[i] + columns[i + 1];
      if (sum > bestSum) bestSum = sum, bx = x, by = y;
    }
  }
  StarFix fix;
  fix.peakSnr = (bestSum / 9.0 - bg) / (noise / 3);
  if (fix.peakSnr < minSnr) return std::nullopt;

  // Room for the width and the centroid around the peak.
  thread_local Patch near;
  near.Fill(plane, ClippedBox(plane, bx, by, kStarReach));
  fix.fwhm = knownFwhm > 0 ? knownFwhm : WidthAt(near, bx, by, bg);

  // The centroid of the light above the background, in a window that follows it.
  const double window = std::clamp(1.5 * fix.fwhm, 2.5, kStarReach - 1.0);
  PlanePoint c{static_cast<double>(bx), static_cast<double>(by)};
  for (int pass = 0; pass < 2; ++pass) {
    double light = 0, wx = 0, wy = 0;
    // Within the patch: a centroid pulled far by a neighbour reads no pixel outside it.
    Box around = ClippedBox(plane, c.x, c.y, window);
    around = {std::max(around.x0, near.box.x0), std::max(around.y0, near.box.y0), std::min(around.x1, near.box.x1),
              std::min(around.y1, near.box.y1)};
    for (int y = around.y0; y <= around.y1; ++y) {
      for (int x = around.x0; x <= around.x1; ++x) {
        if ((x - c.x) * (x - c.x) + (y - c.y) * (y - c.y) > window * window) continue;
        // Light a noise sigma above the background: plain noise would pull the centroid to the window's centre.
        const double v = near.At(x, y) - bg - noise;
        if (v <= 0) continue;
        light += v, wx += v * x, wy += v * y;
      }
    }
    if (light <= 0) break;
    c = {wx / light, wy / light};
  }
  fix.centre = c;
  return fix;
}

}  // namespace zuna
