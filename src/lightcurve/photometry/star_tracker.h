#pragma once
// Where the stars stand in each plane. Tracking stars are found again every time within a search box
// around their last place. The target and the comparison star follow them by the offsets measured at
// the start, so that a star that fades or vanishes keeps its place; each snaps to its own centroid
// only while it is clearly there. Without tracking stars each star follows itself while it can be
// seen and otherwise stays where it was last seen.
//
// Places are kept in frame coordinates (field rows are mapped back to frame rows), so that both
// fields of a frame share them.
#include <optional>
#include <string>
#include <vector>

#include "lightcurve/photometry/star_measure.h"

namespace zuna {

class StarTracker {
 public:
  // A star whose 3 x 3 peak stands this far above its box's noise is there.
  static constexpr double kDetectSnr = 5;
  // How far from a given position the star may be found at the start.
  static constexpr int kStartSearch = 5;

  struct Star {
    std::string name;
    PlanePoint place;       // frame coordinates
    bool tracking = false;  // a tracking star
    PlanePoint offset;      // from the tracking stars' mean place, measured at the start
    double startSnr = 0;
    bool snapped = false;  // found by itself in the last plane
  };

  // Finds every star near its given place in the first plane. False with the reason when one is
  // not there.
  bool Start(const LumaPlane& plane, std::vector<Star> stars, std::string* problem);
  // Moves the stars to where they stand in this plane.
  void Follow(const LumaPlane& plane);

  const std::vector<Star>& Stars() const { return stars_; }
  double Fwhm() const { return fwhm_; }  // the mean of the stars' widths at the start, plane pixels

 private:
  int SearchHalf() const;
  std::optional<PlanePoint> FindNear(const LumaPlane& plane, PlanePoint framePlace, int half, double minSnr,
                                     StarFix* fix) const;

  std::vector<Star> stars_;
  std::vector<char> lost_;  // per star, reused each frame: no allocation on the per-frame path
  double fwhm_ = 2;
  bool started_ = false;  // the width is known
};

}  // namespace zuna
