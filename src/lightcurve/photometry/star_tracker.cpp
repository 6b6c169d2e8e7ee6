#include "lightcurve/photometry/star_tracker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zuna {
namespace {

// Clearly there: at least this far above the noise, and at least half as far as at the start.
constexpr double kSnapSnr = 10;
constexpr double kSnapShareOfStart = 0.5;
constexpr double kTrackSnr = 5;

std::string PlaceText(PlanePoint p) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f,%.1f", p.x, p.y);
  return text;
}

}  // namespace

std::optional<PlanePoint> StarTracker::FindNear(const LumaPlane& plane, PlanePoint framePlace, int half, double minSnr,
                                                StarFix* fix) const {
  const std::optional<StarFix> found =
      FindStar(plane, {framePlace.x, plane.PlaneY(framePlace.y)}, half, minSnr, started_ ? fwhm_ : 0);
  if (!found) return std::nullopt;
  if (fix != nullptr) *fix = *found;
  return PlanePoint{found->centre.x, plane.FrameY(found->centre.y)};
}

bool StarTracker::Start(const LumaPlane& plane, std::vector<Star> stars, std::string* problem) {
  stars_ = std::move(stars);
  started_ = false;
  double widths = 0;
  PlanePoint reference{};
  int tracking = 0;
  for (Star& star : stars_) {
    StarFix fix;
    const std::optional<PlanePoint> found = FindNear(plane, star.place, kStartSearch, kDetectSnr, &fix);
    if (!found) {
      *problem = "no star near " + PlaceText(star.place) + " (the " + star.name + ")";
      return false;
    }
    star.place = *found;
    star.startSnr = fix.peakSnr;
    star.snapped = true;
    widths += fix.fwhm;
    if (star.tracking) reference.x += found->x, reference.y += found->y, ++tracking;
  }
  fwhm_ = stars_.empty() ? 2 : widths / static_cast<double>(stars_.size());
  started_ = true;
  if (tracking > 0) {
    reference = {reference.x / tracking, reference.y / tracking};
    for (Star& star : stars_) star.offset = {star.place.x - reference.x, star.place.y - reference.y};
  }
  return true;
}

int StarTracker::SearchHalf() const {
  return std::max(6, static_cast<int>(std::ceil(3 * fwhm_)));
}

void StarTracker::Follow(const LumaPlane& plane) {
  // The tracking stars first, and how far those that were found moved.
  PlanePoint shift{};
  int found = 0;
  lost_.assign(stars_.size(), 0);
  for (std::size_t i = 0; i < stars_.size(); ++i) {
    Star& star = stars_[i];
    if (!star.tracking) continue;
    const std::optional<PlanePoint> place = FindNear(plane, star.place, SearchHalf(), kTrackSnr, nullptr);
    star.snapped = place.has_value();
    if (!place) {
      lost_[i] = 1;
      continue;
    }
    shift.x += place->x - star.place.x, shift.y += place->y - star.place.y, ++found;
    star.place = *place;
  }
  PlanePoint reference{};
  int tracking = 0;
  for (std::size_t i = 0; i < stars_.size(); ++i) {
    Star& star = stars_[i];
    if (!star.tracking) continue;
    if (lost_[i] != 0 && found > 0) star.place.x += shift.x / found, star.place.y += shift.y / found;
    reference.x += star.place.x, reference.y += star.place.y, ++tracking;
  }
  if (tracking > 0) reference = {reference.x / tracking, reference.y / tracking};

  const int snapHalf = std::max(2, static_cast<int>(std::ceil(fwhm_)));
  const double snapReach = std::max(1.5, 0.75 * fwhm_);
  for (Star& star : stars_) {
    if (star.tracking) continue;
    const PlanePoint predicted =
        tracking > 0 ? PlanePoint{reference.x + star.offset.x, reference.y + star.offset.y} : star.place;
    StarFix fix;
    const double minSnr = std::max(kSnapSnr, kSnapShareOfStart * star.startSnr);
    const std::optional<PlanePoint> place = FindNear(plane, predicted, snapHalf, minSnr, &fix);
    star.snapped = place && std::hypot(place->x - predicted.x, place->y - predicted.y) <= snapReach;
    star.place = star.snapped ? *place : predicted;
  }
}

}  // namespace zuna
