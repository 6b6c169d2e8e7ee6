#pragma once
// Pieces of the DirectShow filter tests: a graph that releases its filters, a probe filter that keeps
// a copy of every sample passing through it, a sink whose allocator grants less than it is asked
// for, the synthetic camera loaded straight from its DLL, and a few checks.
#include <dshow.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "dshow_test_report.h"
#include "video/dshow/pin_base.h"
#include "video/frames/win/transform_filter_base.h"

namespace zuna::dshow_test {

struct SampleRecord {
  bool timed = false;
  REFERENCE_TIME start = 0, stop = 0;
  bool mediaTimed = false;
  LONGLONG mediaStart = 0, mediaStop = 0;
  std::vector<std::uint8_t> data;
};

// A pass-through of any uncompressed video type that records what it sees.
class ProbeFilter final : public dshow::TransformFilterBase {
 public:
  ProbeFilter();

  HRESULT Transform(IMediaSample* input, IMediaSample* output) override;
  HRESULT CheckInputType(const AM_MEDIA_TYPE& type) override;
  HRESULT CheckTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output) override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
  HRESULT GetMediaType(int position, AM_MEDIA_TYPE* type) override;

  std::vector<SampleRecord> Records();

 private:
  std::mutex mutex_;
  std::vector<SampleRecord> records_;
};

// An allocator that grants half the bytes asked for (a real memory allocator inside).
class StingyAllocator final : public IMemAllocator {
 public:
  static HRESULT Create(IMemAllocator** allocator);

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override;
  STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* properties) override;
  STDMETHODIMP Commit() override;
  STDMETHODIMP Decommit() override;
  STDMETHODIMP GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags) override;
  STDMETHODIMP ReleaseBuffer(IMediaSample* sample) override;

 private:
  explicit StingyAllocator(IMemAllocator* inner) : inner_(inner) {}
  ~StingyAllocator() { inner_->Release(); }
  long references_ = 1;
  IMemAllocator* inner_;
};

// A sink that insists on its own (stingy) allocator, as a renderer owning its memory would.
class StingySink;

class StingyInputPin final : public dshow::InputPinBase {
 public:
  explicit StingyInputPin(StingySink& filter);
  ~StingyInputPin() override;
  STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
  STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
  STDMETHODIMP Receive(IMediaSample*) override { return S_OK; }
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

 private:
  IMemAllocator* stingy_ = nullptr;
};

class StingySink final : public dshow::FilterBase {
 public:
  StingySink();
  int PinCount() override { return 1; }
  dshow::PinBase* PinAt(int index) override { return index == 0 ? &input_ : nullptr; }
  StingyInputPin& Input() { return input_; }

 private:
  StingyInputPin input_;
};

// One graph, released in the destructor (before the filters held by value go away).
class Graph {
 public:
  Graph();
  ~Graph();
  Graph(const Graph&) = delete;
  Graph& operator=(const Graph&) = delete;

  bool Ok() const { return graph_ != nullptr; }
  IGraphBuilder* Get() { return graph_; }
  HRESULT Add(IBaseFilter* filter, const wchar_t* name);
  HRESULT Connect(IPin* out, IPin* in) { return graph_->ConnectDirect(out, in, nullptr); }
  HRESULT Connect(IBaseFilter* from, IBaseFilter* to);
  // Runs the graph for `milliseconds` of wall time, then stops it.
  HRESULT RunFor(DWORD milliseconds);

 private:
  IGraphBuilder* graph_ = nullptr;
  IMediaControl* control_ = nullptr;
  std::vector<IBaseFilter*> added_;
};

// The synthetic camera, created through the class factory of its DLL (no registration needed).
// `camera` is 1 or 2; settings come from the environment at creation.
HRESULT CreateSyntheticCamera(const std::wstring& dllPath, int camera, IBaseFilter** filter);
std::wstring DefaultCameraDllPath();

IPin* FirstPin(IBaseFilter* filter, PIN_DIRECTION direction);  // with a reference
// Builds a media type for a picture (the caller frees it with FreeMediaType).
AM_MEDIA_TYPE VideoType(const GUID& subtype, int width, int height, int bitCount, REFERENCE_TIME frameTime);
// Sets the format of a camera's output pin through its stream configuration.
HRESULT ChooseFormat(IBaseFilter* camera, const AM_MEDIA_TYPE& type);
HRESULT ChooseFormat(IBaseFilter* camera, const GUID& subtype, int width, int height, int bits, REFERENCE_TIME t);

}  // namespace zuna::dshow_test
