#pragma once
// Pin bases: IPin shared by both directions, an input pin with IMemInputPin, and an output pin that
// connects by trying media types, then negotiates the allocator with its peer through
// DecideBufferSize. Pins live inside their filter and share its reference count and its lock.
#include <dshow.h>

#include <atomic>
#include <string>

#include "video/dshow/com_ptr.h"
#include "video/dshow/filter_base.h"
#include "video/dshow/media_type.h"

namespace zuna::dshow {

class PinBase : public IPin {
 public:
  PinBase(FilterBase& filter, const wchar_t* name, PIN_DIRECTION direction);
  virtual ~PinBase();
  PinBase(const PinBase&) = delete;
  PinBase& operator=(const PinBase&) = delete;

  // IUnknown: the filter's reference count.
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return filter_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return filter_.Release(); }
  // IPin
  STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP Disconnect() override;
  STDMETHODIMP ConnectedTo(IPin** pin) override;
  STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
  STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
  STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
  STDMETHODIMP QueryId(LPWSTR* id) override;
  STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
  STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

  // S_OK accepts the type; anything else refuses it.
  virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) = 0;
  // The pin's preferred types: S_OK fills `type` (which the caller frees), VFW_S_NO_MORE_ITEMS ends.
  virtual HRESULT GetMediaType(int position, AM_MEDIA_TYPE* type) = 0;
  // Connection steps, called with the filter lock held.
  virtual HRESULT SetMediaType(const AM_MEDIA_TYPE& type) { return connectionType_.Set(type); }
  virtual HRESULT CheckConnect(IPin* peer);
  virtual HRESULT CompleteConnect(IPin* /*peer*/) { return S_OK; }
  virtual void BreakConnect() {}
  // State changes of the filter, called with the filter lock held.
  virtual HRESULT Active() { return S_OK; }
  virtual HRESULT Inactive() { return S_OK; }

  bool IsConnected() const { return static_cast<bool>(peer_); }
  // The peer and the connection type change only while the filter is stopped, so a streaming thread
  // may read them without the lock.
  IPin* Peer() const { return peer_.Get(); }
  const AM_MEDIA_TYPE& ConnectionType() const { return connectionType_.Get(); }
  const std::wstring& Name() const { return name_; }
  FilterBase& Filter() { return filter_; }

 protected:
  virtual HRESULT QueryExtraInterface(REFIID riid, void** object);
  // Drops the connection's state; called with the filter lock held.
  void ClearConnection();

  FilterBase& filter_;
  std::wstring name_;
  PIN_DIRECTION direction_;
  ComPtr<IPin> peer_;
  MediaType connectionType_;
  REFERENCE_TIME segmentStart_ = 0;
  REFERENCE_TIME segmentStop_ = 0;
  double segmentRate_ = 1.0;
};

class InputPinBase : public PinBase, public IMemInputPin {
 public:
  InputPinBase(FilterBase& filter, const wchar_t* name);
  ~InputPinBase() override;

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override { return PinBase::QueryInterface(riid, object); }
  STDMETHODIMP_(ULONG) AddRef() override { return filter_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return filter_.Release(); }

  // IPin
  STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP EndOfStream() override { return S_OK; }
  // IMemInputPin
  STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
  STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
  STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
  STDMETHODIMP Receive(IMediaSample* sample) override = 0;
  STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
  STDMETHODIMP ReceiveCanBlock() override { return S_OK; }

  HRESULT GetMediaType(int, AM_MEDIA_TYPE*) override { return VFW_S_NO_MORE_ITEMS; }
  HRESULT Inactive() override;
  void BreakConnect() override;

  bool Flushing() const { return flushing_.load(); }
  bool ReadOnly() const { return readOnly_; }
  // What a Receive must check first: VFW_E_WRONG_STATE when stopped, S_FALSE while flushing.
  HRESULT CheckStreaming() const;

 protected:
  HRESULT QueryExtraInterface(REFIID riid, void** object) override;

  ComPtr<IMemAllocator> allocator_;  // changes only while stopped
  bool readOnly_ = false;
  std::atomic<bool> flushing_{false};
};

class OutputPinBase : public PinBase {
 public:
  OutputPinBase(FilterBase& filter, const wchar_t* name);
  ~OutputPinBase() override;

  // IPin: an output pin takes no connection and no stream control from downstream.
  STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }

  // Sets the allocator's buffer count, size and alignment: the allocator's grant must be checked.
  virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;

  HRESULT CompleteConnect(IPin* peer) override;
  void BreakConnect() override;
  HRESULT Active() override;
  HRESULT Inactive() override;

  // Streaming thread.
  HRESULT GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags);
  HRESULT Deliver(IMediaSample* sample);
  HRESULT DeliverEndOfStream();
  HRESULT DeliverBeginFlush();
  HRESULT DeliverEndFlush();
  HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

  IMemAllocator* Allocator() const { return allocator_.Get(); }

 private:
  HRESULT AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE& type);
  HRESULT TryTypes(IPin* receivePin, const AM_MEDIA_TYPE* pattern, IEnumMediaTypes* types);
  HRESULT DecideAllocator(IMemInputPin* input);

  ComPtr<IMemInputPin> memInput_;    // the peer's, while connected
  ComPtr<IMemAllocator> allocator_;  // the one decided at connection
};

}  // namespace zuna::dshow
