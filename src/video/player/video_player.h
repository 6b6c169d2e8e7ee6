#pragma once
// The one object of each program that owns the media pipeline: the graph, the renderers, the
// colour-control effect and the project's three transform filters. It builds the display chain
// (source -> pixel saturation -> brightness/contrast -> crosshairs -> renderer) by the display-tool
// switches, and the recording chain (source -> [time lapse] -> [codec] -> AVI writer).
// Main thread only. Every failure is posted to the user-messages log and returned as kFail.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/foundation/common_state.h"
#include "common/foundation/status.h"
#include "common/options/option_tables.h"
#include "video/player/media_graph.h"

namespace zuna {

inline constexpr std::wstring_view kTimeLapseEnableOption = L"TimeLapseEnable";
inline constexpr std::wstring_view kTimeLapseTypeOption = L"TimeLapseType";

// A brightness or contrast percentage (0..100, clamped) as the colour control takes it: -127..127.
std::int32_t ColorControlLevel(int percent);

class VideoPlayer {
 public:
  // Builds the graph and everything that lives as long as the player. `options` may be null
  // (playback: no "TimeLapseEnable" option, no recording chain).
  VideoPlayer(MediaGraph& graph, CommonState& state, const OptionTables* options);
  VideoPlayer(const VideoPlayer&) = delete;
  VideoPlayer& operator=(const VideoPlayer&) = delete;

  bool ConstructionFailed() const { return constructionFailed_; }

  // Teardown before every rebuild: stops a running graph and removes every filter but the renderer.
  Status RemoveFilters();
  Status AddVideoCaptureSourceBaseFilter(FilterRef source);
  Status CreateAndAddFileSourceBaseFilter(const std::wstring& path);
  Status SetStreamFormat(const MediaTypeInfo* type);

  RendererKind CurrentRendererKind() const { return rendererKind_; }
  // What shows the picture: the EVR, or the window renderer where the EVR failed or the user chose
  // it (video_player_picture_renderer.cpp).
  PictureRenderer PictureRendererInUse() const { return picture_; }
  // At start-up, once the options are read: the window renderer takes the EVR's place when the
  // user chose it (no warning), and a line names the picture renderer in use.
  void ApplyPictureRendererChoice(bool windowRendererChosen);
  // "Video renderer: Enhanced Video Renderer" or "Video renderer: Window Renderer".
  std::wstring PictureRendererLine() const;
  void SetRendererKind(RendererKind kind) { rendererKind_ = kind; }
  Status AddRendererToGraph();
  // Takes the current renderer out of the graph (display off while recording).
  Status RemoveRendererFromGraph();
  // The current renderer out of the graph and the one of `kind` in (display off while recording,
  // and back); the graph is to be rendered again after it.
  void SetRenderer(RendererKind kind);

  // `plain`: no display filter goes in (they are removed while recording, by the user's choice).
  Status RenderVideoPreviewStream(bool plain = false);
  Status RenderVideoCaptureStream(const std::wstring& path, FilterRef codec, const std::wstring& codecName);
  // Frames written and dropped by the current or last recording, and when its first frame was taken.
  Status GetRecordingTotals(RecordingTotals& totals) { return graph_.GetRecordingTotals(totals); }
  // Puts `inserted` (already in the graph) between `next` and the filter now feeding it. On failure
  // `inserted` is taken out of the graph again and the previous connection restored.
  Status ConnectWithNextFilter(FilterRef inserted, FilterRef next);

  Status CreateColorControlFilter();
  // Percentages 0..100; -1 leaves that value as it is.
  void SetBrightnessContrast(int brightnessPercent, int contrastPercent);

  Status UpdateDisplaySize();
  Status SetClippingWindow(std::uintptr_t window);
  Status RepaintVideo();

  // The first pin of that direction whose name does not begin with "~" (and equals `name` when
  // one is given); none when there is no such pin.
  PinRef FindPin(FilterRef filter, PinDirection direction, std::wstring_view name = {});
  Status DisconnectPins(FilterRef filter, PinDirection direction);

  bool HasMediaControl() const { return hasMediaControl_; }
  // Takes the graph's media control; the preview does it once it is rendered.
  Status AcquireMediaControl();
  // Run, pause and stop the graph; IsRunning says whether the last of them that succeeded was a run.
  Status Run();
  Status Pause();
  Status Stop();
  bool IsRunning() const { return running_; }

  // Media seeking (video_player_seeking.cpp). The graph's interface, taken once at start-up and
  // reported when it cannot be; the frame time format, set for each new file source; positions
  // in frames, which fail without the frame format.
  Status SetMediaSeekingInterface();
  bool HasMediaSeeking() const { return hasMediaSeeking_; }
  Status SetFrameTimeFormat();
  bool HasFrameTimeFormat() const { return hasFrameTimeFormat_; }
  Status SetCurrentFrame(std::int64_t frame);
  Status GetCurrentFrame(std::int64_t& frame);

