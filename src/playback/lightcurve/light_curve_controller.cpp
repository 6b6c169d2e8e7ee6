#include "playback/lightcurve/light_curve_controller.h"

#include <fstream>

#include "common/log/user_messages_log.h"
#include "playback/lightcurve/star_pick.h"

namespace zuna {
namespace {

constexpr const char* kRoleNames[] = {"Target", "Tracking star 1", "Tracking star 2", "Comparison star"};
constexpr const char* kOpenPrompt = "Open a file to measure a star's light curve.";
constexpr const char* kPickPrompt =
    "Click the target star on the video (on a frame where it shows), then press Measure.";

std::size_t Index(StarRole role) {
  return static_cast<std::size_t>(role);
}

std::string Place(PlanePoint p) {
  return FixedText(p.x, 1) + ", " + FixedText(p.y, 1);
}

std::wstring Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  return WideFromUtf8(text);
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int extra = byte < 0x80 ? 0 : byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : -1;
    char32_t c = extra == 0 ? byte : extra == 1 ? byte & 0x1F : extra == 2 ? byte & 0x0F : byte & 0x07;
    bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size() + (extra == 0 ? 1 : 0);
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    i += valid ? static_cast<std::size_t>(extra) + 1 : 1;
    if (!valid || c > 0x10FFFF) c = 0xFFFD;
    if constexpr (sizeof(wchar_t) == 2) {
      if (c >= 0x10000) {
        out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        continue;
      }
    }
    out += static_cast<wchar_t>(c);
  }
  return out;
}

LightCurveController::LightCurveController(WindowView& controls, LightCurveView& view, LightCurveWork& work,
                                           std::string version, Hooks hooks)
    : ToggledWindow(controls),
      controls_(controls),
      view_(view),
      work_(work),
      version_(std::move(version)),
      hooks_(std::move(hooks)) {
  SetMenuCheck(hooks_.checkMenuItem);
  controls_.Check(kPickTarget, true);
  controls_.Check(kFrames, true);
  Say(kOpenPrompt);
  ApplyControls();
}

LightCurveController::~LightCurveController() {
  cancel_ = true;
  work_.Wait();
}

void LightCurveController::Open() {
  ApplyControls();
  ShowOpened();
  ShowStars();
}

void LightCurveController::Dismiss() {
  if (measuring_) Cancel();
  HideClosed();
  view_.ShowMarkers({});
}

void LightCurveController::OnFileChanged(std::optional<std::filesystem::path> file) {
  if (measuring_) {
    cancel_ = true;
    work_.Wait();
    measuring_ = false;
    view_.StopPolling();
    view_.SetProgress(0, 1);
  }
  file_ = std::move(file);
  ClearResults();
  ClearStars();
  Say(file_ ? kPickPrompt : kOpenPrompt);
}

bool LightCurveController::PickingStars() const {
  return IsOpen() && file_.has_value() && !measuring_;
}

void LightCurveController::OnVideoClick(PlanePoint click, std::uint32_t frame) {
  if (!PickingStars()) return;
  const StarRole role = ChosenRole();
  std::string problem;
  const std::optional<StarFix> star = PickStar(*file_, frame, click, &problem);
  if (!star) {
    Say(std::string(kRoleNames[Index(role)]) + " not picked: " + problem + ".");
    return;
  }
  std::string note;
  if (starFrame_ && *starFrame_ != frame) {
    for (std::optional<StarFix>& s : stars_) s.reset();
    note = " The stars are picked on one frame: those of frame " + std::to_string(*starFrame_) + " were cleared.";
  }
  starFrame_ = frame;
  stars_[Index(role)] = star;
  // The next role not yet picked is chosen for the next click.
  for (std::size_t next = 1; next < 4; ++next) {
    const std::size_t candidate = (Index(role) + next) % 4;
    if (!stars_[candidate]) {
      for (std::size_t r = 0; r < 4; ++r) controls_.Check(kPickTarget + static_cast<int>(r), r == candidate);
      break;
    }
  }
  Say(std::string(kRoleNames[Index(role)]) + " at " + Place(star->centre) + " in frame " + std::to_string(frame) + "." +
      note + (stars_[0] ? " Press Measure, or click more stars." : " Now click the target star."));
  ShowStars();
  ApplyControls();
}

