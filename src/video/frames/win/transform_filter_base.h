#pragma once
// A filter with one input and one output pin that turns every input sample into one output sample.
// The base takes the output buffer, copies the sample's properties, calls Transform and delivers the
// result: S_OK delivers it, S_FALSE drops it, a failure stops the stream with EC_ERRORABORT.
// Receive holds the streaming lock; a stop decommits the allocators first, so it never waits long.
#include <dshow.h>

#include "video/dshow/filter_base.h"
#include "video/dshow/pin_base.h"

namespace zuna::dshow {

class TransformFilterBase;

class TransformInputPin final : public InputPinBase {
 public:
  explicit TransformInputPin(TransformFilterBase& filter);

  STDMETHODIMP Receive(IMediaSample* sample) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT CheckConnect(IPin* peer) override;
  HRESULT CompleteConnect(IPin* peer) override;
  void BreakConnect() override;

 private:
  TransformFilterBase& owner_;
};

class TransformOutputPin final : public OutputPinBase {
 public:
  explicit TransformOutputPin(TransformFilterBase& filter);

  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT GetMediaType(int position, AM_MEDIA_TYPE* type) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT CheckConnect(IPin* peer) override;
  HRESULT CompleteConnect(IPin* peer) override;
  void BreakConnect() override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

 private:
  TransformFilterBase& owner_;
};

class TransformFilterBase : public FilterBase {
 public:
  TransformFilterBase(const CLSID& classId, const wchar_t* name, Ownership ownership);
  ~TransformFilterBase() override;

  int PinCount() override { return 2; }
  PinBase* PinAt(int index) override;

  // The filter's own operations.
  virtual HRESULT Transform(IMediaSample* input, IMediaSample* output) = 0;
  virtual HRESULT CheckInputType(const AM_MEDIA_TYPE& type) = 0;
  virtual HRESULT CheckTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output) = 0;
  virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
  virtual HRESULT GetMediaType(int position, AM_MEDIA_TYPE* type) = 0;
  virtual HRESULT SetMediaType(PIN_DIRECTION /*direction*/, const AM_MEDIA_TYPE& /*type*/) { return S_OK; }
  virtual HRESULT CheckConnect(PIN_DIRECTION /*direction*/, IPin* /*peer*/) { return S_OK; }
  virtual HRESULT CompleteConnect(PIN_DIRECTION /*direction*/, IPin* /*peer*/) { return S_OK; }
  virtual void BreakConnect(PIN_DIRECTION /*direction*/) {}
  // Stopped to Paused, and back to Stopped once no sample is in Transform any more.
  virtual HRESULT StartStreaming() { return S_OK; }
  virtual void StopStreaming() {}

  TransformInputPin& Input() { return input_; }
  TransformOutputPin& Output() { return output_; }

  // Streaming thread, called by the input pin.
  HRESULT Receive(IMediaSample* sample);
  HRESULT EndOfStream();
  HRESULT BeginFlush();
  HRESULT EndFlush();
  HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

  // Copies stream and media times, sync point, preroll, discontinuity and an attached media type.
  static HRESULT CopySampleProperties(IMediaSample* input, IMediaSample* output);

 protected:
  HRESULT OnActivate() override;
  void OnDeactivate() override;

 private:
  CriticalSection streamingLock_;
  TransformInputPin input_;
  TransformOutputPin output_;
};

}  // namespace zuna::dshow
