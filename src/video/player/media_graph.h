#pragma once
// What the video layer needs of the platform's media framework, said as what the player wants: a
// graph to build in, the two renderers and the window the picture shows in, the colour-control
// effect, the project's own filters, and the pins and connections the player splices filters
// between. The DirectShow implementation lives in win/; tests use a fake that keeps the graph's
// state in memory.
//
// Handles: a FilterRef or PinRef names an object the implementation keeps alive while it is in the
// graph, or until Clear when it came from CreateRecordingSink or AddSourceFilterForFile. The
// renderers, the colour-control filter and the project's transform filters live as long as the
// implementation. A pin lives as long as its filter.
//
// Results follow the COM convention (negative = failure); an operation never posts a message,
// the player does. An operation of several steps names the step that failed, so that the player's
// message can.
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

// The two renderers: the EVR shows the picture in a window; the Null Renderer takes the frames and
// shows nothing (a recording with the display off).
enum class RendererKind { kEvr, kNull };

// What shows the picture in the kEvr place: the platform's Enhanced Video Renderer, or the
// project's own window renderer, which draws with GDI and so shows the stream wherever the EVR
// cannot.
enum class PictureRenderer { kEnhanced, kWindow };

// The project's transform filters, held by the implementation for the player's whole life.
enum class TransformFilterKind { kPixelSaturation, kCrosshairs, kTimeLapse };

// What the player tells a transform filter each time it inserts it into a graph.
struct TransformFilterSetup {
  MediaGuid subtype;                 // the stream's subtype (display filters)
  bool invertRows = false;           // orientation flag, cleared on every insertion
  bool hasDownstreamFilter = false;  // pixel saturation: another display filter follows it
  bool recompute = true;             // latch the geometry again at the next sample
  bool intervalMode = false;         // time lapse: the count is seconds between kept frames, not frames
};

// The steps that can fail in the compound operations; the steps after a failed one are not tried.
enum class GraphSetupStep { kGraph, kBuilder, kBinding };
enum class VideoRendererStep { kCreate, kService, kDisplayControl, kAspectRatio };
enum class ColorControlStep { kNotInstalled, kCreate, kMissingInterface, kInitialize, kPropertyStore };
enum class ClearStep { kNoEnumerator, kEnumerate, kRemove };

// The colour-control effect's two properties.
inline constexpr int kColorControlBrightness = 1;
inline constexpr int kColorControlContrast = 2;

class MediaGraph {
 public:
  virtual ~MediaGraph() = default;

  // --- Construction: the filter graph with the capture graph builder bound to it.
  virtual Status CreateGraph(GraphSetupStep* failed) = 0;

  // --- Renderers. The picture renderer that `choice` names, with its display control, set to keep
  // the picture's aspect or not; a failed aspect-ratio step leaves a working renderer. Made again,
  // it replaces the one before, which the caller has taken out of the graph. Renderer() is none
  // until made.
  virtual Status CreateVideoRenderer(PictureRenderer choice, bool preservePicture, VideoRendererStep* failed) = 0;
  // The picture renderer made last: the window renderer wherever the platform's EVR is known not to
  // show these streams, whatever was asked.
  virtual PictureRenderer PictureRendererMade() const = 0;
  virtual Status CreateNullRenderer() = 0;
  virtual FilterRef Renderer(RendererKind kind) const = 0;
  // The EVR's picture: the window it draws in, the size it draws the whole picture at (from the
  // window's top left corner), and the last frame drawn again.
  virtual Status ShowIn(std::uintptr_t window) = 0;
  virtual Status SetVideoSize(int width, int height) = 0;
  virtual Status Repaint() = 0;

  // --- The project's transform filters.
  // kNoInterface when the filter offers no base-filter interface.
  virtual Status GetTransformFilter(TransformFilterKind kind, FilterRef* filter) = 0;
  virtual void PrepareTransformFilter(TransformFilterKind kind, const TransformFilterSetup& setup) = 0;

  // --- Colour-control effect: the platform's "Color Control" video effect as a filter, and its values.
  virtual Status EnableColorControl(FilterRef* filter, ColorControlStep* failed) = 0;
  // Reads the property, replaces its integer and writes it back.
  virtual Status SetColorControlValue(int propertyId, std::int32_t value) = 0;

  // --- Filter graph.
  virtual Status AddFilter(FilterRef filter, std::wstring_view name) = 0;
  virtual Status RemoveFilter(FilterRef filter) = 0;
  // Takes every filter but `keep` out of the graph; then lets go of the media control and of the
  // file source's seeking, and releases the file sources and recording sinks made here.
  virtual Status Clear(FilterRef keep, ClearStep* failed) = 0;
  virtual Status FindFilterByName(std::wstring_view name, FilterRef* filter) = 0;
  virtual Status AddSourceFilterForFile(const std::wstring& path, std::wstring_view name, FilterRef* source) = 0;

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

  // --- Media control: taken once the preview is rendered, let go by Clear.
  virtual Status GetMediaControl() = 0;
  virtual Status Run() = 0;
  virtual Status Pause() = 0;
  virtual Status Stop() = 0;

  // --- Media seeking. The graph's own interface is taken once; frame positions go to the file
  // source's own seeking, because a graph need not forward the frame time format to its source.
  virtual Status GetMediaSeeking() = 0;
  // kNoInterface when neither the source nor the graph seeks in frames.
  virtual Status SetFrameTimeFormat(FilterRef source) = 0;
  // Absolute current position in frames, no stop position.
  virtual Status SetCurrentFrame(std::int64_t frame) = 0;
  virtual Status GetCurrentFrame(std::int64_t* frame) = 0;
};

}  // namespace zuna
