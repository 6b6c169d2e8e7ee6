#include "video/dshow/pin_base.h"

#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "video/dshow/enumerators.h"

namespace zuna::dshow {

// ---- PinBase

PinBase::PinBase(FilterBase& filter, const wchar_t* name, PIN_DIRECTION direction)
    : filter_(filter), name_(name), direction_(direction) {}

PinBase::~PinBase() = default;

STDMETHODIMP PinBase::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IPin) return GetInterface(static_cast<IPin*>(this), object);
  return QueryExtraInterface(riid, object);
}

HRESULT PinBase::QueryExtraInterface(REFIID, void** object) {
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP PinBase::Connect(IPin*, const AM_MEDIA_TYPE*) {
  return E_UNEXPECTED;
}

STDMETHODIMP PinBase::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) {
  return E_UNEXPECTED;
}

HRESULT PinBase::CheckConnect(IPin* peer) {
  PIN_DIRECTION peerDirection;
  if (FAILED(peer->QueryDirection(&peerDirection))) return E_FAIL;
  return peerDirection != direction_ ? S_OK : VFW_E_INVALID_DIRECTION;
}

void PinBase::ClearConnection() {
  peer_.Reset();
  connectionType_.Clear();
}

STDMETHODIMP PinBase::Disconnect() {
  Lock lock(filter_.FilterLock());
  if (filter_.State() != State_Stopped) return VFW_E_NOT_STOPPED;
  if (!peer_) return S_FALSE;
  BreakConnect();
  ClearConnection();
  return S_OK;
}

STDMETHODIMP PinBase::ConnectedTo(IPin** pin) {
  if (pin == nullptr) return E_POINTER;
  Lock lock(filter_.FilterLock());
  *pin = peer_.Copy();
  return *pin != nullptr ? S_OK : VFW_E_NOT_CONNECTED;
}

STDMETHODIMP PinBase::ConnectionMediaType(AM_MEDIA_TYPE* type) {
  if (type == nullptr) return E_POINTER;
  Lock lock(filter_.FilterLock());
  if (!peer_) {
    *type = AM_MEDIA_TYPE{};
    return VFW_E_NOT_CONNECTED;
  }
  return CopyMediaType(type, connectionType_.Get());
}

STDMETHODIMP PinBase::QueryPinInfo(PIN_INFO* info) {
  if (info == nullptr) return E_POINTER;
  *info = PIN_INFO{};
  info->pFilter = &filter_;
  filter_.AddRef();
  info->dir = direction_;
  const std::size_t length = std::min<std::size_t>(name_.size(), MAX_PIN_NAME - 1);
  std::memcpy(info->achName, name_.c_str(), length * sizeof(wchar_t));
  info->achName[length] = L'\0';
  return S_OK;
}

STDMETHODIMP PinBase::QueryDirection(PIN_DIRECTION* direction) {
  if (direction == nullptr) return E_POINTER;
  *direction = direction_;
  return S_OK;
}

STDMETHODIMP PinBase::QueryId(LPWSTR* id) {
  if (id == nullptr) return E_POINTER;
  const std::size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
  *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (*id == nullptr) return E_OUTOFMEMORY;
  std::memcpy(*id, name_.c_str(), bytes);
  return S_OK;
}

STDMETHODIMP PinBase::QueryAccept(const AM_MEDIA_TYPE* type) {
  if (type == nullptr) return E_POINTER;
  return CheckMediaType(*type) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP PinBase::EnumMediaTypes(IEnumMediaTypes** types) {
  if (types == nullptr) return E_POINTER;
  *types = nullptr;
  Lock lock(filter_.FilterLock());
  std::vector<AM_MEDIA_TYPE> owned;
  HRESULT hr = S_OK;
  try {
    for (int position = 0;; ++position) {
      AM_MEDIA_TYPE type{};
      hr = GetMediaType(position, &type);
      if (hr != S_OK) {
        FreeMediaType(type);
        break;
      }
      owned.push_back(type);
    }
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  }
  if (SUCCEEDED(hr)) {
    std::vector<const AM_MEDIA_TYPE*> view;
    try {
      for (const AM_MEDIA_TYPE& type : owned) view.push_back(&type);
      hr = MediaTypeEnumerator::Create(view, types);
    } catch (const std::bad_alloc&) {
      hr = E_OUTOFMEMORY;
    }
  }
  for (AM_MEDIA_TYPE& type : owned) FreeMediaType(type);
  return hr;
}

STDMETHODIMP PinBase::QueryInternalConnections(IPin**, ULONG*) {
  return E_NOTIMPL;
}

STDMETHODIMP PinBase::EndOfStream() {
  return E_UNEXPECTED;
}

STDMETHODIMP PinBase::BeginFlush() {
  return E_UNEXPECTED;
}

STDMETHODIMP PinBase::EndFlush() {
  return E_UNEXPECTED;
}

STDMETHODIMP PinBase::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  segmentStart_ = start;
  segmentStop_ = stop;
  segmentRate_ = rate;
  return S_OK;
}

