#include "video/player/video_player.h"

#include "video/player/video_player_messages.h"

namespace zuna {

using player_detail::Fail;
using player_detail::Report;

VideoPlayer::VideoPlayer(MediaGraph& graph, CommonState& state, const OptionTables* options)
    : graph_(graph), state_(state), options_(options) {
  CreateGraph();
  if (constructionFailed_) return;  // nothing else can work without the graph
  CreateEVRrenderer();
  CreateRenderers();
  if (Failed(CreateColorControlFilter())) {
    Report(L"WARNING: cannot create brightness/contrast filter - feature is disabled\r\n");
  }
  FindTransformFilter(
      TransformFilterKind::kPixelSaturation, pixelSaturation_, kToolPixelSaturation,
      L"WARNING: IID_IBaseFilter interface is missing for pixel saturation - feature not implemented\r\n",
      L"WARNING: cannot get pins for pixel saturation - feature not implemented\r\n");
  FindTransformFilter(TransformFilterKind::kCrosshairs, crosshairs_, kToolCrosshairs,
                      L"WARNING: IID_IBaseFilter interface is missing for crosshairs - feature not implemented\r\n",
                      L"WARNING: cannot get pins for crosshairs - feature not implemented\r\n");
  FindTransformFilter(TransformFilterKind::kTimeLapse, timeLapse_, -1,
                      L"WARNING: IID_IBaseFilter interface is missing for time lapse - feature not implemented\r\n",
                      L"WARNING: cannot get pins for time lapse - feature not implemented\r\n");
}

void VideoPlayer::CreateGraph() {
  GraphSetupStep failed = GraphSetupStep::kGraph;
  if (Succeeded(graph_.CreateGraph(&failed))) {
    hasGraph_ = hasCaptureGraphBuilder_ = true;
    return;
  }
  constructionFailed_ = true;
  // Without a builder the graph itself still serves teardown.
  hasGraph_ = failed != GraphSetupStep::kGraph;
  switch (failed) {
    case GraphSetupStep::kGraph:
      Report(L"FATAL: cannot create video filter graph builder\r\n");
      break;
    case GraphSetupStep::kBuilder:
      Report(L"FATAL: cannot create Type 2 video filter graph builder\r\n");
      break;
    case GraphSetupStep::kBinding:
      Report(L"FATAL: Type 2 video filter graph builder cannot set filter graph builder\r\n");
      break;
  }
}

void VideoPlayer::CreateEVRrenderer() {
  // The capture program shows the camera's picture undistorted; playback shows the file's pixels as stored.
  VideoRendererStep failed = VideoRendererStep::kCreate;
  const bool made = Succeeded(
      graph_.CreateVideoRenderer(PictureRenderer::kEnhanced, state_.programKind == ProgramKind::kCapture, &failed));
  picture_ = graph_.PictureRendererMade();
  if (made) {
    hasDisplayControl_ = true;
    return;
  }
  const wchar_t* failure = L"";
  switch (failed) {
    case VideoRendererStep::kCreate:
      failure = L"cannot create EVR filter";
      break;
    case VideoRendererStep::kService:
      failure = L"cannot get service interface for EVR";
      break;
    case VideoRendererStep::kDisplayControl:
      failure = L"cannot get display control interface for EVR";
      break;
    case VideoRendererStep::kAspectRatio:
      hasDisplayControl_ = true;
      Report(L"WARNING: cannot set aspect ratio for EVR display window\r\n");
      return;
  }
  if (!FallBackToWindowRenderer(failure)) Report((L"SEVERE: " + std::wstring(failure) + L"\r\n").c_str());
}

void VideoPlayer::CreateRenderers() {
  if (Failed(graph_.CreateNullRenderer()) || !graph_.Renderer(RendererKind::kNull)) {
    Report(L"WARNING: cannot create Null Renderer filter\r\n");
    constructionFailed_ = true;
  }
  rendererKind_ = RendererKind::kEvr;
  AddRendererToGraph();
}

void VideoPlayer::FindTransformFilter(TransformFilterKind kind, DisplayFilter& filter, int tool,
                                      const wchar_t* missingText, const wchar_t* pinsText) {
  const auto markUnavailable = [&] {
    filter = {};
    if (tool >= 0) state_.featureUnavailable[static_cast<std::size_t>(tool)] = true;
  };
  FilterRef found;
  if (Failed(graph_.GetTransformFilter(kind, &found)) || !found) {
    Report(missingText);
    markUnavailable();
    return;
  }
  filter.filter = found;
  filter.input = FindPin(found, PinDirection::kInput);
  filter.output = FindPin(found, PinDirection::kOutput);
  if (!filter.input || !filter.output) {
    Report(pinsText);
    markUnavailable();
  }
}

FilterRef VideoPlayer::RendererOfKind(RendererKind kind) const {
  if (kind != RendererKind::kEvr && kind != RendererKind::kNull) return {};
  return graph_.Renderer(kind);
}

Status VideoPlayer::AddRendererToGraph() {
  if (!hasGraph_) return Fail(L"\r\nLogic error: call to AddRendererToGraph with NULL graph builder\r\n");
  if (rendererKind_ != RendererKind::kEvr && rendererKind_ != RendererKind::kNull) {
    PostUnstampedMessage(L"Logic error - adding invalid renderer to filter graph\r\n");
    return kFail;
  }
  const FilterRef renderer = RendererOfKind(rendererKind_);
  if (!renderer) return Fail(L"\r\nLogic error: AddRendererToGraph base filter pointer is NULL\r\n");
  if (Failed(DisconnectPins(renderer, PinDirection::kInput))) {
    return Fail(L"SEVERE: cannot disconnect input pin on renderer\r\n");
  }
  const std::wstring_view name = rendererKind_ == RendererKind::kNull   ? L"Null Renderer"
                                 : picture_ == PictureRenderer::kWindow ? L"Window Renderer"
                                                                        : L"EVR";
  if (Failed(graph_.AddFilter(renderer, name))) {
    return Fail(L"SEVERE: failed to add renderer to filter graph\r\n");
  }
  currentRenderer_ = renderer;
  return kOk;
}

Status VideoPlayer::RemoveRendererFromGraph() {
  if (!currentRenderer_) return kOk;
  if (Failed(DisconnectPins(currentRenderer_, PinDirection::kInput)) || Failed(graph_.RemoveFilter(currentRenderer_))) {
    return Fail(L"WARNING: Failure to remove filter from filter graph\r\n");
  }
  currentRenderer_ = {};
  return kOk;
}

Status VideoPlayer::Run() {
  Status status = graph_.Run();
  // An EVR that cannot present (no display device it can use, a type it cannot mix) fails the run.
  if (Failed(status) && EnhancedRendererShowing()) {
    graph_.Stop();
    status = RetryWithWindowRenderer(L"the EVR cannot run this stream", status, [this] { return graph_.Run(); });
  }
  if (Succeeded(status)) running_ = true;
  return status;
}

Status VideoPlayer::Pause() {
  const Status status = graph_.Pause();
  if (Succeeded(status)) running_ = false;
  return status;
}

Status VideoPlayer::Stop() {
  const Status status = graph_.Stop();
  if (Succeeded(status)) running_ = false;
  return status;
}

// Each step goes on whatever the one before gave: every failure is already in the log, and a
// renderer that did not come out still leaves the other one to try.
void VideoPlayer::SetRenderer(RendererKind kind) {
  RemoveRendererFromGraph();
  rendererKind_ = kind;
  AddRendererToGraph();
}

Status VideoPlayer::RemoveFilters() {
  if (!hasGraph_) return Fail(L"Logic error: attempt to remove filters from a NULL filter graph\r\n");
  if (running_) {
    graph_.Stop();
    running_ = false;
  }
  ClearStep failed = ClearStep::kEnumerate;
  if (Failed(graph_.Clear(currentRenderer_, &failed))) {
    if (failed == ClearStep::kNoEnumerator) return Fail(L"WARNING: Filter graph filters enumerator is NULL\r\n");
    if (failed == ClearStep::kEnumerate) return Fail(L"WARNING: Failure to enumerate filter graph filters\r\n");
    return Fail(L"WARNING: Failure to remove filter from filter graph\r\n");
  }
  // The graph has let go of the media control and of the file source's seeking, and released the
  // file source and the recording sink it made; a device's filter belongs to its device record.
  hasFrameTimeFormat_ = false;
  hasMediaControl_ = false;
  sourceFilter_ = {};
  if (currentRenderer_) DisconnectPins(currentRenderer_, PinDirection::kInput);
  muxFilter_ = {};
  codecFilter_ = {};
  fileSourceMode_ = false;
  return kOk;
}

Status VideoPlayer::AddVideoCaptureSourceBaseFilter(FilterRef source) {
  if (!hasGraph_ || !source) return kFail;
  if (Failed(graph_.AddFilter(source, L"CaptureSourceFilter"))) return kFail;
  sourceFilter_ = source;
  fileSourceMode_ = false;
  return kOk;
}

Status VideoPlayer::CreateAndAddFileSourceBaseFilter(const std::wstring& path) {
  if (!hasGraph_) return Fail(L"\r\nLogic error: call to CreateAndAddFileSourceBaseFilter with NULL graph builder\r\n");
  FilterRef source;
  if (Failed(graph_.AddSourceFilterForFile(path, L"AVI Source Filter", &source)) || !source) {
    return Fail(L"SEVERE: failure to add the video file source filter to the filter graph\r\n");
  }
  sourceFilter_ = source;
  fileSourceMode_ = true;
  return kOk;
}

Status VideoPlayer::SetStreamFormat(const MediaTypeInfo* type) {
  if (!hasCaptureGraphBuilder_)
    return Fail(L"Logic error: attempt to set video stream format without a filter graph\r\n");
  if (type == nullptr) {
    return Fail(L"Logic error: attempt to set video stream format with NULL media type parameter\r\n");
  }
  if (!sourceFilter_) return Fail(L"Logic error: attempt to set video stream format with no source filter\r\n");
  const Status result = graph_.SetStreamFormat(sourceFilter_, *type);
  if (result == kNoInterface) return Fail(L"SEVERE: IAMStreamConfig interface is missing\r\n");
  if (result == kPointer) {
    return Fail(L"WARNING: attempt to set video stream format with NULL stream configuration interface\r\n");
  }
  if (Failed(result)) return Fail(L"SEVERE: stream configuration interface failed to set video format\r\n");
  return kOk;
}

Status VideoPlayer::UpdateDisplaySize() {
  if (!hasDisplayControl_ || clippingWindow_ == 0) {
    return Fail(
        L"Logic error: attempt to update primary EVR frame size with NULL display control or clipping window "
        L"handle\r\n");
  }
  const VideoSize display = state_.geometry.Display();
  return graph_.SetVideoSize(display.width, display.height);
}

Status VideoPlayer::SetClippingWindow(std::uintptr_t window) {
  clippingWindow_ = window;
  if (rendererKind_ != RendererKind::kEvr) return kOk;
  if (!graph_.Renderer(RendererKind::kEvr) || !hasDisplayControl_) {
    return Fail(L"Logic error: trying to set clipping window without a renderer\r\n");
  }
  if (Failed(graph_.ShowIn(window))) return Fail(L"WARNING: cannot set clipping window in EVR\r\n");
  return kOk;
}

Status VideoPlayer::RepaintVideo() {
  if (clippingWindow_ == 0) return Fail(L"Logic error: attempt to repaint frame with no current clipping window\r\n");
  if (rendererKind_ != RendererKind::kEvr || !hasDisplayControl_) return kOk;
  return graph_.Repaint();
}

PinRef VideoPlayer::FindPin(FilterRef filter, PinDirection direction, std::wstring_view name) {
  std::vector<PinInfo> pins;
  if (!filter || Failed(graph_.EnumeratePins(filter, &pins))) {
    Report(L"SEVERE: cannot enumerate pins on filter");
    return {};
  }
  for (const PinInfo& pin : pins) {
    if (!pin.pin || pin.direction != direction) continue;
    if (!pin.name.empty() && pin.name.front() == L'~') continue;  // pins the framework hides from rendering
    if (!name.empty() && pin.name != name) continue;
    return pin.pin;
  }
  return {};
}

Status VideoPlayer::DisconnectPins(FilterRef filter, PinDirection direction) {
  std::vector<PinInfo> pins;
  if (!filter || Failed(graph_.EnumeratePins(filter, &pins))) return kFail;
  for (const PinInfo& pin : pins) {
    if (!pin.pin || pin.direction != direction) continue;
    PinRef peer;
    if (Failed(graph_.ConnectedTo(pin.pin, &peer)) || !peer) continue;
    if (Failed(graph_.Disconnect(peer)) || Failed(graph_.Disconnect(pin.pin))) return kFail;
  }
  return kOk;
}

}  // namespace zuna
