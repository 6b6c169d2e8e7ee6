#include "video/player/win/dshow_media_graph.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "video/avi_reader/win/avi_source_filter.h"
#include "video/avi_writer/win/avi_writer_filter.h"
#include "video/dshow/dshow_guids.h"
#include "video/dshow/media_type.h"
#include "video/dshow/media_type_info.h"

namespace zuna::dshow {

HRESULT ListPins(IBaseFilter* filter, std::vector<PinInfo>* pins) {
  if (filter == nullptr || pins == nullptr) return E_POINTER;
  pins->clear();
  ComPtr<IEnumPins> enumerator;
  HRESULT hr = filter->EnumPins(enumerator.Put());
  if (FAILED(hr)) return hr;
  if (!enumerator) return E_POINTER;
  for (;;) {
    ComPtr<IPin> pin;
    ULONG fetched = 0;
    hr = enumerator->Next(1, pin.Put(), &fetched);
    if (hr != S_OK || fetched != 1) break;
    PinInfo entry;
    if (pin) {
      PIN_INFO info{};
      if (SUCCEEDED(pin->QueryPinInfo(&info))) {
        if (info.pFilter != nullptr) info.pFilter->Release();
        info.achName[MAX_PIN_NAME - 1] = L'\0';  // the name comes from the filter: bound it
        entry.name = info.achName;
        entry.direction = info.dir == PINDIR_OUTPUT ? PinDirection::kOutput : PinDirection::kInput;
        entry.pin = ToPinRef(pin.Get());
      }
    }
    pins->push_back(std::move(entry));
  }
  return FAILED(hr) ? hr : S_OK;
}

DirectShowMediaGraph::DirectShowMediaGraph(CommonState& state)
    : pixelSaturation_(state), crosshairs_(state), timeLapse_(state) {}

DirectShowMediaGraph::~DirectShowMediaGraph() {
  EmptyGraph();
  ReleaseOwnedFilters();
}

// Stops the graph and takes every filter out, so that no COM object keeps a reference to the
// filters held by value once this object goes.
void DirectShowMediaGraph::EmptyGraph() {
  if (!graph_) return;
  Stop();
  frameSeeking_.Reset();
  control_.Reset();
  std::vector<FilterRef> filters;
  if (SUCCEEDED(EnumerateFilters(&filters))) {
    for (FilterRef filter : filters) graph_->RemoveFilter(ToFilter(filter));
  }
}

Status DirectShowMediaGraph::CreateGraph(GraphSetupStep* failed) {
  if (failed == nullptr) return E_POINTER;
  *failed = GraphSetupStep::kGraph;
  HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph_.PutVoid());
  if (FAILED(hr)) return hr;
  *failed = GraphSetupStep::kBuilder;
  hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                        builder_.PutVoid());
  if (FAILED(hr)) return hr;
  *failed = GraphSetupStep::kBinding;
  if (!graph_ || !builder_) return E_POINTER;
  return builder_->SetFiltergraph(graph_.Get());
}

// --- Transform filters

FrameFilter* DirectShowMediaGraph::TransformFilter(TransformFilterKind kind) {
  switch (kind) {
    case TransformFilterKind::kPixelSaturation:
      return &pixelSaturation_;
    case TransformFilterKind::kCrosshairs:
      return &crosshairs_;
    case TransformFilterKind::kTimeLapse:
      return &timeLapse_;
  }
  return nullptr;
}

Status DirectShowMediaGraph::GetTransformFilter(TransformFilterKind kind, FilterRef* filter) {
  if (filter == nullptr) return E_POINTER;
  FrameFilter* frameFilter = TransformFilter(kind);
  *filter = frameFilter != nullptr ? ToFilterRef(static_cast<IBaseFilter*>(frameFilter)) : FilterRef{};
  return frameFilter != nullptr ? S_OK : E_NOINTERFACE;
}

void DirectShowMediaGraph::PrepareTransformFilter(TransformFilterKind kind, const TransformFilterSetup& setup) {
  FrameFilter* filter = TransformFilter(kind);
  if (filter == nullptr) return;
  filter->SetSubtype(ToGuid(setup.subtype));
  filter->SetInvertRows(setup.invertRows);
  if (setup.recompute) filter->RecomputeGeometry();
  if (kind == TransformFilterKind::kPixelSaturation) pixelSaturation_.SetHasDownstreamFilter(setup.hasDownstreamFilter);
  if (kind == TransformFilterKind::kTimeLapse) timeLapse_.SetIntervalMode(setup.intervalMode);
}