void LightCurveController::OnClicked(int control) {
  // Radio buttons are ticked here, one of each group.
  if (control >= kPickTarget && control <= kPickComparison) {
    for (int c = kPickTarget; c <= kPickComparison; ++c) controls_.Check(c, c == control);
    return;
  }
  if (control >= kFrames && control <= kBottomFirst) {
    for (int c = kFrames; c <= kBottomFirst; ++c) controls_.Check(c, c == control);
    return;
  }
  switch (control) {
    case kClearStars:
      ClearStars();
      Say(file_ ? kPickPrompt : kOpenPrompt);
      break;
    case kMeasure:
      Measure();
      break;
    case kCancel:
      if (measuring_) Cancel();
      break;
    case kSaveCsv:
      SaveCsv();
      break;
    case kCopyResults:
      CopyResults();
      break;
    default:
      break;
  }
}

void LightCurveController::ClearStars() {
  for (std::optional<StarFix>& s : stars_) s.reset();
  starFrame_.reset();
  for (int r = 0; r < 4; ++r) controls_.Check(kPickTarget + r, r == 0);
  ShowStars();
  ApplyControls();
}

void LightCurveController::Measure() {
  if (!file_ || !stars_[0] || !starFrame_ || measuring_) return;
  request_ = LightCurveRequest();
  request_.file = *file_;
  PhotometrySettings& s = request_.settings;
  s.startFrame = *starFrame_;
  s.target = stars_[Index(StarRole::kTarget)]->centre;
  for (const StarRole role : {StarRole::kTrack1, StarRole::kTrack2}) {
    if (stars_[Index(role)]) s.tracks.push_back(stars_[Index(role)]->centre);
  }
  if (stars_[Index(StarRole::kComparison)]) s.comparison = stars_[Index(StarRole::kComparison)]->centre;
  s.fields = ChosenFields();
  cancel_ = false;
  done_ = false;
  progressDone_ = 0;
  progressTotal_ = 0;
  measuring_ = true;
  ClearResults();
  Say("Measuring " + PathText(file_->filename()) + "...");
  view_.SetProgress(0, 1);
  view_.StartPolling();
  ApplyControls();
  work_.Start([this] {
    const PhotometryHooks hooks{[this](std::uint32_t done, std::uint32_t total) {
                                  progressDone_ = done;
                                  progressTotal_ = total;
                                },
                                &cancel_};
    resultStatus_ = AnalyzeLightCurve(request_, hooks, &result_, &resultProblem_);
    done_.store(true, std::memory_order_release);
  });
}

void LightCurveController::Cancel() {
  cancel_ = true;
  Say("Cancelling...");
}

void LightCurveController::OnPoll() {
  if (!measuring_) return;
  view_.SetProgress(progressDone_, progressTotal_);
  if (!done_.load(std::memory_order_acquire)) return;
  work_.Wait();
  Finish();
}

void LightCurveController::Finish() {
  measuring_ = false;
  view_.StopPolling();
  if (resultStatus_ == kOk && !cancel_) {
    report_ = std::move(result_);
    plot_ = PlotOf(*report_);
    ShowReport();
    PostResults();
    Say("Measured " + std::to_string(report_->run.points.size()) + " points of " +
        std::to_string(report_->framesMeasured) + " frames. Click the plot to show a frame.");
  } else if (resultStatus_ == kAbort || cancel_) {
    view_.SetProgress(0, 1);
    Say("Measuring cancelled: nothing was measured or saved.");
  } else {
    view_.SetProgress(0, 1);
    Say("Cannot measure: " + resultProblem_);
  }
  result_ = LightCurveReport();
  ApplyControls();
}

std::vector<std::string> LightCurveController::ShownResultLines() const {
  std::vector<std::string> lines = ResultLines(*report_);
  lines.push_back(report_->times.Statement());
  for (const std::string& w : report_->warnings) lines.push_back("Note: " + w);
  return lines;
}

void LightCurveController::ShowReport() {
  controls_.SetText(kResults, Lines(ShownResultLines()));
  view_.ShowPlot(&*plot_);
}