// ---- InputPinBase

InputPinBase::InputPinBase(FilterBase& filter, const wchar_t* name) : PinBase(filter, name, PINDIR_INPUT) {}

InputPinBase::~InputPinBase() = default;

HRESULT InputPinBase::QueryExtraInterface(REFIID riid, void** object) {
  if (riid == IID_IMemInputPin) return GetInterface(static_cast<IMemInputPin*>(this), object);
  return PinBase::QueryExtraInterface(riid, object);
}

STDMETHODIMP InputPinBase::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
  if (connector == nullptr || type == nullptr) return E_POINTER;
  Lock lock(filter_.FilterLock());
  if (peer_) return VFW_E_ALREADY_CONNECTED;
  if (filter_.State() != State_Stopped) return VFW_E_NOT_STOPPED;
  if (const HRESULT hr = CheckConnect(connector); FAILED(hr)) return hr;
  if (CheckMediaType(*type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
  peer_.Share(connector);
  HRESULT hr = SetMediaType(*type);
  if (SUCCEEDED(hr)) hr = CompleteConnect(connector);
  if (FAILED(hr)) {
    BreakConnect();
    ClearConnection();
  }
  return hr;
}

STDMETHODIMP InputPinBase::BeginFlush() {
  flushing_ = true;
  return S_OK;
}

STDMETHODIMP InputPinBase::EndFlush() {
  flushing_ = false;
  return S_OK;
}

STDMETHODIMP InputPinBase::GetAllocator(IMemAllocator** allocator) {
  if (allocator == nullptr) return E_POINTER;
  Lock lock(filter_.FilterLock());
  if (!allocator_) {
    const HRESULT hr =
        CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator, allocator_.PutVoid());
    if (FAILED(hr)) {
      *allocator = nullptr;
      return hr;
    }
  }
  *allocator = allocator_.Copy();
  return S_OK;
}

STDMETHODIMP InputPinBase::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
  if (allocator == nullptr) return E_POINTER;
  Lock lock(filter_.FilterLock());
  allocator_.Share(allocator);
  readOnly_ = readOnly != FALSE;
  return S_OK;
}

STDMETHODIMP InputPinBase::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) {
  return E_NOTIMPL;
}

STDMETHODIMP InputPinBase::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
  if (samples == nullptr || processed == nullptr) return E_POINTER;
  *processed = 0;
  HRESULT hr = S_OK;
  while (*processed < count) {
    hr = Receive(samples[*processed]);
    if (hr != S_OK) break;
    ++*processed;
  }
  return hr;
}

HRESULT InputPinBase::CheckStreaming() const {
  if (filter_.State() == State_Stopped) return VFW_E_WRONG_STATE;
  if (flushing_) return S_FALSE;
  return S_OK;
}

HRESULT InputPinBase::Inactive() {
  // The upstream pin decides the allocator, but a stop must also wake a thread waiting in it.
  if (allocator_) allocator_->Decommit();
  return S_OK;
}

void InputPinBase::BreakConnect() {
  allocator_.Reset();
  readOnly_ = false;
}

// ---- OutputPinBase

OutputPinBase::OutputPinBase(FilterBase& filter, const wchar_t* name) : PinBase(filter, name, PINDIR_OUTPUT) {}

OutputPinBase::~OutputPinBase() {
  BreakConnect();
}

namespace {

bool FullySpecified(const AM_MEDIA_TYPE* type) {
  return type != nullptr && type->majortype != GUID_NULL && type->subtype != GUID_NULL &&
         type->formattype != GUID_NULL && type->cbFormat != 0 && type->pbFormat != nullptr;
}

}  // namespace

