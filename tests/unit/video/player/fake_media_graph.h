#pragma once
// A filter graph in memory: filters with named pins, graph membership with names, and the
// connections between pins. Any operation can be made to fail by naming it in `failures`
// (for example L"AddFilter:Crosshairs" or L"ConnectDirect:Crosshairs->EVR").
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
  Status CreateFilterGraph() override { return Call(L"CreateFilterGraph"); }
  Status CreateCaptureGraphBuilder() override { return Call(L"CreateCaptureGraphBuilder"); }
  Status BindCaptureGraphBuilder() override { return Call(L"BindCaptureGraphBuilder"); }
  Status CreateEvr(FilterRef* evr) override;
  Status GetEvrService() override { return Call(L"GetEvrService"); }
  Status GetEvrDisplayControl() override { return Call(L"GetEvrDisplayControl"); }
  Status SetEvrAspectRatio(bool preservePicture) override;
  Status SetEvrVideoWindow(std::uintptr_t window) override;
  Status SetEvrVideoPosition(int width, int height) override;
  Status RepaintEvr() override { return Call(L"RepaintEvr"); }
  Status CreateNullRenderer(FilterRef* nullRenderer) override;
  Status GetTransformFilter(TransformFilterKind kind, FilterRef* filter) override;
  void PrepareTransformFilter(TransformFilterKind kind, const TransformFilterSetup& setup) override;
  Status EnumerateVideoEffects(std::vector<VideoEffectInfo>* effects) override;
  Status CreateDmoWrapper(FilterRef* wrapper) override;
  Status InitializeDmoWrapper(FilterRef wrapper, const MediaGuid& dmoClassId) override;
  Status OpenColorControlStore(FilterRef wrapper) override;
  Status SetColorControlValue(int propertyId, std::int32_t value) override;
  Status AddFilter(FilterRef filter, std::wstring_view name) override;
  Status RemoveFilter(FilterRef filter) override;
  Status EnumerateFilters(std::vector<FilterRef>* filters) override;
  Status FindFilterByName(std::wstring_view name, FilterRef* filter) override;
  Status AddSourceFilterForFile(const std::wstring& path, std::wstring_view name, FilterRef* source) override;
  void ReleaseFilter(FilterRef filter) override { released.push_back(filter); }
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
  Status GetMediaControl() override { return Call(L"GetMediaControl"); }
  void ReleaseMediaControl() override { calls.emplace_back(L"ReleaseMediaControl"); }
  Status Run() override { return Call(L"Run"); }
  Status Pause() override { return Call(L"Pause"); }
  Status Stop() override { return Call(L"Stop"); }
  Status GetMediaSeeking() override { return Call(L"GetMediaSeeking"); }
  Status SetFrameTimeFormat(FilterRef source) override;
  void ReleaseFrameSeeking() override;
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
  std::wstring NameOf(FilterRef filter) const;
  bool AnyConnection() const;

  // --- Settings.
  std::set<std::wstring> failures;
  std::map<std::wstring, Status> results;  // a specific result for a named operation
  MediaTypeInfo connectionType;            // the type every connection reports
  MediaTypeInfo offeredType;               // the type every output pin offers first
  std::vector<VideoEffectInfo> effects;
  bool wrapperHasPins = true;
  std::optional<RecordingTotals> recordingTotals;  // none: no recording yet

  // --- Records.
  std::vector<std::wstring> calls;
  std::map<TransformFilterKind, TransformFilterSetup> prepared;
  std::map<TransformFilterKind, int> preparedCount;
  std::map<int, std::int32_t> colorValues;
  std::vector<FilterRef> released;
  std::vector<std::wstring> sinkPaths;
  std::vector<MediaTypeInfo> streamFormats;
  std::uintptr_t videoWindow = 0;
  std::pair<int, int> videoPosition{0, 0};
  int aspectRatioCalls = 0;
  bool preservedAspectRatio = false;

  FilterRef evr, nullRenderer, pixelSaturation, crosshairs, timeLapse, wrapper;
  // Frame seeking: the source given the frame format (none until then, and after a release), and
  // the position it holds.
  FilterRef frameSource;
  std::int64_t currentFrame = 0;
  std::vector<std::int64_t> frameSeeks;

 private:
  struct FakeFilterRecord {
    std::wstring label;
    std::vector<std::uintptr_t> pins;
    bool inGraph = false;
    std::wstring graphName;
    std::uint64_t addedOrder = 0;
  };
  struct FakePinRecord {
    std::uintptr_t filter = 0;
    PinDirection direction = PinDirection::kInput;
    std::wstring name;
    std::uintptr_t peer = 0;
  };

  Status Call(const std::wstring& name);
  bool Fails(const std::wstring& name) const { return failures.count(name) != 0; }
  Status Link(PinRef output, PinRef input, const std::wstring& how);
  PinRef PinOf(FilterRef filter, PinDirection direction, const std::wstring& name = {}, bool free = false) const;
  std::wstring PinOwnerName(std::uintptr_t pin) const;

  std::map<std::uintptr_t, FakeFilterRecord> filters_;
  std::map<std::uintptr_t, FakePinRecord> pins_;
  std::uintptr_t nextFilter_ = 1;
  std::uintptr_t nextPin_ = 1000;
  std::uint64_t addCounter_ = 0;
};

}  // namespace zuna::test