// --- Filter graph

Status DirectShowMediaGraph::AddFilter(FilterRef filter, std::wstring_view name) {
  if (!graph_ || !filter) return E_POINTER;
  const std::wstring text(name);
  return graph_->AddFilter(ToFilter(filter), text.c_str());
}

Status DirectShowMediaGraph::RemoveFilter(FilterRef filter) {
  if (!graph_ || !filter) return E_POINTER;
  return graph_->RemoveFilter(ToFilter(filter));
}

Status DirectShowMediaGraph::EnumerateFilters(std::vector<FilterRef>* filters) {
  if (!graph_ || filters == nullptr) return E_POINTER;
  filters->clear();
  ComPtr<IEnumFilters> enumerator;
  HRESULT hr = graph_->EnumFilters(enumerator.Put());
  if (FAILED(hr)) return hr;
  if (!enumerator) return E_POINTER;
  for (;;) {
    ComPtr<IBaseFilter> filter;
    ULONG fetched = 0;
    hr = enumerator->Next(1, filter.Put(), &fetched);
    if (hr == VFW_E_ENUM_OUT_OF_SYNC) {
      // The graph changed while listing: start again from a fresh state.
      enumerator->Reset();
      filters->clear();
      continue;
    }
    if (hr != S_OK || fetched != 1) break;
    // The graph holds each filter as long as it is in it.
    if (filter) filters->push_back(ToFilterRef(filter.Get()));
  }
  return FAILED(hr) ? hr : S_OK;
}

Status DirectShowMediaGraph::Clear(FilterRef keep, ClearStep* failed) {
  if (failed == nullptr) return E_POINTER;
  *failed = ClearStep::kEnumerate;
  std::vector<FilterRef> filters;
  const HRESULT hr = EnumerateFilters(&filters);
  if (hr == E_POINTER) *failed = ClearStep::kNoEnumerator;
  if (FAILED(hr)) return hr;
  *failed = ClearStep::kRemove;
  for (FilterRef filter : filters) {
    if (filter == keep) continue;
    const HRESULT removed = RemoveFilter(filter);
    if (FAILED(removed)) return removed;
  }
  // The file source leaves: frame positions have nowhere to go until the next one.
  frameSeeking_.Reset();
  control_.Reset();
  ReleaseOwnedFilters();
  return S_OK;
}

Status DirectShowMediaGraph::FindFilterByName(std::wstring_view name, FilterRef* filter) {
  if (!graph_ || filter == nullptr) return E_POINTER;
  *filter = {};
  const std::wstring text(name);
  ComPtr<IBaseFilter> found;
  const HRESULT hr = graph_->FindFilterByName(text.c_str(), found.Put());
  if (FAILED(hr)) return hr;
  if (!found) return E_FAIL;
  *filter = ToFilterRef(found.Get());  // the graph keeps it
  return S_OK;
}

Status DirectShowMediaGraph::AddOwnedFilter(IBaseFilter* filter, std::wstring_view name, FilterRef* added) {
  const HRESULT hr = AddFilter(ToFilterRef(filter), name);
  if (FAILED(hr)) {
    filter->Release();
    return hr;
  }
  owned_.push_back(filter);
  *added = ToFilterRef(filter);
  return S_OK;
}

Status DirectShowMediaGraph::AddSourceFilterForFile(const std::wstring& path, std::wstring_view name,
                                                    FilterRef* source) {
  if (!graph_ || source == nullptr) return E_POINTER;
  *source = {};
  IBaseFilter* filter = nullptr;
  const HRESULT hr = CreateAviSourceFilter(std::filesystem::path(path), &filter);
  if (FAILED(hr)) return hr;
  if (filter == nullptr) return E_POINTER;
  return AddOwnedFilter(filter, name, source);
}