  FilterRef SourceFilter() const { return sourceFilter_; }
  FilterRef CurrentRenderer() const { return currentRenderer_; }
  FilterRef RecordingSink() const { return muxFilter_; }
  bool FileSourceMode() const { return fileSourceMode_; }
  bool TimeLapseUnavailable() const { return !timeLapse_.filter; }
  const MediaGuid& ConnectedSubtype() const { return connectedSubtype_; }
  const MediaGuid& CaptureSubtype() const { return captureSubtype_; }
  // The time lapse of the current or last recording; none when it recorded every frame.
  const std::optional<TimeLapseInUse>& RecordingTimeLapse() const { return recordingTimeLapse_; }
  int BrightnessPercent() const { return brightnessPercent_; }
  int ContrastPercent() const { return contrastPercent_; }

  // When set, a failed final connection in ConnectWithNextFilter fails without a log line.
  void SetQuiet(bool quiet) { quiet_ = quiet; }
  // Called when the subtype at the renderer's input changes (the tool windows adapt their ranges).
  void SetSubtypeChangedHandler(std::function<void(const MediaGuid&)> handler) { subtypeChanged_ = std::move(handler); }

 private:
  struct DisplayFilter {
    FilterRef filter;
    PinRef input;
    PinRef output;
  };

  void CreateGraph();
  void CreateEVRrenderer();
  void CreateRenderers();
  // The EVR failed at `failure` (a message without its severity word and line end): the window
  // renderer takes its place with one WARNING. False when it cannot (nothing is posted then).
  bool FallBackToWindowRenderer(std::wstring_view failure);
  // The EVR failed with `failed` at `failure`: `retry` is tried with the window renderer, which
  // stays (with one WARNING) when it succeeds; else the EVR comes back and `failed` is returned.
  Status RetryWithWindowRenderer(std::wstring_view failure, Status failed, const std::function<Status()>& retry);
  // The picture renderer `to` in the place of the one now made; false when it could not be made.
  bool SwapPictureRenderer(PictureRenderer to);
  bool EnhancedRendererShowing() const;
  Status RenderStreamToRenderer(PinCategory category, FilterRef& renderer);
  void FindTransformFilter(TransformFilterKind kind, DisplayFilter& filter, int tool, const wchar_t* missingText,
                           const wchar_t* pinsText);
  FilterRef RendererOfKind(RendererKind kind) const;

  // Preview steps.
  Status RenderSourceToRenderer(FilterRef& renderer, bool plain);
  void ReadRendererSubtype(FilterRef renderer);
  void ReadFileVideoSize(FilterRef renderer);
  Status FailFileRender();
  Status InsertDisplayFilters(FilterRef renderer);
  Status InsertTransformFilter(TransformFilterKind kind, const DisplayFilter& filter, FilterRef next,
                               const TransformFilterSetup& setup, const wchar_t* name, const wchar_t* addFailure);
  void ApplyColorControl();

  // Connection steps.
  struct Splice {
    PinRef previousOutput;
    PinRef nextInput;
    bool opened = false;  // the stream between the two was broken
  };
  Status SpliceFilter(FilterRef inserted, FilterRef next, Splice& splice);
  void TakeOut(FilterRef inserted, const Splice& splice);
  Status ConnectToNext(PinRef output, PinRef input);

  // Recording steps.
  void ReadCaptureSubtype(FilterRef codec);
  Status InsertTimeLapse(FilterRef next);
  bool TimeLapseWanted() const;

  MediaGraph& graph_;
  CommonState& state_;
  const OptionTables* options_;
  bool constructionFailed_ = false;
  bool running_ = false;
  bool hasGraph_ = false;
  bool hasCaptureGraphBuilder_ = false;
  bool hasMediaControl_ = false;
  bool hasMediaSeeking_ = false;
  bool hasFrameTimeFormat_ = false;
  bool hasDisplayControl_ = false;
  bool hasColorControl_ = false;

  DisplayFilter pixelSaturation_;
  DisplayFilter crosshairs_;
  DisplayFilter timeLapse_;
  DisplayFilter colorControl_;

  bool fileSourceMode_ = false;
  FilterRef sourceFilter_;
  FilterRef currentRenderer_;
  FilterRef muxFilter_;
  FilterRef codecFilter_;
  RendererKind rendererKind_ = RendererKind::kEvr;
  PictureRenderer picture_ = PictureRenderer::kEnhanced;
  std::uintptr_t clippingWindow_ = 0;

  MediaGuid connectedSubtype_;
  MediaGuid captureSubtype_;
  std::optional<TimeLapseInUse> recordingTimeLapse_;
  int brightnessPercent_ = 50;
  int contrastPercent_ = 50;
  bool quiet_ = false;
  std::function<void(const MediaGuid&)> subtypeChanged_;
};

}  // namespace zuna
