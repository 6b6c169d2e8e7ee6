#include "playback/lightcurve/light_curve_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zuna {
namespace {

// Blank space above and below the data, as a part of its range.
constexpr double kValueMargin = 0.08;

std::optional<PlotEdge> EdgeOf(const std::optional<EdgeEstimate>& e, const FrameTimes& times) {
  if (!e) return std::nullopt;
  return PlotEdge{times.At(e->position), times.At(e->ci95.lo), times.At(e->ci95.hi)};
}

// A step of 1, 2 or 5 times a power of ten giving about `count` steps over `range`.
double RoundStep(double range, int count) {
  const double raw = range / std::max(1, count);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0}) {
    if (m * power >= raw) return m * power;
  }
  return 10 * power;
}

std::vector<double> Steps(double from, double to, int count) {
  std::vector<double> values;
  if (!(to > from)) return values;
  const double step = RoundStep(to - from, count);
  for (double v = std::ceil(from / step) * step; v <= to + step * 1e-9 && values.size() < 100; v += step) {
    values.push_back(v);
  }
  return values;
}

}  // namespace

LightCurvePlot PlotOf(const LightCurveReport& report) {
  LightCurvePlot plot;
  const FrameTimes& times = report.times;
  plot.utc = times.IsUtc();
  const double step = report.request.settings.fields == FieldOrder::kFrames ? 1 : 0.5;
  double low = 0, high = 0;
  for (const PhotometryPoint& p : report.run.points) {
    const PlotPoint point{times.At(p.position), p.stars.front().signal, p.position, p.frame};
    if (!plot.points.empty() && p.position - plot.points.back().position > step * 1.5) {
      const double half = times.FramePeriod() * step / 2;
      plot.gaps.push_back({plot.points.back().time + half, point.time - half});
    }
    low = plot.points.empty() ? point.value : std::min(low, point.value);
    high = plot.points.empty() ? point.value : std::max(high, point.value);
    plot.points.push_back(point);
  }
  const EdgeFitResult& fit = report.fit;
  plot.event = fit.event;
  plot.baseline = fit.baseline;
  plot.eventLevel = fit.eventLevel;
  if (fit.event) {
    plot.d = EdgeOf(fit.d, times);
    plot.r = EdgeOf(fit.r, times);
  }
  if (!plot.points.empty()) {
    plot.timeFrom = plot.points.front().time;
    plot.timeTo = std::max(plot.points.back().time, plot.timeFrom + 1e-3);
    const double span = std::max(high - low, 1.0);
    plot.valueFrom = low - kValueMargin * span;
    plot.valueTo = high + kValueMargin * span;
  }
  return plot;
}

std::vector<PlotTick> TimeTicks(const LightCurvePlot& plot, int count) {
  std::vector<PlotTick> ticks;
  for (const double t : Steps(plot.timeFrom, plot.timeTo, count)) {
    std::string label;
    if (plot.utc) {
      label = TimeOfDayText(t).substr(0, 8);  // hh:mm:ss
      const double fraction = t - std::floor(t);
      if (fraction > 1e-6) label += TimeOfDayText(t).substr(8, 2);  // a tenth when the step is finer
    } else {
      char text[32];
      std::snprintf(text, sizeof text, "%g s", std::round(t * 1000) / 1000);
      label = text;
    }
    ticks.push_back({t, label});
  }
  return ticks;
}

std::vector<PlotTick> ValueTicks(const LightCurvePlot& plot, int count) {
  std::vector<PlotTick> ticks;
  for (const double v : Steps(plot.valueFrom, plot.valueTo, count)) {
    char text[32];
    const double shown = std::round(v * 1000) / 1000;
    std::snprintf(text, sizeof text, "%g", shown == 0 ? 0.0 : shown);  // never "-0"
    ticks.push_back({v, text});
  }
  return ticks;
}

int PlotScale::X(double time) const {
  const double span = plot_.timeTo - plot_.timeFrom;
  const double x = area_.left + (time - plot_.timeFrom) / (span > 0 ? span : 1) * area_.Width();
  return static_cast<int>(std::lround(std::clamp(x, -1e6, 1e6)));
}

int PlotScale::Y(double value) const {
  const double span = plot_.valueTo - plot_.valueFrom;
  const double y = area_.bottom - (value - plot_.valueFrom) / (span > 0 ? span : 1) * area_.Height();
  return static_cast<int>(std::lround(std::clamp(y, -1e6, 1e6)));
}

std::optional<PlotPoint> PlotScale::NearestPoint(int x) const {
  if (plot_.points.empty() || x < area_.left || x > area_.right || area_.Width() <= 0) return std::nullopt;
  const double time = plot_.timeFrom + (x - area_.left) * (plot_.timeTo - plot_.timeFrom) / area_.Width();
  const auto after = std::lower_bound(plot_.points.begin(), plot_.points.end(), time,
                                      [](const PlotPoint& p, double t) { return p.time < t; });
  if (after == plot_.points.begin()) return *after;
  if (after == plot_.points.end()) return plot_.points.back();
  const auto before = after - 1;
  return time - before->time <= after->time - time ? *before : *after;
}

}  // namespace zuna
