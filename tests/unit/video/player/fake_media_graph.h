#pragma once
// A filter graph in memory: filters with named pins, graph membership with names, the connections
// between pins, the renderer's window and whether the graph runs. A simple operation can be made to
// fail by naming it in `failures` (for example L"AddFilter:Crosshairs" or
// L"ConnectDirect:Crosshairs->EVR"); a compound one by the step that is to fail.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "video/player/media_graph.h"

namespace zuna::test {

class FakeMediaGraph final : public MediaGraph {
 public:
  FakeMediaGraph();

  // --- MediaGraph
  Status CreateGraph(GraphSetupStep* failed) override { return FailAt(graphSetupFailure, failed); }
  Status CreateVideoRenderer(PictureRenderer choice, bool preservePicture, VideoRendererStep* failed) override;
  PictureRenderer PictureRendererMade() const override { return pictureMade_; }
  Status CreateNullRenderer() override { return Set(L"CreateNullRenderer", nullRendererMade_, true); }
  FilterRef Renderer(RendererKind kind) const override;
  Status ShowIn(std::uintptr_t window) override { return Set(L"ShowIn", videoWindow, window); }
  Status SetVideoSize(int width, int height) override {
    return Set(L"SetVideoSize", videoPosition, std::pair{width, height});
  }
  Status Repaint() override { return Result(L"Repaint"); }
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
  Status ConnectDirect(PinRef output, PinRef input) override { return Link(output, input, L"ConnectDirect:"); }
  Status Connect(PinRef output, PinRef input) override { return Link(output, input, L"Connect:"); }
  Status Disconnect(PinRef pin) override;
  Status RenderStream(PinCategory category, FilterRef source, FilterRef intermediate, FilterRef sink) override;
  Status SetStreamFormat(FilterRef source, const MediaTypeInfo& type) override;
  Status CreateRecordingSink(const std::wstring& path, FilterRef* sink) override;
  Status GetRecordingTotals(RecordingTotals& totals) override;
  Status GetMediaControl() override { return Set(L"GetMediaControl", holdsMediaControl, true); }
  Status Run() override;
  Status Pause() override { return Set(L"Pause", runState, RunState::kPaused); }
  Status Stop() override { return Set(L"Stop", runState, RunState::kStopped); }
  Status GetMediaSeeking() override { return Result(L"GetMediaSeeking"); }
  Status SetFrameTimeFormat(FilterRef source) override;
  Status SetCurrentFrame(std::int64_t frame) override;
  Status GetCurrentFrame(std::int64_t* frame) override;

  // --- Building filters for a test.
  struct Pin {
    PinDirection direction;
    std::wstring name;
  };
  FilterRef MakeFilter(const std::wstring& label, const std::vector<Pin>& pins);
  // A capture device's filter: output pins "Capture" and "Preview".
  FilterRef MakeCaptureSource(const std::wstring& label = L"camera");

  // --- What a test reads.
  // Graph names of the filters in the graph, in the order they were added.
  std::vector<std::wstring> GraphNames() const;
  bool InGraph(FilterRef filter) const;
  // Graph names along the stream that leaves `source` at its output pin `pinName`, source excluded.
  std::vector<std::wstring> ChainFrom(FilterRef source, const std::wstring& pinName) const;
  bool AnyConnection() const;

  // --- Settings.
  std::set<std::wstring> failures;
  std::map<std::wstring, Status> results;  // a specific result for a named operation
  std::optional<GraphSetupStep> graphSetupFailure;
  std::optional<VideoRendererStep> videoRendererFailure;  // of the EVR
  bool windowRendererFails = false;
  std::optional<ColorControlStep> colorControlFailure;
  std::optional<ClearStep> clearFailure;
  MediaTypeInfo connectionType;  // the type every connection reports
  MediaTypeInfo offeredType;     // the type every output pin offers first
  bool wrapperHasPins = true;
  std::optional<RecordingTotals> recordingTotals;  // none: no recording yet
  int runFailuresLeft = 0;                         // that many runs fail before they succeed

  // --- State and records.
  enum class RunState { kStopped, kPaused, kRunning };
  RunState runState = RunState::kStopped;
  bool holdsMediaControl = false;
  int starts = 0;  // how often the graph was set running from stopped or paused
  std::map<TransformFilterKind, TransformFilterSetup> prepared;  // the last setup of each filter
  std::map<int, std::int32_t> colorValues;
  std::vector<FilterRef> released;  // file sources and sinks let go by Clear
  std::vector<std::wstring> sinkPaths;
  std::vector<MediaTypeInfo> streamFormats;
  std::uintptr_t videoWindow = 0;
  std::pair<int, int> videoPosition{0, 0};
  std::optional<bool> preservedAspectRatio;  // none until the renderer's aspect was set

  FilterRef evr, windowRenderer, nullRenderer, pixelSaturation, crosshairs, timeLapse;
  // Frame seeking: the source given the frame format (none until then, and after a release), the
  // position it holds, and the frame the stream time starts from (sought while stopped: a seek while
  // paused leaves the stream time running from where it was).
  FilterRef frameSource;
  std::int64_t currentFrame = 0;
  std::int64_t streamStartFrame = 0;

 private:
  struct FakeFilterRecord {
    std::wstring label;
    std::vector<std::uintptr_t> pins;
    bool inGraph = false;
    std::wstring graphName;
  };
  struct FakePinRecord {
    std::uintptr_t filter = 0;
    PinDirection direction = PinDirection::kInput;
    std::wstring name;
    std::uintptr_t peer = 0;
  };

  // The result a test set for a named operation, else kFail when it is named in `failures`.
  Status Result(const std::wstring& name) const;
  // A named operation that leaves `value` in `into` when it succeeds.
  template <typename T, typename V>
  Status Set(const std::wstring& name, T& into, V value) {
    const Status s = Result(name);
    if (Succeeded(s)) into = value;
    return s;
  }
  // A compound operation failing at the step a test set.
  template <typename Step>
  static Status FailAt(const std::optional<Step>& failure, Step* failed) {
    if (!failure) return kOk;
    *failed = *failure;
    return kFail;
  }
  // Makes a filter this graph owns until Clear, and adds it.
  FilterRef MakeOwned(const std::wstring& label, const std::vector<Pin>& pins, std::wstring_view name);
  bool Fails(const std::wstring& name) const { return failures.count(name) != 0; }
  Status Link(PinRef output, PinRef input, const std::wstring& how);
  PinRef PinOf(FilterRef filter, PinDirection direction, const std::wstring& name = {}, bool free = false) const;
  std::wstring PinOwnerName(std::uintptr_t pin) const;

  std::map<std::uintptr_t, FakeFilterRecord> filters_;
  std::map<std::uintptr_t, FakePinRecord> pins_;
  std::uintptr_t nextFilter_ = 1;
  std::uintptr_t nextPin_ = 1000;
  std::vector<std::uintptr_t> inGraph_;  // in the order they were added
  bool evrMade_ = false;                 // the picture renderer, EVR or window renderer
  PictureRenderer pictureMade_ = PictureRenderer::kEnhanced;
  bool nullRendererMade_ = false;
  std::vector<FilterRef> owned_;
};

}  // namespace zuna::test
