#include "lightcurve/report/light_curve_report.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "lightcurve/csv/light_curve_csv.h"
#include "video/avi/avi_byte_source.h"

namespace zuna {
namespace {

std::string Place(PlanePoint p) {
  return FixedText(p.x, 1) + "," + FixedText(p.y, 1);
}

std::string EdgeLine(const char* name, const EdgeEstimate& e, const FrameTimes& times) {
  return std::string(name) + ": frame " + FixedText(e.position, 2) + " (95 %: " + FixedText(e.ci95.lo, 2) + " to " +
         FixedText(e.ci95.hi, 2) + "; 68 %: " + FixedText(e.ci68.lo, 2) + " to " + FixedText(e.ci68.hi, 2) +
         "; 99.7 %: " + FixedText(e.ci997.lo, 2) + " to " + FixedText(e.ci997.hi, 2) + "), " + TimeLabel(times) + " " +
         TimeOfDayText(times.At(e.position)) + " (95 %: " + TimeOfDayText(times.At(e.ci95.lo)) + " to " +
         TimeOfDayText(times.At(e.ci95.hi)) + ")";
}

const char* FieldModeText(FieldOrder fields) {
  switch (fields) {
    case FieldOrder::kTopFirst:
      return "top field first, each field a point (N.00, N.50)";
    case FieldOrder::kBottomFirst:
      return "bottom field first, each field a point (N.00, N.50)";
    case FieldOrder::kFrames:
      break;
  }
  return "whole frames";
}

std::string StarsLine(const LightCurveReport& r) {
  std::string stars;
  for (std::size_t i = 0; i < r.run.starNames.size(); ++i) {
    stars += (i == 0 ? "" : "; ") + r.run.starNames[i] + " at " + Place(r.run.startPlaces[i]);
  }
  return "Stars (pixels in frame " + std::to_string(r.request.settings.startFrame) +
         " as shown, from its top-left corner): " + stars;
}

std::string EventLine(const EdgeFitResult& fit) {
  char falseAlarm[32];
  std::snprintf(falseAlarm, sizeof falseAlarm, "%.3g", fit.falseAlarm);
  return std::string("Event: ") + (fit.event ? "yes" : "none found") + " (AICc " + FixedText(fit.aiccEvent, 1) +
         " for the square wave, " + FixedText(fit.aiccFlat, 1) + " for a flat line; false alarm " + falseAlarm +
         ": how often noise alone makes so significant a drop anywhere)";
}

std::string FalsePositiveLine(const EdgeFitResult& fit) {
  char falsePositive[32];
  std::snprintf(falsePositive, sizeof falsePositive, "%.4g", fit.falsePositive);
  const long hits = std::lround(fit.falsePositive * fit.trials);
  return std::string("False positive: ") + falsePositive + " (noise alone made a drop as deep over the same " +
         "duration in " + (hits == 0 ? std::string("none") : std::to_string(hits)) + " of " +
         std::to_string(fit.trials) + " trials)";
}

}  // namespace

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string FixedText(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, std::isfinite(value) ? value : 0.0);
  return text;
}

std::string TimeLabel(const FrameTimes& times) {
  return times.IsUtc() ? "UTC" : "time after the first frame";
}

Status AnalyzeLightCurve(const LightCurveRequest& request, const PhotometryHooks& hooks, LightCurveReport* report,
                         std::string* problem) {
  *report = LightCurveReport();
  report->request = request;
  const std::string name = PathText(request.file);
  AviFileSource file(request.file);
  if (!file.IsOpen()) return *problem = "cannot open " + name, kFail;
  AviFrameReader reader;
  if (Failed(reader.Open(file))) return *problem = name + " cannot be read as an AVI file: " + reader.Problem(), kFail;
  report->format = reader.Format();
  const Status measured = MeasureLightCurve(file, reader, request.settings, hooks, &report->run, problem);
  if (measured == kAbort) return kAbort;
  if (Failed(measured)) return *problem = name + ": " + *problem, kFail;
  report->times = FrameTimes::ForVideo(request.file, reader.Format().rate, reader.Format().scale, request.firstFrameUtc,
                                       &report->warnings);
  std::set<std::uint32_t> frames;
  std::vector<LightCurvePoint> curve;
  curve.reserve(report->run.points.size());
  for (const PhotometryPoint& p : report->run.points) {
    frames.insert(p.frame);
    curve.push_back({p.position, p.stars.front().signal});
  }
  report->framesMeasured = static_cast<std::uint32_t>(frames.size());
  EdgeFitOptions options;
  options.cancel = hooks.cancel;
  report->fit = FitSquareWave(curve, options);
  if (hooks.cancel != nullptr && hooks.cancel->load()) return kAbort;
  if (!report->fit.fitted) return *problem = name + ": no light curve to fit: " + report->fit.problem, kFail;
  return kOk;
}