Status DirectShowMediaGraph::CreateRecordingSink(const std::wstring& path, FilterRef* sink) {
  if (!graph_ || sink == nullptr) return E_POINTER;
  *sink = {};
  IBaseFilter* filter = nullptr;
  const HRESULT hr = CreateAviWriterFilter(std::filesystem::path(path), &filter);
  if (FAILED(hr)) return hr;
  if (filter == nullptr) return E_POINTER;
  const Status added = AddOwnedFilter(filter, L"AVI Writer", sink);
  if (SUCCEEDED(added)) recordingSink_ = static_cast<AviWriterFilter*>(filter);  // made just above
  return added;
}

Status DirectShowMediaGraph::GetRecordingTotals(RecordingTotals& totals) {
  AviWriterFilterTotals sink;
  if (recordingSink_ == nullptr || !recordingSink_->Totals(&sink)) {
    // The sink is gone or its recording never began: the last recording's totals, if any.
    if (!lastTotals_) return E_FAIL;
    totals = *lastTotals_;
    return S_OK;
  }
  totals.framesWritten = sink.frames.framesWritten;
  totals.framesDropped = sink.frames.framesDropped;
  totals.framesDroppedByQueue = sink.frames.framesDroppedByQueue;
  totals.firstFrameKnown = sink.firstFrameKnown;
  totals.firstFrameUtc = sink.firstFrameUtc;
  totals.frameTimes = sink.frames.frameTimes;
  totals.framesReceived = sink.frames.framesReceived;
  totals.framesLostAfterFault = sink.frames.framesLostAfterFault;
  totals.videoFault = sink.frames.videoFault;
  totals.frameTimesFault = sink.frames.frameTimesFault;
  return S_OK;
}

// A file source and the recording sink were made for one graph only; a device's filter belongs to
// its device record.
void DirectShowMediaGraph::ReleaseOwnedFilters() {
  if (recordingSink_ != nullptr) {
    // The totals outlive the sink: the recording's log is written after the graph is taken apart.
    // A sink the graph never stopped finishes its file first, so a failure there is counted too.
    recordingSink_->Finish();
    RecordingTotals totals;
    if (SUCCEEDED(GetRecordingTotals(totals))) lastTotals_ = totals;
    recordingSink_ = nullptr;
  }
  for (IBaseFilter* filter : owned_) filter->Release();
  owned_.clear();
}

// --- Pins

Status DirectShowMediaGraph::EnumeratePins(FilterRef filter, std::vector<PinInfo>* pins) {
  if (!filter) return E_POINTER;
  return ListPins(ToFilter(filter), pins);
}

Status DirectShowMediaGraph::ConnectedTo(PinRef pin, PinRef* peer) {
  if (!pin || peer == nullptr) return E_POINTER;
  *peer = {};
  ComPtr<IPin> connected;
  const HRESULT hr = ToPin(pin)->ConnectedTo(connected.Put());
  if (FAILED(hr)) return hr;
  if (!connected) return VFW_E_NOT_CONNECTED;
  *peer = ToPinRef(connected.Get());  // lives as long as its filter, which the graph holds
  return S_OK;
}

Status DirectShowMediaGraph::ConnectionMediaType(PinRef pin, MediaTypeInfo* type) {
  if (!pin || type == nullptr) return E_POINTER;
  AM_MEDIA_TYPE raw{};
  const HRESULT hr = ToPin(pin)->ConnectionMediaType(&raw);
  if (FAILED(hr)) {
    FreeMediaType(raw);
    return hr;
  }
  const HRESULT described = DescribeMediaType(raw, false, type);
  FreeMediaType(raw);
  return described;
}

Status DirectShowMediaGraph::OfferedMediaType(PinRef pin, MediaTypeInfo* type) {
  if (!pin || type == nullptr) return E_POINTER;
  ComPtr<IEnumMediaTypes> types;
  HRESULT hr = ToPin(pin)->EnumMediaTypes(types.Put());
  if (FAILED(hr)) return hr;
  if (!types) return E_POINTER;
  AM_MEDIA_TYPE* first = nullptr;
  ULONG fetched = 0;
  hr = types->Next(1, &first, &fetched);
  if (hr != S_OK || fetched != 1 || first == nullptr) {
    if (first != nullptr) DeleteMediaType(first);
    return VFW_E_NO_TYPES;
  }
  hr = DescribeMediaType(*first, false, type);
  DeleteMediaType(first);
  return hr;
}

