#pragma once
// What the Light Curve window's plot shows, in the data's own units (seconds and the target's
// signal), and the mapping between those and the plot's pixels, which the window draws with and
// which turns a click back into the point under it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/windows/geometry.h"
#include "lightcurve/report/light_curve_report.h"

namespace zuna {

struct PlotPoint {
  double time = 0;      // seconds, as the report's frame times give them
  double value = 0;     // the target's signal
  double position = 0;  // N, or N + 0.5 for a second field
  std::uint32_t frame = 0;
};

struct PlotEdge {
  double time = 0;
  double lo = 0;  // its 95 % interval
  double hi = 0;
};

struct TimeSpan {
  double from = 0;
  double to = 0;
};

struct LightCurvePlot {
  std::vector<PlotPoint> points;  // in time order
  std::vector<TimeSpan> gaps;     // dropped or unmeasured frames between points
  bool utc = false;               // times of day; else seconds after the first frame
  bool event = false;
  double baseline = 0;
  double eventLevel = 0;
  std::optional<PlotEdge> d;
  std::optional<PlotEdge> r;
  double timeFrom = 0;
  double timeTo = 1;
  double valueFrom = 0;
  double valueTo = 1;
};

LightCurvePlot PlotOf(const LightCurveReport& report);

// A tick of an axis: where it stands and its label.
struct PlotTick {
  double value = 0;
  std::string label;
};

// Round steps across the time axis, labelled as times of day (UTC) or seconds.
std::vector<PlotTick> TimeTicks(const LightCurvePlot& plot, int count);
std::vector<PlotTick> ValueTicks(const LightCurvePlot& plot, int count);

class PlotScale {
 public:
  // `area`: the pixels the data fills, inside the plot's axes.
  PlotScale(const LightCurvePlot& plot, Rect area) : plot_(plot), area_(area) {}

  int X(double time) const;
  int Y(double value) const;
  const Rect& Area() const { return area_; }
  // The point whose time lies nearest to pixel column x; nothing outside the area or without points.
  std::optional<PlotPoint> NearestPoint(int x) const;

 private:
  const LightCurvePlot& plot_;
  Rect area_;
};

}  // namespace zuna
