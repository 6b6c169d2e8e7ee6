#pragma once
// AVI files of a synthetic star field for the light-curve tests: stars with a Gaussian profile
// integrated over each pixel, a drift, Gaussian noise, a target that vanishes between D and R with
// its light integrated over each exposure (or each field's), and dropped frames.
#include <cstdint>
#include <filesystem>
#include <set>
#include <vector>

namespace zuna::test {

struct FieldStar {
  double x = 0;  // in frame 0, pixels as shown
  double y = 0;
  double flux = 0;        // summed over the star
  bool occulted = false;  // the target: gone between D and R
};

enum class FieldLayout { kYuy2, kRgb32, kGrey };

struct StarField {
  int width = 160;
  int height = 120;
  int frames = 100;
  double driftX = 0.3;  // pixels per frame
  double driftY = 0.1;
  double sigma = 1.2;  // of the stars' profile, pixels
  double background = 40;
  double noise = 2;
  double d = 40.3;  // in frame positions: the exposure of frame N covers [N, N + 1)
  double r = 70.6;
  bool interlaced = false;  // top field first: even rows cover [N, N + 0.5), odd rows [N + 0.5, N + 1)
  FieldLayout layout = FieldLayout::kYuy2;
  std::set<int> dropped;
  std::uint32_t seed = 7;
  std::vector<FieldStar> stars;

  // The place of a star at frame k.
  double X(const FieldStar& s, double k) const { return s.x + driftX * k; }
  double Y(const FieldStar& s, double k) const { return s.y + driftY * k; }
  // The part of [from, to) during which the target shines.
  double Visible(double from, double to) const;
};

// A field with a target at (50, 50), a tracking star at (90, 40) and a comparison star at (60, 85).
StarField StandardField();

// Writes the field as an uncompressed AVI file of 25 frames per second.
void WriteStarField(const StarField& field, const std::filesystem::path& path);

}  // namespace zuna::test