Status DirectShowMediaGraph::ConnectDirect(PinRef output, PinRef input) {
  if (!graph_ || !output || !input) return E_POINTER;
  return graph_->ConnectDirect(ToPin(output), ToPin(input), nullptr);
}

Status DirectShowMediaGraph::Connect(PinRef output, PinRef input) {
  if (!graph_ || !output || !input) return E_POINTER;
  return graph_->Connect(ToPin(output), ToPin(input));
}

Status DirectShowMediaGraph::Disconnect(PinRef pin) {
  if (!graph_ || !pin) return E_POINTER;
  return graph_->Disconnect(ToPin(pin));
}

// --- Capture graph builder

Status DirectShowMediaGraph::RenderStream(PinCategory category, FilterRef source, FilterRef intermediate,
                                          FilterRef sink) {
  if (!builder_ || !source) return E_POINTER;
  const GUID* pinCategory = nullptr;
  if (category == PinCategory::kPreview) pinCategory = &PIN_CATEGORY_PREVIEW;
  if (category == PinCategory::kCapture) pinCategory = &PIN_CATEGORY_CAPTURE;
  // A file source is rendered with no category and no media type: any of its outputs will do.
  const GUID* mediaType = pinCategory != nullptr ? &MEDIATYPE_Video : nullptr;
  return builder_->RenderStream(pinCategory, mediaType, ToFilter(source), ToFilter(intermediate), ToFilter(sink));
}

Status DirectShowMediaGraph::SetStreamFormat(FilterRef source, const MediaTypeInfo& type) {
  if (!builder_ || !source) return E_POINTER;
  const AM_MEDIA_TYPE* native = NativeTypeOf(type);
  if (native == nullptr) return E_INVALIDARG;  // only a type read from the device describes its format
  ComPtr<IAMStreamConfig> config;
  HRESULT hr = builder_->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, ToFilter(source), IID_IAMStreamConfig,
                                       config.PutVoid());
  if (FAILED(hr)) {
    // Not every builder finds a pin by its category: ask the device's first output pin itself.
    std::vector<PinInfo> pins;
    if (SUCCEEDED(ListPins(ToFilter(source), &pins))) {
      for (const PinInfo& pin : pins) {
        if (!pin.pin || pin.direction != PinDirection::kOutput) continue;
        hr = ToPin(pin.pin)->QueryInterface(IID_IAMStreamConfig, config.PutVoid());
        break;
      }
    }
  }
  if (FAILED(hr)) return kNoInterface;
  if (!config) return kPointer;
  return config->SetFormat(const_cast<AM_MEDIA_TYPE*>(native));
}

// --- Media control

Status DirectShowMediaGraph::GetMediaControl() {
  if (!graph_) return E_POINTER;
  if (control_) return S_OK;
  return graph_->QueryInterface(IID_IMediaControl, control_.PutVoid());
}

Status DirectShowMediaGraph::Run() {
  if (!control_) return E_POINTER;
  const HRESULT hr = control_->Run();
  if (hr != S_FALSE) return hr;
  // The graph is still on its way to running: wait a little so that a failure shows here.
  OAFilterState state = State_Stopped;
  const HRESULT settled = control_->GetState(2000, &state);
  return FAILED(settled) ? settled : S_OK;
}

Status DirectShowMediaGraph::Pause() {
  if (!control_) return E_POINTER;
  const HRESULT hr = control_->Pause();
  if (hr != S_FALSE) return hr;
  // The renderer is still waiting for its first sample; a paused graph that cannot cue is no failure.
  OAFilterState state = State_Stopped;
  const HRESULT settled = control_->GetState(2000, &state);
  return FAILED(settled) ? settled : S_OK;
}

Status DirectShowMediaGraph::Stop() {
  if (control_) return control_->Stop();
  if (!graph_) return E_POINTER;
  ComPtr<IMediaControl> control;
  const HRESULT hr = graph_->QueryInterface(IID_IMediaControl, control.PutVoid());
  return FAILED(hr) ? hr : control->Stop();
}

}  // namespace zuna::dshow
