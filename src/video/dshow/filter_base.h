#pragma once
// The project's own small DirectShow filter base: IBaseFilter with IMediaFilter and IPersist, the
// state changes, the reference clock, the graph it belongs to and the enumeration of its pins.
//
// Pins are part of their filter: they share its reference count and its lock. A filter is either
// created on the heap by a class factory (deleted by its last Release) or held by value by its owner
// (the display and time lapse filters of the video player): then its last Release deletes nothing,
// and the owner must have removed it from every graph before it goes away.
#include <dshow.h>

#include <atomic>
#include <string>

#include "video/dshow/com_lock.h"

namespace zuna::dshow {

class PinBase;

enum class Ownership { kHeldByValue, kDeletedOnRelease };

class FilterBase : public IBaseFilter {
 public:
  FilterBase(const CLSID& classId, const wchar_t* name, Ownership ownership);
  virtual ~FilterBase();
  FilterBase(const FilterBase&) = delete;
  FilterBase& operator=(const FilterBase&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IPersist
  STDMETHODIMP GetClassID(CLSID* classId) override;
  // IMediaFilter
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME start) override;
  STDMETHODIMP GetState(DWORD timeout, FILTER_STATE* state) override;
  STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
  STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
  // IBaseFilter
  STDMETHODIMP EnumPins(IEnumPins** pins) override;
  STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
  STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

  virtual int PinCount() = 0;
  virtual PinBase* PinAt(int index) = 0;

  // The filter's own name ("Pixel Saturation Filter"); the graph gives it another when it is added.
  const std::wstring& FilterName() const { return filterName_; }
  FILTER_STATE State() const { return state_.load(); }
  // Any thread: stream time 0 in reference-clock time, valid while running.
  REFERENCE_TIME StreamStart() const { return streamStart_.load(); }
  // Any thread: the graph's clock with a reference for the caller, or null.
  IReferenceClock* AcquireClock();
  // The graph's own sync source with a reference for the caller, or null: Wine's graph never hands
  // its clock to a filter added after it chose one. Not from a streaming thread (the graph may hold
  // its lock while it waits for that thread).
  IReferenceClock* GraphSyncSource();
  // Any thread: posts an event to the graph's event sink, if the filter is in a graph.
  HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);
  // The graph the filter was added to (no reference is held, as the graph holds the filter).
  IFilterGraph* Graph() const { return graph_; }
  ULONG ReferenceCount() const { return references_.load(); }

  CriticalSection& FilterLock() { return filterLock_; }

 protected:
  // Further interfaces of a derived filter; answer E_NOINTERFACE for the others.
  virtual HRESULT QueryExtraInterface(REFIID riid, void** object);
  // Called with the filter lock held. From Stopped to Paused after the pins became active; a failure
  // leaves the filter stopped.
  virtual HRESULT OnActivate() { return S_OK; }
  // Called with the filter lock held after the pins went inactive and the state became Stopped.
  virtual void OnDeactivate() {}
  // Called with the filter lock held when the graph enters Running.
  virtual HRESULT OnRun(REFERENCE_TIME /*start*/) { return S_OK; }
  // Called with the filter lock held when the filter joins (graph not null) or leaves a graph.
  virtual void OnJoinGraph(IFilterGraph* /*graph*/) {}

  std::atomic<FILTER_STATE> state_{State_Stopped};

 private:
  CLSID classId_;
  std::wstring filterName_;
  Ownership ownership_;
  std::atomic<ULONG> references_{0};
  CriticalSection filterLock_;
  CriticalSection clockLock_;  // never held while calling out, so a streaming thread can always take it
  IReferenceClock* clock_ = nullptr;
  std::atomic<REFERENCE_TIME> streamStart_{0};
  IFilterGraph* graph_ = nullptr;
  std::atomic<IMediaEventSink*> eventSink_{nullptr};  // belongs to the graph: not referenced either
  std::wstring graphName_;
};

// Fills a COM out parameter with an interface of `object` and adds a reference.
template <typename Interface>
HRESULT GetInterface(Interface* object, void** out) {
  *out = object;
  object->AddRef();
  return S_OK;
}

}  // namespace zuna::dshow
