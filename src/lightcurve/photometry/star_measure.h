#pragma once
// Measuring one star on one plane: its centroid within a search box, its width, and its light in a
// circular aperture against the background of an annulus around it. Pixel centres stand at whole
// coordinates.
#include <optional>

#include "lightcurve/photometry/frame_luma.h"

namespace zuna {

struct PlanePoint {
  double x = 0;
  double y = 0;
};

struct BackgroundLevel {
  double mean = 0;
  double sigma = 0;
  int pixels = 0;  // kept after clipping
};

struct ApertureGeometry {
  double radius = 3;
  double annulusInner = 5;  // radius + the gap
  double annulusOuter = 10;
};

struct ApertureReading {
  double sum = 0;     // the aperture's light, edge pixels weighted by the part of them inside it
  double pixels = 0;  // the aperture's area in pixels, as weighted
  BackgroundLevel background;
  double signal = 0;  // sum - pixels x background
  int saturated = 0;  // pixels in the aperture at the brightest level
};

// Sigma-clipped (3 sigma, until nothing more is clipped) mean and sigma of the pixels between the two
// radii. No value when too few pixels of the annulus lie inside the plane.
std::optional<BackgroundLevel> AnnulusBackground(const LumaPlane& plane, PlanePoint centre, double inner, double outer);

// The aperture and its annulus around `centre`. No value when the aperture leaves the plane or the
// annulus has too few pixels.
std::optional<ApertureReading> MeasureAperture(const LumaPlane& plane, PlanePoint centre,
                                               const ApertureGeometry& geometry);

struct StarFix {
  PlanePoint centre;
  double peakSnr = 0;  // the brightest 3 x 3 mean above the background, in its own noise
  double fwhm = 0;     // from the area above half the peak
};

// The star inside the box of half-size `half` around `guess`: the brightest 3 x 3 patch, then the
// intensity-weighted centroid around it. No value when no patch stands `minSnr` above the box's
// background noise. A star of known width (`knownFwhm` above 0) is not measured for it again.
std::optional<StarFix> FindStar(const LumaPlane& plane, PlanePoint guess, int half, double minSnr,
                                double knownFwhm = 0);

}  // namespace zuna