void LightCurveController::PostResults() const {
  PostStampedMessage(L"Light curve of " + WideFromUtf8(PathText(report_->request.file)) + L":");
  for (const std::string& line : ShownResultLines()) PostUnstampedMessage(WideFromUtf8(line));
}

void LightCurveController::ClearResults() {
  report_.reset();
  plot_.reset();
  controls_.SetText(kResults, L"");
  view_.ShowPlot(nullptr);
}

void LightCurveController::SaveCsv() {
  if (!report_ || measuring_) return;
  std::filesystem::path suggested = report_->request.file;
  suggested.replace_extension(".lightcurve.csv");
  const std::optional<std::wstring> chosen = view_.ChooseCsvFile(suggested.wstring());
  if (!chosen) return;
  const std::filesystem::path path(*chosen);
  const std::string text = ReportCsv(version_, *report_);
  std::ofstream csv(path, std::ios::binary | std::ios::trunc);
  if (csv) csv.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (csv) csv.close();
  const std::wstring name = WideFromUtf8(PathText(path));
  if (!csv) {
    Say("Cannot write " + PathText(path) + ": nothing was saved.");
    PostStampedMessage(L"WARNING: cannot write light curve file " + name);
    return;
  }
  Say("Saved " + PathText(path) + ".");
  PostStampedMessage(L"Light curve saved in " + name);
}

void LightCurveController::CopyResults() {
  if (!report_) return;
  std::vector<std::string> lines = FactLines(*report_);
  for (std::string& line : ResultLines(*report_)) lines.push_back(std::move(line));
  view_.CopyText(Lines(lines) + L"\r\n");
  Say("Results copied: paste them into a report or an e-mail.");
}

void LightCurveController::OnPlotClick(const std::optional<PlotPoint>& point) {
  if (!point || measuring_ || !report_) return;
  if (hooks_.goToFrame) hooks_.goToFrame(point->frame);
  Say("Frame " + std::to_string(point->frame) + " shown: point " + FixedText(point->position, 2) + " at " +
      TimeLabel(report_->times) + " " + TimeOfDayText(point->time) + ", signal " + FixedText(point->value, 1) + ".");
}

void LightCurveController::ShowStars() {
  std::string text;
  std::vector<StarMarker> markers;
  for (std::size_t r = 0; r < 4; ++r) {
    if (!stars_[r]) continue;
    text += (text.empty() ? "" : "; ") + std::string(kRoleNames[r]) + " " + Place(stars_[r]->centre);
    markers.push_back({static_cast<StarRole>(r), stars_[r]->centre, ApertureFor(stars_[r]->fwhm, std::nullopt)});
  }
  controls_.SetText(kStars, WideFromUtf8(starFrame_ ? "Frame " + std::to_string(*starFrame_) + ": " + text
                                                    : std::string("No star picked")));
  if (IsOpen()) view_.ShowMarkers(markers);
}

void LightCurveController::ApplyControls() {
  const bool picking = file_.has_value() && !measuring_;
  for (int c : {kPickTarget, kPickTrack1, kPickTrack2, kPickComparison}) controls_.Enable(c, picking);
  controls_.Enable(kClearStars, picking && starFrame_.has_value());
  for (int c : {kFrames, kTopFirst, kBottomFirst}) controls_.Enable(c, !measuring_);
  controls_.Enable(kMeasure, picking && stars_[0].has_value());
  controls_.Enable(kCancel, measuring_);
  controls_.Enable(kSaveCsv, report_.has_value() && !measuring_);
  controls_.Enable(kCopyResults, report_.has_value() && !measuring_);
}

void LightCurveController::Say(const std::string& text) {
  controls_.SetText(kStatus, WideFromUtf8(text));
}

StarRole LightCurveController::ChosenRole() const {
  for (int r = 0; r < 4; ++r) {
    if (controls_.IsChecked(kPickTarget + r)) return static_cast<StarRole>(r);
  }
  return StarRole::kTarget;
}

FieldOrder LightCurveController::ChosenFields() const {
  if (controls_.IsChecked(kTopFirst)) return FieldOrder::kTopFirst;
  if (controls_.IsChecked(kBottomFirst)) return FieldOrder::kBottomFirst;
  return FieldOrder::kFrames;
}

}  // namespace zuna
