#pragma once
// What the video layer needs of the platform's media framework: the filter graph with its capture
// graph builder, the two renderers, the colour-control effect and the project's own filters. The
// DirectShow implementation lives in win/; tests use a recording fake.
//
// Handles: a FilterRef or PinRef names an object the implementation keeps alive while it is in the
// graph, or until the player gives it back with ReleaseFilter when it came from CreateRecordingSink
// or AddSourceFilterForFile. The renderers, the colour-control wrapper and the project's transform
// filters live as long as the implementation. A pin lives as long as its filter.
//
// Results follow the COM convention (negative = failure); an operation never posts a message,
// the player does.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/foundation/status.h"
#include "video/player/media_graph_types.h"

namespace zuna {

// The framework's "no such interface" result; the player tells a missing interface from a failing one.
inline constexpr Status kNoInterface = static_cast<Status>(0x80004002u);

// The pin category a stream is rendered from.
enum class PinCategory { kNone, kPreview, kCapture };

// The project's transform filters, held by the implementation for the player's whole life.
enum class TransformFilterKind { kPixelSaturation, kCrosshairs, kTimeLapse };

// What the player tells a transform filter each time it inserts it into a graph.
struct TransformFilterSetup {
  MediaGuid subtype;                 // the stream's subtype (display filters)
  bool invertRows = false;           // orientation flag, cleared on every insertion
  bool hasDownstreamFilter = false;  // pixel saturation: another display filter follows it
  bool recompute = true;             // latch the geometry again at the next sample
};

struct VideoEffectInfo {
  std::wstring name;
  MediaGuid classId;
};

// The colour-control effect's two properties.
inline constexpr int kColorControlBrightness = 1;
inline constexpr int kColorControlContrast = 2;

class MediaGraph {
 public:
  virtual ~MediaGraph() = default;

  // --- Construction: the graph and the capture graph builder bound to it.
  virtual Status CreateFilterGraph() = 0;
  virtual Status CreateCaptureGraphBuilder() = 0;
  virtual Status BindCaptureGraphBuilder() = 0;

  // --- Renderers. The EVR's display control is reached through its service accessor.
  virtual Status CreateEvr(FilterRef* evr) = 0;
  virtual Status GetEvrService() = 0;
  virtual Status GetEvrDisplayControl() = 0;
  virtual Status SetEvrAspectRatio(bool preservePicture) = 0;
  virtual Status SetEvrVideoWindow(std::uintptr_t window) = 0;
  // Source rectangle the whole picture, destination (0, 0, width, height).
  virtual Status SetEvrVideoPosition(int width, int height) = 0;
  virtual Status RepaintEvr() = 0;
  virtual Status CreateNullRenderer(FilterRef* nullRenderer) = 0;

  // --- The project's transform filters.
  // kNoInterface when the filter offers no base-filter interface.
  virtual Status GetTransformFilter(TransformFilterKind kind, FilterRef* filter) = 0;
  virtual void PrepareTransformFilter(TransformFilterKind kind, const TransformFilterSetup& setup) = 0;

  // --- Colour-control effect (a DMO inside the DMO wrapper filter).
  virtual Status EnumerateVideoEffects(std::vector<VideoEffectInfo>* effects) = 0;
  virtual Status CreateDmoWrapper(FilterRef* wrapper) = 0;
  // kNoInterface when the wrapper interface is missing; another failure when initialising fails.
  virtual Status InitializeDmoWrapper(FilterRef wrapper, const MediaGuid& dmoClassId) = 0;
  virtual Status OpenColorControlStore(FilterRef wrapper) = 0;
  // Reads the property, replaces its integer and writes it back.
  virtual Status SetColorControlValue(int propertyId, std::int32_t value) = 0;

  // --- Filter graph.
  virtual Status AddFilter(FilterRef filter, std::wstring_view name) = 0;
  virtual Status RemoveFilter(FilterRef filter) = 0;
  // kPointer when the framework gave no enumerator.
  virtual Status EnumerateFilters(std::vector<FilterRef>* filters) = 0;
  virtual Status FindFilterByName(std::wstring_view name, FilterRef* filter) = 0;
  virtual Status AddSourceFilterForFile(const std::wstring& path, std::wstring_view name, FilterRef* source) = 0;
  virtual void ReleaseFilter(FilterRef filter) = 0;

  // --- Pins.
  virtual Status EnumeratePins(FilterRef filter, std::vector<PinInfo>* pins) = 0;
  // A pin that is not connected gives a failure and no peer.
  virtual Status ConnectedTo(PinRef pin, PinRef* peer) = 0;
  virtual Status ConnectionMediaType(PinRef pin, MediaTypeInfo* type) = 0;
  // The first type an output pin offers: for a file source, the stream as the file holds it.
  virtual Status OfferedMediaType(PinRef pin, MediaTypeInfo* type) = 0;
  virtual Status ConnectDirect(PinRef output, PinRef input) = 0;
  // Intelligent connect: the framework may add converters between the two.
  virtual Status Connect(PinRef output, PinRef input) = 0;
  virtual Status Disconnect(PinRef pin) = 0;

  // --- Capture graph builder.
  // Renders the source's pin of that category (any output for kNone) through the optional
  // intermediate filter to the sink.
  virtual Status RenderStream(PinCategory category, FilterRef source, FilterRef intermediate, FilterRef sink) = 0;
  // Sets the format of the source's video capture pin: kNoInterface when the stream configuration
  // interface is missing, kPointer when it came back null, another failure when setting fails.
  virtual Status SetStreamFormat(FilterRef source, const MediaTypeInfo& type) = 0;
  // Creates the project's AVI writer filter writing the file at `path` and adds it to the graph.
  virtual Status CreateRecordingSink(const std::wstring& path, FilterRef* sink) = 0;
  // The totals of the current recording, or of the last one once it stopped; kFail when there was none.
  virtual Status GetRecordingTotals(RecordingTotals& totals) = 0;

  // --- Media control.
  virtual Status GetMediaControl() = 0;
  virtual void ReleaseMediaControl() = 0;
  virtual Status Run() = 0;
  virtual Status Pause() = 0;
  virtual Status Stop() = 0;

  // --- Media seeking. The graph's own interface is taken once; frame positions go to the file
  // source's own seeking, because a graph need not forward the frame time format to its source.
  virtual Status GetMediaSeeking() = 0;
  // kNoInterface when neither the source nor the graph seeks in frames.
  virtual Status SetFrameTimeFormat(FilterRef source) = 0;
  // The source leaves the graph: frame positions have nowhere to go until the next source.
  virtual void ReleaseFrameSeeking() = 0;
  // Absolute current position in frames, no stop position.
  virtual Status SetCurrentFrame(std::int64_t frame) = 0;
  virtual Status GetCurrentFrame(std::int64_t* frame) = 0;
};

}  // namespace zuna