STDMETHODIMP OutputPinBase::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) {
  if (receivePin == nullptr) return E_POINTER;
  Lock lock(filter_.FilterLock());
  if (peer_) return VFW_E_ALREADY_CONNECTED;
  if (filter_.State() != State_Stopped) return VFW_E_NOT_STOPPED;
  if (const HRESULT hr = CheckConnect(receivePin); FAILED(hr)) return hr;
  if (FullySpecified(type)) return AttemptConnection(receivePin, *type);

  // Our own types first, then the ones the receiving pin prefers.
  for (int position = 0;; ++position) {
    AM_MEDIA_TYPE candidate{};
    const HRESULT hr = GetMediaType(position, &candidate);
    if (hr != S_OK) {
      FreeMediaType(candidate);
      break;
    }
    const bool connected = MatchesPartialType(candidate, type) && SUCCEEDED(AttemptConnection(receivePin, candidate));
    FreeMediaType(candidate);
    if (connected) return S_OK;
  }
  ComPtr<IEnumMediaTypes> theirs;
  if (SUCCEEDED(receivePin->EnumMediaTypes(theirs.Put())) && theirs) {
    const HRESULT hr = TryTypes(receivePin, type, theirs.Get());
    if (SUCCEEDED(hr)) return hr;
  }
  return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT OutputPinBase::TryTypes(IPin* receivePin, const AM_MEDIA_TYPE* pattern, IEnumMediaTypes* types) {
  AM_MEDIA_TYPE* candidate = nullptr;
  ULONG fetched = 0;
  while (types->Next(1, &candidate, &fetched) == S_OK && fetched == 1) {
    const bool connected = MatchesPartialType(*candidate, pattern) && candidate->formattype != GUID_NULL &&
                           SUCCEEDED(AttemptConnection(receivePin, *candidate));
    DeleteMediaType(candidate);
    if (connected) return S_OK;
  }
  return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT OutputPinBase::AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE& type) {
  if (CheckMediaType(type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
  peer_.Share(receivePin);
  HRESULT hr = SetMediaType(type);
  if (SUCCEEDED(hr)) {
    hr = receivePin->ReceiveConnection(this, &type);
    if (SUCCEEDED(hr)) {
      hr = CompleteConnect(receivePin);
      if (SUCCEEDED(hr)) return S_OK;
      receivePin->Disconnect();
    }
  }
  BreakConnect();
  ClearConnection();
  return FAILED(hr) ? hr : E_FAIL;
}

HRESULT OutputPinBase::CompleteConnect(IPin* peer) {
  ComPtr<IMemInputPin> input;
  if (FAILED(peer->QueryInterface(IID_IMemInputPin, input.PutVoid())) || !input) return E_NOINTERFACE;
  const HRESULT hr = DecideAllocator(input.Get());
  if (FAILED(hr)) return hr;
  memInput_ = std::move(input);
  return S_OK;
}

HRESULT OutputPinBase::DecideAllocator(IMemInputPin* input) {
  ALLOCATOR_PROPERTIES request{};
  input->GetAllocatorRequirements(&request);
  if (request.cbAlign == 0) request.cbAlign = 1;

  // The receiving pin's allocator first (it may own the memory it renders from), then our own.
  ComPtr<IMemAllocator> allocator;
  HRESULT hr = input->GetAllocator(allocator.Put());
  if (SUCCEEDED(hr)) {
    ALLOCATOR_PROPERTIES theirs = request;
    hr = DecideBufferSize(allocator.Get(), &theirs);
    if (SUCCEEDED(hr)) hr = input->NotifyAllocator(allocator.Get(), FALSE);
    if (SUCCEEDED(hr)) {
      allocator_ = std::move(allocator);
      return S_OK;
    }
  }
  hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator, allocator.PutVoid());
  if (FAILED(hr)) return hr;
  ALLOCATOR_PROPERTIES ours = request;
  hr = DecideBufferSize(allocator.Get(), &ours);
  if (SUCCEEDED(hr)) hr = input->NotifyAllocator(allocator.Get(), FALSE);
  if (FAILED(hr)) return hr;
  allocator_ = std::move(allocator);
  return S_OK;
}

void OutputPinBase::BreakConnect() {
  if (allocator_) allocator_->Decommit();
  allocator_.Reset();
  memInput_.Reset();
}

HRESULT OutputPinBase::Active() {
  return allocator_ ? allocator_->Commit() : VFW_E_NO_ALLOCATOR;
}

HRESULT OutputPinBase::Inactive() {
  if (allocator_) allocator_->Decommit();
  return S_OK;
}

HRESULT OutputPinBase::GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                         DWORD flags) {
  if (sample == nullptr) return E_POINTER;
  *sample = nullptr;
  if (!allocator_) return VFW_E_NO_ALLOCATOR;
  return allocator_->GetBuffer(sample, start, stop, flags);
}

HRESULT OutputPinBase::Deliver(IMediaSample* sample) {
  if (!memInput_) return VFW_E_NOT_CONNECTED;
  return memInput_->Receive(sample);
}

HRESULT OutputPinBase::DeliverEndOfStream() {
  return peer_ ? peer_->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPinBase::DeliverBeginFlush() {
  return peer_ ? peer_->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPinBase::DeliverEndFlush() {
  return peer_ ? peer_->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT OutputPinBase::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  if (!peer_) return VFW_E_NOT_CONNECTED;
  NewSegment(start, stop, rate);
  return peer_->NewSegment(start, stop, rate);
}

}  // namespace zuna::dshow
