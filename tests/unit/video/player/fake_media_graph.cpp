#include "video/player/fake_media_graph.h"

#include <algorithm>
#include <array>

namespace zuna::test {
namespace {

const wchar_t* CategoryName(PinCategory category) {
  return category == PinCategory::kPreview ? L"Preview" : category == PinCategory::kCapture ? L"Capture" : L"None";
}

}  // namespace

FakeMediaGraph::FakeMediaGraph() {
  const std::vector<Pin> transformPins{{PinDirection::kInput, L"XForm In"}, {PinDirection::kOutput, L"XForm Out"}};
  evr = MakeFilter(L"evr", {{PinDirection::kInput, L"EVR Input0"}});
  windowRenderer = MakeFilter(L"window renderer", {{PinDirection::kInput, L"Input"}});
  nullRenderer = MakeFilter(L"null renderer", {{PinDirection::kInput, L"In"}});
  pixelSaturation = MakeFilter(L"pixel saturation", transformPins);
  crosshairs = MakeFilter(L"crosshairs", transformPins);
  timeLapse = MakeFilter(L"time lapse", transformPins);
  connectionType.majorType = kMajorTypeVideo;
  connectionType.subtype = kSubtypeYuy2;
  connectionType.format = FormatKind::kVideoInfo;
  connectionType.width = 720;
  connectionType.height = 480;
  connectionType.averageTimePerFrame = 333667;
}

Status FakeMediaGraph::Result(const std::wstring& name) const {
  if (auto found = results.find(name); found != results.end()) return found->second;
  return Fails(name) ? kFail : kOk;
}

Status FakeMediaGraph::Run() {
  const RunState before = runState;
  if (runFailuresLeft > 0) {
    --runFailuresLeft;
    return kFail;
  }
  const Status s = Set(L"Run", runState, RunState::kRunning);
  if (Succeeded(s) && before != RunState::kRunning) ++starts;
  return s;
}

FilterRef FakeMediaGraph::MakeFilter(const std::wstring& label, const std::vector<Pin>& pins) {
  const std::uintptr_t id = nextFilter_++;
  FakeFilterRecord& record = filters_[id];
  record.label = label;
  for (const Pin& pin : pins) {
    const std::uintptr_t pinId = nextPin_++;
    pins_[pinId] = {id, pin.direction, pin.name, 0};
    record.pins.push_back(pinId);
  }
  return FilterRef{id};
}

FilterRef FakeMediaGraph::MakeCaptureSource(const std::wstring& label) {
  return MakeFilter(label, {{PinDirection::kOutput, L"Capture"}, {PinDirection::kOutput, L"Preview"}});
}

Status FakeMediaGraph::CreateVideoRenderer(PictureRenderer choice, bool preservePicture, VideoRendererStep* failed) {
  if (choice == PictureRenderer::kWindow) {  // a window renderer not made leaves the renderer before
    if (windowRendererFails) return FailAt(std::optional(VideoRendererStep::kCreate), failed);
    pictureMade_ = choice;
    evrMade_ = true;
    preservedAspectRatio = preservePicture;
    return kOk;
  }
  pictureMade_ = choice;
  evrMade_ = videoRendererFailure != VideoRendererStep::kCreate;
  if (!videoRendererFailure) preservedAspectRatio = preservePicture;
  return FailAt(videoRendererFailure, failed);
}

FilterRef FakeMediaGraph::Renderer(RendererKind kind) const {
  if (kind == RendererKind::kEvr) {
    if (!evrMade_) return {};
    return pictureMade_ == PictureRenderer::kWindow ? windowRenderer : evr;
  }
  return nullRendererMade_ ? nullRenderer : FilterRef{};
}

Status FakeMediaGraph::GetTransformFilter(TransformFilterKind kind, FilterRef* filter) {
  static const wchar_t* const kNames[] = {L"GetTransformFilter:PixelSaturation", L"GetTransformFilter:Crosshairs",
                                          L"GetTransformFilter:TimeLapse"};
  return Set(kNames[static_cast<int>(kind)], *filter,
             std::array{pixelSaturation, crosshairs, timeLapse}[static_cast<int>(kind)]);
}

void FakeMediaGraph::PrepareTransformFilter(TransformFilterKind kind, const TransformFilterSetup& setup) {
  prepared[kind] = setup;
}

Status FakeMediaGraph::EnableColorControl(FilterRef* filter, ColorControlStep* failed) {
  if (Failed(FailAt(colorControlFailure, failed))) return kFail;
  *filter = wrapperHasPins ? MakeFilter(L"wrapper", {{PinDirection::kInput, L"in0"}, {PinDirection::kOutput, L"out0"}})
                           : MakeFilter(L"wrapper", {});
  return kOk;
}

Status FakeMediaGraph::SetColorControlValue(int propertyId, std::int32_t value) {
  const Status s = Result(L"SetColorControlValue:" + std::to_wstring(propertyId));
  if (Succeeded(s)) colorValues[propertyId] = value;
  return s;
}

Status FakeMediaGraph::AddFilter(FilterRef filter, std::wstring_view name) {
  if (const Status s = Result(L"AddFilter:" + std::wstring(name)); Failed(s)) return s;
  auto found = filters_.find(filter.id);
  if (found == filters_.end() || found->second.inGraph) return kInvalidArg;
  for (const auto& [id, record] : filters_) {
    if (record.inGraph && record.graphName == name) return kFail;  // the framework refuses a duplicate name
  }
  found->second.inGraph = true;
  found->second.graphName = std::wstring(name);
  inGraph_.push_back(filter.id);
  return kOk;
}

Status FakeMediaGraph::RemoveFilter(FilterRef filter) {
  auto found = filters_.find(filter.id);
  if (found == filters_.end() || !found->second.inGraph) return kInvalidArg;
  if (const Status s = Result(L"RemoveFilter:" + found->second.graphName); Failed(s)) return s;
  for (std::uintptr_t pin : found->second.pins) {  // removing a filter breaks its connections
    if (const std::uintptr_t peer = pins_[pin].peer; peer != 0 && pins_[peer].peer == pin) pins_[peer].peer = 0;
    pins_[pin].peer = 0;
  }
  found->second.inGraph = false;
  found->second.graphName.clear();
  std::erase(inGraph_, filter.id);
  return kOk;
}

Status FakeMediaGraph::Clear(FilterRef keep, ClearStep* failed) {
  if (Failed(FailAt(clearFailure, failed))) return kFail;
  for (std::uintptr_t id : std::vector(inGraph_)) {
    if (id != keep.id && Failed(RemoveFilter(FilterRef{id}))) {
      *failed = ClearStep::kRemove;
      return kFail;
    }
  }
  holdsMediaControl = false;
  frameSource = {};
  released.insert(released.end(), owned_.begin(), owned_.end());
  owned_.clear();
  return kOk;
}

FilterRef FakeMediaGraph::MakeOwned(const std::wstring& label, const std::vector<Pin>& pins, std::wstring_view name) {
  const FilterRef filter = MakeFilter(label, pins);
  AddFilter(filter, name);
  owned_.push_back(filter);
  return filter;
}

Status FakeMediaGraph::FindFilterByName(std::wstring_view name, FilterRef* filter) {
  for (const auto& [id, record] : filters_) {
    if (record.inGraph && record.graphName == name) {
      *filter = FilterRef{id};
      return kOk;
    }
  }
  return kFail;
}

Status FakeMediaGraph::AddSourceFilterForFile(const std::wstring& path, std::wstring_view name, FilterRef* source) {
  if (const Status s = Result(L"AddSourceFilterForFile"); Failed(s)) return s;
  *source = MakeOwned(L"file " + path, {{PinDirection::kOutput, L"Output"}}, name);
  return kOk;
}

Status FakeMediaGraph::SetFrameTimeFormat(FilterRef source) {
  if (const Status s = Result(L"SetFrameTimeFormat"); Failed(s)) return s;
  frameSource = source;
  currentFrame = streamStartFrame = 0;
  return kOk;
}

Status FakeMediaGraph::SetCurrentFrame(std::int64_t frame) {
  if (const Status s = Result(L"SetCurrentFrame"); Failed(s)) return s;
  if (!frameSource) return kFail;
  currentFrame = frame;
  if (runState == RunState::kStopped) streamStartFrame = frame;
  return kOk;
}

Status FakeMediaGraph::GetCurrentFrame(std::int64_t* frame) {
  if (const Status s = Result(L"GetCurrentFrame"); Failed(s)) return s;
  if (!frameSource) return kFail;
  *frame = currentFrame;
  return kOk;
}

Status FakeMediaGraph::EnumeratePins(FilterRef filter, std::vector<PinInfo>* list) {
  auto found = filters_.find(filter.id);
  if (found == filters_.end() || Fails(L"EnumeratePins:" + found->second.label)) return kFail;
  list->clear();
  for (std::uintptr_t pin : found->second.pins) {
    list->push_back({PinRef{pin}, pins_[pin].direction, pins_[pin].name});
  }
  return kOk;
}

Status FakeMediaGraph::ConnectedTo(PinRef pin, PinRef* peer) {
  auto found = pins_.find(pin.id);
  if (found == pins_.end() || found->second.peer == 0) return kFail;
  *peer = PinRef{found->second.peer};
  return kOk;
}

Status FakeMediaGraph::ConnectionMediaType(PinRef pin, MediaTypeInfo* type) {
  auto found = pins_.find(pin.id);
  if (found == pins_.end() || found->second.peer == 0) return kFail;
  if (Fails(L"ConnectionMediaType:" + PinOwnerName(pin.id))) return kFail;
  *type = connectionType;
  return kOk;
}

Status FakeMediaGraph::OfferedMediaType(PinRef pin, MediaTypeInfo* type) {
  if (pins_.find(pin.id) == pins_.end()) return kFail;
  *type = offeredType;
  return kOk;
}

Status FakeMediaGraph::Link(PinRef output, PinRef input, const std::wstring& how) {
  auto out = pins_.find(output.id);
  auto in = pins_.find(input.id);
  if (out == pins_.end() || in == pins_.end()) return kInvalidArg;
  if (const Status s = Result(how + PinOwnerName(output.id) + L"->" + PinOwnerName(input.id)); Failed(s)) return s;
  if (out->second.direction != PinDirection::kOutput || in->second.direction != PinDirection::kInput) return kFail;
  if (out->second.peer != 0 || in->second.peer != 0) return kFail;  // already connected
  if (!filters_[out->second.filter].inGraph || !filters_[in->second.filter].inGraph) return kFail;
  out->second.peer = input.id;
  in->second.peer = output.id;
  return kOk;
}

Status FakeMediaGraph::Disconnect(PinRef pin) {
  auto found = pins_.find(pin.id);
  if (found == pins_.end()) return kInvalidArg;
  if (const Status s = Result(L"Disconnect:" + PinOwnerName(pin.id)); Failed(s)) return s;
  found->second.peer = 0;  // one side only, as the framework does
  return kOk;
}

Status FakeMediaGraph::RenderStream(PinCategory category, FilterRef source, FilterRef intermediate, FilterRef sink) {
  if (const Status s = Result(std::wstring(L"RenderStream:") + CategoryName(category)); Failed(s)) return s;
  PinRef from = category == PinCategory::kNone ? PinOf(source, PinDirection::kOutput, {}, true)
                                               : PinOf(source, PinDirection::kOutput, CategoryName(category));
  if (!from) return kFail;
  if (category == PinCategory::kCapture && intermediate) {
    // The capture graph builder splits the stream with a tee in front of a compressor.
    const FilterRef tee = MakeFilter(
        L"smart tee",
        {{PinDirection::kInput, L"Input"}, {PinDirection::kOutput, L"Capture"}, {PinDirection::kOutput, L"Preview"}});
    if (Failed(AddFilter(tee, L"Smart Tee"))) return kFail;
    if (Failed(Link(from, PinOf(tee, PinDirection::kInput), L"Render:"))) return kFail;
    from = PinOf(tee, PinDirection::kOutput, L"Capture");
  }
  if (intermediate) {
    if (Failed(Link(from, PinOf(intermediate, PinDirection::kInput), L"Render:"))) return kFail;
    from = PinOf(intermediate, PinDirection::kOutput);
  }
  return Link(from, PinOf(sink, PinDirection::kInput), L"Render:");
}

Status FakeMediaGraph::SetStreamFormat(FilterRef, const MediaTypeInfo& type) {
  const Status s = Result(L"SetStreamFormat");
  if (Succeeded(s)) streamFormats.push_back(type);
  return s;
}

Status FakeMediaGraph::GetRecordingTotals(RecordingTotals& totals) {
  if (const Status s = Result(L"GetRecordingTotals"); Failed(s)) return s;
  if (!recordingTotals) return kFail;
  totals = *recordingTotals;
  return kOk;
}

Status FakeMediaGraph::CreateRecordingSink(const std::wstring& path, FilterRef* sink) {
  if (const Status s = Result(L"CreateRecordingSink"); Failed(s)) return s;
  *sink = MakeOwned(L"avi writer", {{PinDirection::kInput, L"Input 01"}}, L"AVI Writer");
  sinkPaths.push_back(path);
  return kOk;
}

PinRef FakeMediaGraph::PinOf(FilterRef filter, PinDirection direction, const std::wstring& name, bool free) const {
  auto found = filters_.find(filter.id);
  if (found == filters_.end()) return {};
  for (std::uintptr_t pin : found->second.pins) {
    const FakePinRecord& record = pins_.at(pin);
    if (record.direction != direction) continue;
    if (!name.empty() && record.name != name) continue;
    if (free && record.peer != 0) continue;
    return PinRef{pin};
  }
  return {};
}

std::wstring FakeMediaGraph::PinOwnerName(std::uintptr_t pin) const {
  const FakeFilterRecord& owner = filters_.at(pins_.at(pin).filter);
  return owner.inGraph ? owner.graphName : owner.label;
}

std::vector<std::wstring> FakeMediaGraph::GraphNames() const {
  std::vector<std::wstring> names;
  for (std::uintptr_t id : inGraph_) names.push_back(filters_.at(id).graphName);
  return names;
}

bool FakeMediaGraph::InGraph(FilterRef filter) const {
  auto found = filters_.find(filter.id);
  return found != filters_.end() && found->second.inGraph;
}

std::vector<std::wstring> FakeMediaGraph::ChainFrom(FilterRef source, const std::wstring& pinName) const {
  std::vector<std::wstring> chain;
  PinRef pin = PinOf(source, PinDirection::kOutput, pinName);
  for (int guard = 0; pin && guard < 32; ++guard) {
    const std::uintptr_t peer = pins_.at(pin.id).peer;
    if (peer == 0 || pins_.at(peer).peer != pin.id) break;  // only whole connections count
    const std::uintptr_t owner = pins_.at(peer).filter;
    chain.push_back(filters_.at(owner).graphName);
    pin = {};
    for (std::uintptr_t candidate : filters_.at(owner).pins) {
      if (pins_.at(candidate).direction == PinDirection::kOutput && pins_.at(candidate).peer != 0) {
        pin = PinRef{candidate};
        break;
      }
    }
  }
  return chain;
}

bool FakeMediaGraph::AnyConnection() const {
  return std::any_of(pins_.begin(), pins_.end(), [](const auto& entry) { return entry.second.peer != 0; });
}

}  // namespace zuna::test
