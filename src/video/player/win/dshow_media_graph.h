#pragma once
// The media graph on DirectShow: the filter graph and its capture graph builder, the Enhanced Video
// Renderer with its display control (or the project's window renderer where the EVR fails), the Null
// Renderer, the colour-control effect inside the DMO wrapper, the project's three transform filters
// held by value, and the AVI writer as recording sink.
//
// Handles: a FilterRef or PinRef is the interface pointer's value. The graph, a device record or this
// object holds the reference that keeps it alive; a pin is kept without one, as it lives as long as
// its filter. The recording sink and a file source are made here with one reference each, given back
// by Clear. Main thread only; nothing here posts a message.
#include <dshow.h>
#include <evr.h>
#include <propsys.h>

#include <optional>
#include <vector>

#include "common/foundation/common_state.h"
#include "video/dshow/com_ptr.h"
#include "video/frames/win/crosshairs_filter.h"
#include "video/frames/win/pixel_saturation_filter.h"
#include "video/frames/win/time_lapse_filter.h"
#include "video/player/media_graph.h"
#include "video/player/win/window_renderer.h"

namespace zuna::dshow {

class AviWriterFilter;

inline FilterRef ToFilterRef(IBaseFilter* filter) {
  return FilterRef{reinterpret_cast<std::uintptr_t>(filter)};
}
inline IBaseFilter* ToFilter(FilterRef filter) {
  return reinterpret_cast<IBaseFilter*>(filter.id);
}
inline PinRef ToPinRef(IPin* pin) {
  return PinRef{reinterpret_cast<std::uintptr_t>(pin)};
}
inline IPin* ToPin(PinRef pin) {
  return reinterpret_cast<IPin*>(pin.id);
}

// The pins of a filter, without references (a pin lives as long as its filter).
HRESULT ListPins(IBaseFilter* filter, std::vector<PinInfo>* pins);

class DirectShowMediaGraph final : public MediaGraph {
 public:
  explicit DirectShowMediaGraph(CommonState& state);
  ~DirectShowMediaGraph() override;
  DirectShowMediaGraph(const DirectShowMediaGraph&) = delete;
  DirectShowMediaGraph& operator=(const DirectShowMediaGraph&) = delete;

  Status CreateGraph(GraphSetupStep* failed) override;

  Status CreateVideoRenderer(PictureRenderer choice, bool preservePicture, VideoRendererStep* failed) override;
  PictureRenderer PictureRendererMade() const override;
  Status CreateNullRenderer() override;
  FilterRef Renderer(RendererKind kind) const override;
  Status ShowIn(std::uintptr_t window) override;
  Status SetVideoSize(int width, int height) override;
  Status Repaint() override;

  Status GetTransformFilter(TransformFilterKind kind, FilterRef* filter) override;
  void PrepareTransformFilter(TransformFilterKind kind, const TransformFilterSetup& setup) override;

  Status EnableColorControl(FilterRef* filter, ColorControlStep* failed) override;
  Status SetColorControlValue(int propertyId, std::int32_t value) override;

  Status AddFilter(FilterRef filter, std::wstring_view name) override;
  Status RemoveFilter(FilterRef filter) override;
  Status Clear(FilterRef keep, ClearStep* failed) override;
  Status FindFilterByName(std::wstring_view name, FilterRef* filter) override;
  Status AddSourceFilterForFile(const std::wstring& path, std::wstring_view name, FilterRef* source) override;

  Status EnumeratePins(FilterRef filter, std::vector<PinInfo>* pins) override;
  Status ConnectedTo(PinRef pin, PinRef* peer) override;
  Status ConnectionMediaType(PinRef pin, MediaTypeInfo* type) override;
  Status OfferedMediaType(PinRef pin, MediaTypeInfo* type) override;
  Status ConnectDirect(PinRef output, PinRef input) override;
  Status Connect(PinRef output, PinRef input) override;
  Status Disconnect(PinRef pin) override;

  Status RenderStream(PinCategory category, FilterRef source, FilterRef intermediate, FilterRef sink) override;
  Status SetStreamFormat(FilterRef source, const MediaTypeInfo& type) override;
  Status CreateRecordingSink(const std::wstring& path, FilterRef* sink) override;
  Status GetRecordingTotals(RecordingTotals& totals) override;

  Status GetMediaControl() override;
  Status Run() override;
  Status Pause() override;
  Status Stop() override;

  Status GetMediaSeeking() override;
  Status SetFrameTimeFormat(FilterRef source) override;
  Status SetCurrentFrame(std::int64_t frame) override;
  Status GetCurrentFrame(std::int64_t* frame) override;

  // Marks drawn over the picture by whichever renderer shows it; the overlay outlives the graph.
  void SetOverlay(const VideoOverlay* overlay);
  // Each connection ("A -> B", one a line) and, with the window renderer, the frames it has shown
  // since the graph last started ("Frames shown: N", "Picture shown: yes|no").
  std::wstring Report();
  // For tests: the filter graph itself (no reference for the caller), and the filters in it.
  IGraphBuilder* Graph() const { return graph_.Get(); }
  Status EnumerateFilters(std::vector<FilterRef>* filters);

 private:
  FrameFilter* TransformFilter(TransformFilterKind kind);
  Status AddOwnedFilter(IBaseFilter* filter, std::wstring_view name, FilterRef* added);
  void ReleaseOwnedFilters();
  void EmptyGraph();
  // The EVR's steps, or the window renderer standing in for it.
  HRESULT CreatePictureRenderer(PictureRenderer choice);
  HRESULT ReachDisplayControl(VideoRendererStep* failed);
  HRESULT SetAspectRatio(bool preservePicture);
  // The colour-control effect's steps.
  HRESULT FindColorControl(GUID* classId);
  HRESULT WrapColorControl(const GUID& classId, ColorControlStep* failed);

  // Held by value and declared first, so they outlive every COM object below that might still
  // reference them; the destructor takes them out of the graph before anything goes.
  PixelSaturationFilter pixelSaturation_;
  CrosshairsFilter crosshairs_;
  TimeLapseFilter timeLapse_;

  ComPtr<IGraphBuilder> graph_;
  ComPtr<ICaptureGraphBuilder2> builder_;
  ComPtr<IMediaControl> control_;
  ComPtr<IMediaSeeking> seeking_;       // the graph's own
  ComPtr<IMediaSeeking> frameSeeking_;  // where frame positions go: the file source's, else the graph's
  ComPtr<IBaseFilter> evr_;
  ComPtr<IMFVideoDisplayControl> display_;
  WindowRenderer* windowRenderer_ = nullptr;  // when it stands in for the EVR; evr_ holds its reference
  const VideoOverlay* overlay_ = nullptr;
  HWND videoWindow_ = nullptr;
  ComPtr<IBaseFilter> nullRenderer_;
  ComPtr<IBaseFilter> dmoWrapper_;
  ComPtr<IPropertyStore> colorStore_;
  std::vector<IBaseFilter*> owned_;            // recording sinks and file sources, one reference each
  AviWriterFilter* recordingSink_ = nullptr;   // the last recording sink made, while in owned_
  std::optional<RecordingTotals> lastTotals_;  // of the last sink given back
};

}  // namespace zuna::dshow