std::optional<EventDuration> DurationOf(const LightCurveReport& report) {
  const EdgeFitResult& fit = report.fit;
  if (!fit.event || !fit.d || !fit.r || !fit.duration) return std::nullopt;
  const double seconds = report.times.At(fit.r->position) - report.times.At(fit.d->position);
  const double period = report.times.FramePeriod();
  const EdgeEstimate& frames = *fit.duration;
  return EventDuration{seconds, seconds - (frames.position - frames.ci95.lo) * period,
                       seconds + (frames.ci95.hi - frames.position) * period};
}

std::vector<std::string> FactLines(const LightCurveReport& r) {
  const PhotometryRun& run = r.run;
  const PhotometrySettings& settings = r.request.settings;
  std::vector<std::string> lines;
  lines.push_back("File: " + PathText(r.request.file));
  lines.push_back("Frames: " + std::to_string(run.frames) + " (" + std::to_string(run.droppedFrames) +
                  " dropped, left as gaps; " + std::to_string(run.unreadableFrames) + " unreadable), " +
                  std::to_string(r.format.width) + " x " + std::to_string(std::abs(r.format.height)) + ", " +
                  std::to_string(r.format.rate) + "/" + std::to_string(r.format.scale) + " frames per second");
  lines.push_back(StarsLine(r));
  lines.push_back(
      "Aperture: radius " + FixedText(run.aperture.radius, 2) + " px" +
      (settings.apertureRadius ? " as given" : " from the stars' width (FWHM " + FixedText(run.fwhm, 2) + " px)") +
      "; background annulus " + FixedText(run.aperture.annulusInner, 2) + " to " +
      FixedText(run.aperture.annulusOuter, 2) + " px, sigma-clipped mean");
  lines.push_back(std::string("Field mode: ") + FieldModeText(settings.fields));
  lines.push_back(r.times.Statement());
  for (const std::string& w : r.warnings) lines.push_back("Note: " + w);
  return lines;
}

std::vector<std::string> ResultLines(const LightCurveReport& r) {
  const EdgeFitResult& fit = r.fit;
  std::vector<std::string> lines;
  lines.push_back(EventLine(fit));
  if (fit.event && fit.d) lines.push_back(EdgeLine("D", *fit.d, r.times));
  if (fit.event && !fit.d) lines.push_back("D: before the first frame (the event was under way when the file starts)");
  if (fit.event && fit.r) lines.push_back(EdgeLine("R", *fit.r, r.times));
  if (fit.event && !fit.r) lines.push_back("R: after the last frame (the event was not over when the file ends)");
  if (const std::optional<EventDuration> d = DurationOf(r)) {
    lines.push_back("Duration: " + FixedText(d->seconds, 4) + " s (95 %: " + FixedText(d->lo, 4) + " to " +
                    FixedText(d->hi, 4) + " s)");
  }
  lines.push_back("DNR: " + FixedText(fit.dnr, 2) + " (baseline " + FixedText(fit.baseline, 1) + ", event level " +
                  FixedText(fit.eventLevel, 1) + ", baseline noise " + FixedText(fit.sigmaBaseline, 1) + ")");
  lines.push_back(FalsePositiveLine(fit));
  if (r.run.saturatedPoints > 0) {
    lines.push_back("Warning: " + std::to_string(r.run.saturatedPoints) +
                    " points have saturated pixels in the target's aperture (up to " +
                    std::to_string(r.run.mostSaturatedPixels) + "): its light curve is flattened there");
  }
  if (r.run.offEdgePoints > 0) {
    lines.push_back("Note: " + std::to_string(r.run.offEdgePoints) +
                    " points not measured: the target's aperture left the picture");
  }
  return lines;
}

std::string ReportCsv(std::string_view version, const LightCurveReport& report) {
  std::vector<std::string> comments = FactLines(report);
  for (std::string& line : ResultLines(report)) comments.push_back(std::move(line));
  return LightCurveCsv(version, comments, report.run, report.times);
}

}  // namespace zuna
