#include "tools/lightcurve_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>

#include "lightcurve/csv/light_curve_csv.h"
#include "lightcurve/edges/edge_fit.h"
#include "lightcurve/timing/frame_times.h"
#include "tools/terminal_text.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi_reader/avi_frame_reader.h"

#ifndef ZUNA_VERSION_TEXT
#define ZUNA_VERSION_TEXT "development"
#endif

namespace zuna {
namespace {

constexpr double kLargestCoordinate = 32767;

std::optional<double> Number(std::string_view text) {
  double value = 0;
  if (text.empty() || text.size() > 32) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, std::isfinite(value) ? value : 0.0);
  return text;
}

std::string Place(PlanePoint p) {
  return Fixed(p.x, 1) + "," + Fixed(p.y, 1);
}

// JSON string contents: quotes, backslashes and control characters escaped.
std::string JsonText(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Everything one run found, shared by the printed report, the JSON and the CSV's comments.
struct Outcome {
  const LightCurveCommandLine* command = nullptr;
  const AviStreamFormat* format = nullptr;
  PhotometryRun run;
  FrameTimes times;
  EdgeFitResult fit;
  std::uint32_t framesMeasured = 0;
  std::vector<std::string> warnings;
};

std::string TimeLabel(const FrameTimes& times) {
  return times.IsUtc() ? "UTC" : "time after the first frame";
}

std::string EdgeLine(const char* name, const EdgeEstimate& e, const FrameTimes& times) {
  return std::string(name) + ": frame " + Fixed(e.position, 2) + " (95 %: " + Fixed(e.ci95.lo, 2) + " to " +
         Fixed(e.ci95.hi, 2) + "; 68 %: " + Fixed(e.ci68.lo, 2) + " to " + Fixed(e.ci68.hi, 2) +
         "; 99.7 %: " + Fixed(e.ci997.lo, 2) + " to " + Fixed(e.ci997.hi, 2) + "), " + TimeLabel(times) + " " +
         TimeOfDayText(times.At(e.position)) + " (95 %: " + TimeOfDayText(times.At(e.ci95.lo)) + " to " +
         TimeOfDayText(times.At(e.ci95.hi)) + ")";
}

struct Duration {
  double seconds = 0;
  double lo = 0;
  double hi = 0;
};

// R - D in seconds with its 95 % interval, from the fit's own duration trials.
std::optional<Duration> DurationOf(const EdgeFitResult& fit, const FrameTimes& times) {
  if (!fit.event || !fit.d || !fit.r || !fit.duration) return std::nullopt;
  const double seconds = times.At(fit.r->position) - times.At(fit.d->position);
  const double period = times.FramePeriod();
  const EdgeEstimate& frames = *fit.duration;
  return Duration{seconds, seconds - (frames.position - frames.ci95.lo) * period,
                  seconds + (frames.ci95.hi - frames.position) * period};
}

// The measurement's facts, one line each: the CSV's comments and the top of the printed report.
std::vector<std::string> FactLines(const Outcome& o) {
  const LightCurveCommandLine& c = *o.command;
  const PhotometryRun& run = o.run;
  std::vector<std::string> lines;
  lines.push_back("File: " + PathUtf8(c.file));
  lines.push_back("Frames: " + std::to_string(run.frames) + " (" + std::to_string(run.droppedFrames) +
                  " dropped, left as gaps; " + std::to_string(run.unreadableFrames) + " unreadable), " +
                  std::to_string(o.format->width) + " x " + std::to_string(std::abs(o.format->height)) + ", " +
                  std::to_string(o.format->rate) + "/" + std::to_string(o.format->scale) + " frames per second");
  std::string stars;
  for (std::size_t i = 0; i < run.starNames.size(); ++i) {
    stars += (i == 0 ? "" : "; ") + run.starNames[i] + " at " + Place(run.startPlaces[i]);
  }
  lines.push_back("Stars (pixels in the first frame as shown, from its top-left corner): " + stars);
  lines.push_back(
      "Aperture: radius " + Fixed(run.aperture.radius, 2) + " px" +
      (c.settings.apertureRadius ? " as given" : " from the stars' width (FWHM " + Fixed(run.fwhm, 2) + " px)") +
      "; background annulus " + Fixed(run.aperture.annulusInner, 2) + " to " + Fixed(run.aperture.annulusOuter, 2) +
      " px, sigma-clipped mean");
  const char* fields = c.settings.fields == FieldOrder::kTopFirst ? "top field first, each field a point (N.00, N.50)"
                       : c.settings.fields == FieldOrder::kBottomFirst
                           ? "bottom field first, each field a point (N.00, N.50)"
                           : "whole frames";
  lines.push_back(std::string("Field mode: ") + fields);
  lines.push_back(o.times.Statement());
  for (const std::string& w : o.warnings) lines.push_back("Note: " + w);
  return lines;
}

std::vector<std::string> ResultLines(const Outcome& o) {
  const EdgeFitResult& fit = o.fit;
  std::vector<std::string> lines;
  char falseAlarm[32];
  std::snprintf(falseAlarm, sizeof falseAlarm, "%.3g", fit.falseAlarm);
  lines.push_back(std::string("Event: ") + (fit.event ? "yes" : "none found") + " (AICc " + Fixed(fit.aiccEvent, 1) +
                  " for the square wave, " + Fixed(fit.aiccFlat, 1) + " for a flat line; false alarm " + falseAlarm +
                  ": how often noise alone makes so significant a drop anywhere)");
  if (fit.event && fit.d) lines.push_back(EdgeLine("D", *fit.d, o.times));
  if (fit.event && !fit.d) lines.push_back("D: before the first frame (the event was under way when the file starts)");
  if (fit.event && fit.r) lines.push_back(EdgeLine("R", *fit.r, o.times));
  if (fit.event && !fit.r) lines.push_back("R: after the last frame (the event was not over when the file ends)");
  if (const std::optional<Duration> d = DurationOf(fit, o.times)) {
    lines.push_back("Duration: " + Fixed(d->seconds, 4) + " s (95 %: " + Fixed(d->lo, 4) + " to " + Fixed(d->hi, 4) +
                    " s)");
  }
  lines.push_back("DNR: " + Fixed(fit.dnr, 2) + " (baseline " + Fixed(fit.baseline, 1) + ", event level " +
                  Fixed(fit.eventLevel, 1) + ", baseline noise " + Fixed(fit.sigmaBaseline, 1) + ")");
  char falsePositive[32];
  std::snprintf(falsePositive, sizeof falsePositive, "%.4g", fit.falsePositive);
  const long hits = std::lround(fit.falsePositive * fit.trials);
  lines.push_back(std::string("False positive: ") + falsePositive + " (noise alone made a drop as deep over the same " +
                  "duration in " + (hits == 0 ? std::string("none") : std::to_string(hits)) + " of " +
                  std::to_string(fit.trials) + " trials)");
  if (o.run.saturatedPoints > 0) {
    lines.push_back("Warning: " + std::to_string(o.run.saturatedPoints) +
                    " points have saturated pixels in the target's aperture (up to " +
                    std::to_string(o.run.mostSaturatedPixels) + "): its light curve is flattened there");
  }
  if (o.run.offEdgePoints > 0) {
    lines.push_back("Note: " + std::to_string(o.run.offEdgePoints) +
                    " points not measured: the target's aperture left the picture");
  }
  return lines;
}

std::string JsonEdge(const std::optional<EdgeEstimate>& e, const Outcome& o) {
  if (!o.fit.event || !e) return "null";
  return "{\"frame\": " + Fixed(e->position, 4) + ", \"utc\": " + JsonText(TimeOfDayText(o.times.At(e->position))) +
         ", \"ci95\": [" + Fixed(e->ci95.lo, 4) + ", " + Fixed(e->ci95.hi, 4) + "]}";
}

std::string Json(const Outcome& o) {
  const std::optional<Duration> d = DurationOf(o.fit, o.times);
  char falsePositive[64];
  std::snprintf(falsePositive, sizeof falsePositive, "%.6g", o.fit.falsePositive);
  return std::string("{\"event\": ") + (o.fit.event ? "true" : "false") + ", \"D\": " + JsonEdge(o.fit.d, o) +
         ", \"R\": " + JsonEdge(o.fit.r, o) + ", \"duration_s\": " + (d ? Fixed(d->seconds, 4) : "null") +
         ", \"dnr\": " + Fixed(o.fit.dnr, 3) + ", \"false_positive\": " + falsePositive +
         ", \"frames_measured\": " + std::to_string(o.framesMeasured) +
         ", \"timing\": " + JsonText(o.times.Statement()) + "}\n";
}

int BadInput(std::ostream& err, std::string_view problem) {
  err << "zuna-lightcurve: " << problem << "\n";
  return kLightCurveBadInput;
}

}  // namespace

std::optional<PlanePoint> ParsePixelPosition(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::optional<double> x = Number(text.substr(0, comma)), y = Number(text.substr(comma + 1));
  if (!x || !y || *x < 0 || *y < 0 || *x > kLargestCoordinate || *y > kLargestCoordinate) return std::nullopt;
  return PlanePoint{*x, *y};
}

std::optional<double> ParseApertureRadius(std::string_view text) {
  const std::optional<double> r = Number(text);
  if (!r || *r < 0.5 || *r > 50) return std::nullopt;
  return r;
}

std::optional<LightCurveCommandLine> ParseLightCurveCommandLine(const std::vector<std::string>& args,
                                                                std::string* problem) {
  LightCurveCommandLine c;
  bool haveFile = false, haveTarget = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--json") {
      c.json = true;
      continue;
    }
    if (!a.starts_with("--")) {
      if (haveFile) return *problem = "more than one file named: " + a, std::nullopt;
      c.file = PathFromUtf8(a);
      haveFile = true;
      continue;
    }
    if (i + 1 >= args.size()) return *problem = a + " needs a value", std::nullopt;
    const std::string& v = args[++i];
    const auto bad = [&](std::string_view what) { *problem = a + " " + v + ": " + std::string(what); };
    if (a == "--target" || a == "--track" || a == "--comparison") {
      const std::optional<PlanePoint> p = ParsePixelPosition(v);
      if (!p) return bad("not a pixel position X,Y"), std::nullopt;
      if (a == "--target") {
        if (haveTarget) return *problem = "more than one --target", std::nullopt;
        c.settings.target = *p, haveTarget = true;
      } else if (a == "--track") {
        if (c.settings.tracks.size() == 2) return *problem = "at most two --track stars", std::nullopt;
        c.settings.tracks.push_back(*p);
      } else {
        if (c.settings.comparison) return *problem = "more than one --comparison", std::nullopt;
        c.settings.comparison = *p;
      }
    } else if (a == "--aperture") {
      c.settings.apertureRadius = ParseApertureRadius(v);
      if (!c.settings.apertureRadius) return bad("not a radius from 0.5 to 50 pixels"), std::nullopt;
    } else if (a == "--fields") {
      if (v != "top" && v != "bottom") return bad("not top or bottom"), std::nullopt;
      c.settings.fields = v == "top" ? FieldOrder::kTopFirst : FieldOrder::kBottomFirst;
    } else if (a == "--first-frame-utc") {
      c.firstFrameUtc = ParseTimeOfDay(v);
      if (!c.firstFrameUtc) return bad("not a time HH:MM:SS.mmm"), std::nullopt;
    } else if (a == "--csv") {
      c.csv = PathFromUtf8(v);
    } else {
      return *problem = "unknown option " + a, std::nullopt;
    }
  }
  if (!haveFile) return *problem = "no file named", std::nullopt;
  if (!haveTarget) return *problem = "no --target X,Y given", std::nullopt;
  return c;
}

int RunLightCurveTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const LightCurveToolHooks& hooks) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << kLightCurveUsageText;
    return kLightCurveMeasured;
  }
  if (args.empty()) {
    err << kLightCurveUsageText;
    return kLightCurveBadInput;
  }
  std::string problem;
  const std::optional<LightCurveCommandLine> command = ParseLightCurveCommandLine(args, &problem);
  if (!command) return BadInput(err, problem + " (zuna-lightcurve --help shows the usage)");
  AviFileSource file(command->file);
  if (!file.IsOpen()) return BadInput(err, "cannot open " + PathUtf8(command->file));
  AviFrameReader reader;
  if (Failed(reader.Open(file))) {
    return BadInput(err, PathUtf8(command->file) + " cannot be read as an AVI file: " + reader.Problem());
  }
  Outcome o;
  o.command = &*command;
  o.format = &reader.Format();
  const PhotometryHooks photometryHooks{hooks.progress, hooks.cancel};
  if (Failed(MeasureLightCurve(file, reader, command->settings, photometryHooks, &o.run, &problem))) {
    return BadInput(err, PathUtf8(command->file) + ": " + problem);
  }
  o.times = FrameTimes::ForVideo(command->file, reader.Format().rate, reader.Format().scale, command->firstFrameUtc,
                                 &o.warnings);
  std::set<std::uint32_t> frames;
  std::vector<LightCurvePoint> curve;
  for (const PhotometryPoint& p : o.run.points) {
    frames.insert(p.frame);
    curve.push_back({p.position, p.stars.front().signal});
  }
  o.framesMeasured = static_cast<std::uint32_t>(frames.size());
  EdgeFitOptions options;
  options.cancel = hooks.cancel;
  o.fit = FitSquareWave(curve, options);
  if (!o.fit.fitted) return BadInput(err, PathUtf8(command->file) + ": no light curve to fit: " + o.fit.problem);

  int status = kLightCurveMeasured;
  if (command->csv) {
    std::vector<std::string> comments = FactLines(o);
    for (const std::string& line : ResultLines(o)) comments.push_back(line);
    const std::string text = LightCurveCsv(ZUNA_VERSION_TEXT, comments, o.run, o.times);
    std::ofstream csv(*command->csv, std::ios::binary | std::ios::trunc);
    if (csv) csv.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (csv) csv.close();
    if (!csv) {
      err << "zuna-lightcurve: cannot write " << PathUtf8(*command->csv) << "\n";
      status = kLightCurveNotWritten;
    }
  }
  if (command->json) {
    out << Json(o);
    return status;
  }
  out << "zuna-lightcurve " << ZUNA_VERSION_TEXT << "\n";
  for (const std::string& line : FactLines(o)) out << line << "\n";
  out << "Points measured: " << o.run.points.size() << " (" << o.framesMeasured << " frames)\n";
  for (const std::string& line : ResultLines(o)) out << line << "\n";
  return status;
}

}  // namespace zuna
