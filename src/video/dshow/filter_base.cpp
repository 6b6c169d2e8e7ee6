#include "video/dshow/filter_base.h"

#include <algorithm>
#include <cwchar>
#include <new>

#include "video/dshow/enumerators.h"
#include "video/dshow/pin_base.h"

namespace zuna::dshow {

FilterBase::FilterBase(const CLSID& classId, const wchar_t* name, Ownership ownership)
    : classId_(classId), filterName_(name), ownership_(ownership) {
  // A heap filter starts with no reference: its class factory's QueryInterface gives the first.
}

FilterBase::~FilterBase() {
  if (clock_ != nullptr) clock_->Release();
}

STDMETHODIMP FilterBase::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IPersist || riid == IID_IMediaFilter || riid == IID_IBaseFilter) {
    return GetInterface(static_cast<IBaseFilter*>(this), object);
  }
  return QueryExtraInterface(riid, object);
}

HRESULT FilterBase::QueryExtraInterface(REFIID, void** object) {
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FilterBase::AddRef() {
  return ++references_;
}

STDMETHODIMP_(ULONG) FilterBase::Release() {
  const ULONG left = --references_;
  if (left == 0 && ownership_ == Ownership::kDeletedOnRelease) delete this;
  return left;
}

STDMETHODIMP FilterBase::GetClassID(CLSID* classId) {
  if (classId == nullptr) return E_POINTER;
  *classId = classId_;
  return S_OK;
}

STDMETHODIMP FilterBase::Stop() {
  Lock lock(filterLock_);
  if (state_ == State_Stopped) return S_OK;
  // Inactive pins decommit their allocators first, so a streaming thread waiting for a buffer
  // returns at once instead of holding up the stop.
  HRESULT result = S_OK;
  for (int i = 0; i < PinCount(); ++i) {
    PinBase* pin = PinAt(i);
    if (pin == nullptr) continue;
    const HRESULT hr = pin->Inactive();
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  }
  state_ = State_Stopped;
  OnDeactivate();
  return result;
}

STDMETHODIMP FilterBase::Pause() {
  Lock lock(filterLock_);
  if (state_ == State_Stopped) {
    for (int i = 0; i < PinCount(); ++i) {
      PinBase* pin = PinAt(i);
      if (pin == nullptr || !pin->IsConnected()) continue;
      const HRESULT hr = pin->Active();
      if (FAILED(hr)) {
        for (int j = 0; j <= i; ++j) {
          if (PinAt(j) != nullptr) PinAt(j)->Inactive();
        }
        return hr;
      }
    }
    if (const HRESULT hr = OnActivate(); FAILED(hr)) {
      for (int i = 0; i < PinCount(); ++i) {
        if (PinAt(i) != nullptr) PinAt(i)->Inactive();
      }
      return hr;
    }
  }
  state_ = State_Paused;
  return S_OK;
}

STDMETHODIMP FilterBase::Run(REFERENCE_TIME start) {
  Lock lock(filterLock_);
  if (state_ == State_Stopped) {
    if (const HRESULT hr = Pause(); FAILED(hr)) return hr;
  }
  streamStart_ = start;
  if (const HRESULT hr = OnRun(start); FAILED(hr)) return hr;
  state_ = State_Running;
  return S_OK;
}

STDMETHODIMP FilterBase::GetState(DWORD, FILTER_STATE* state) {
  if (state == nullptr) return E_POINTER;
  *state = state_;
  return S_OK;
}

STDMETHODIMP FilterBase::SetSyncSource(IReferenceClock* clock) {
  Lock lock(clockLock_);
  if (clock != nullptr) clock->AddRef();
  if (clock_ != nullptr) clock_->Release();
  clock_ = clock;
  return S_OK;
}

STDMETHODIMP FilterBase::GetSyncSource(IReferenceClock** clock) {
  if (clock == nullptr) return E_POINTER;
  *clock = AcquireClock();
  return S_OK;
}

IReferenceClock* FilterBase::AcquireClock() {
  Lock lock(clockLock_);
  if (clock_ != nullptr) clock_->AddRef();
  return clock_;
}

IReferenceClock* FilterBase::GraphSyncSource() {
  IMediaFilter* media = nullptr;
  if (graph_ == nullptr || FAILED(graph_->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&media))) ||
      media == nullptr) {
    return nullptr;
  }
  IReferenceClock* clock = nullptr;
  if (FAILED(media->GetSyncSource(&clock))) clock = nullptr;
  media->Release();
  return clock;
}

STDMETHODIMP FilterBase::EnumPins(IEnumPins** pins) {
  if (pins == nullptr) return E_POINTER;
  *pins = nullptr;
  Lock lock(filterLock_);
  std::vector<IPin*> list;
  try {
    for (int i = 0; i < PinCount(); ++i) {
      if (PinAt(i) != nullptr) list.push_back(PinAt(i));
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return PinEnumerator::Create(list, pins);
}

STDMETHODIMP FilterBase::FindPin(LPCWSTR id, IPin** pin) {
  if (id == nullptr || pin == nullptr) return E_POINTER;
  *pin = nullptr;
  Lock lock(filterLock_);
  for (int i = 0; i < PinCount(); ++i) {
    PinBase* candidate = PinAt(i);
    if (candidate != nullptr && candidate->Name() == id) {
      *pin = candidate;
      candidate->AddRef();
      return S_OK;
    }
  }
  return VFW_E_NOT_FOUND;
}

STDMETHODIMP FilterBase::QueryFilterInfo(FILTER_INFO* info) {
  if (info == nullptr) return E_POINTER;
  Lock lock(filterLock_);
  *info = FILTER_INFO{};
  const std::size_t length = std::min<std::size_t>(graphName_.size(), MAX_FILTER_NAME - 1);
  std::wmemcpy(info->achName, graphName_.c_str(), length);
  info->achName[length] = L'\0';
  info->pGraph = graph_;
  if (graph_ != nullptr) graph_->AddRef();
  return S_OK;
}

STDMETHODIMP FilterBase::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  Lock lock(filterLock_);
  try {
    graphName_ = name != nullptr ? name : L"";
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  graph_ = graph;
  eventSink_ = nullptr;
  if (graph != nullptr) {
    // The graph outlives its membership: keep the sink without a reference, as the graph keeps us.
    IMediaEventSink* sink = nullptr;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink)))) {
      eventSink_ = sink;
      sink->Release();
    }
  }
  OnJoinGraph(graph);
  return S_OK;
}

STDMETHODIMP FilterBase::QueryVendorInfo(LPWSTR* info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT FilterBase::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2) {
  IMediaEventSink* sink = eventSink_;
  if (sink == nullptr) return E_NOTIMPL;
  return sink->Notify(code, param1, param2);
}

}  // namespace zuna::dshow
