#include "tools/lightcurve_command.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "tools/terminal_text.h"

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

std::string JsonEdge(const std::optional<EdgeEstimate>& e, const LightCurveReport& o) {
  if (!o.fit.event || !e) return "null";
  return "{\"frame\": " + FixedText(e->position, 4) + ", \"utc\": " + JsonText(TimeOfDayText(o.times.At(e->position))) +
         ", \"ci95\": [" + FixedText(e->ci95.lo, 4) + ", " + FixedText(e->ci95.hi, 4) + "]}";
}

std::string Json(const LightCurveReport& o) {
  const std::optional<EventDuration> d = DurationOf(o);
  char falsePositive[64];
  std::snprintf(falsePositive, sizeof falsePositive, "%.6g", o.fit.falsePositive);
  return std::string("{\"event\": ") + (o.fit.event ? "true" : "false") + ", \"D\": " + JsonEdge(o.fit.d, o) +
         ", \"R\": " + JsonEdge(o.fit.r, o) + ", \"duration_s\": " + (d ? FixedText(d->seconds, 4) : "null") +
         ", \"dnr\": " + FixedText(o.fit.dnr, 3) + ", \"false_positive\": " + falsePositive +
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
    } else if (a == "--frame") {
      const std::optional<double> frame = Number(v);
      if (!frame || *frame < 0 || *frame > 4e9 || *frame != std::floor(*frame)) {
        return bad("not a frame number"), std::nullopt;
      }
      c.settings.startFrame = static_cast<std::uint32_t>(*frame);
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
  LightCurveReport o;
  const PhotometryHooks photometryHooks{hooks.progress, hooks.cancel};
  if (const Status s = AnalyzeLightCurve(*command, photometryHooks, &o, &problem); s != kOk) {
    return BadInput(err, s == kAbort ? "cancelled" : problem);
  }
  int status = kLightCurveMeasured;
  if (command->csv) {
    const std::string text = ReportCsv(ZUNA_VERSION_TEXT, o);
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
