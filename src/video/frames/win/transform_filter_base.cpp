#include "video/frames/win/transform_filter_base.h"

namespace zuna::dshow {

// ---- TransformInputPin

TransformInputPin::TransformInputPin(TransformFilterBase& filter) : InputPinBase(filter, L"Input"), owner_(filter) {}

STDMETHODIMP TransformInputPin::Receive(IMediaSample* sample) {
  if (sample == nullptr) return E_POINTER;
  if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
  return owner_.Receive(sample);
}

STDMETHODIMP TransformInputPin::EndOfStream() {
  if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
  return owner_.EndOfStream();
}

STDMETHODIMP TransformInputPin::BeginFlush() {
  Lock lock(filter_.FilterLock());
  InputPinBase::BeginFlush();
  return owner_.BeginFlush();
}

STDMETHODIMP TransformInputPin::EndFlush() {
  Lock lock(filter_.FilterLock());
  const HRESULT hr = owner_.EndFlush();
  InputPinBase::EndFlush();
  return hr;
}

STDMETHODIMP TransformInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  PinBase::NewSegment(start, stop, rate);
  return owner_.NewSegment(start, stop, rate);
}

HRESULT TransformInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  HRESULT hr = owner_.CheckInputType(type);
  if (hr != S_OK) return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
  // A reconnection of the input must still suit the connected output.
  if (owner_.Output().IsConnected()) {
    hr = owner_.CheckTransform(type, owner_.Output().ConnectionType());
    if (hr != S_OK) return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
  }
  return S_OK;
}

HRESULT TransformInputPin::SetMediaType(const AM_MEDIA_TYPE& type) {
  if (const HRESULT hr = InputPinBase::SetMediaType(type); FAILED(hr)) return hr;
  return owner_.SetMediaType(PINDIR_INPUT, type);
}

HRESULT TransformInputPin::CheckConnect(IPin* peer) {
  if (const HRESULT hr = InputPinBase::CheckConnect(peer); FAILED(hr)) return hr;
  return owner_.CheckConnect(PINDIR_INPUT, peer);
}

HRESULT TransformInputPin::CompleteConnect(IPin* peer) {
  return owner_.CompleteConnect(PINDIR_INPUT, peer);
}

void TransformInputPin::BreakConnect() {
  owner_.BreakConnect(PINDIR_INPUT);
  InputPinBase::BreakConnect();
}

// ---- TransformOutputPin

TransformOutputPin::TransformOutputPin(TransformFilterBase& filter)
    : OutputPinBase(filter, L"Output"), owner_(filter) {}

HRESULT TransformOutputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  if (!owner_.Input().IsConnected()) return VFW_E_NOT_CONNECTED;
  const HRESULT hr = owner_.CheckTransform(owner_.Input().ConnectionType(), type);
  return hr == S_OK ? S_OK : (FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED);
}

HRESULT TransformOutputPin::GetMediaType(int position, AM_MEDIA_TYPE* type) {
  if (!owner_.Input().IsConnected()) return VFW_S_NO_MORE_ITEMS;
  return owner_.GetMediaType(position, type);
}

HRESULT TransformOutputPin::SetMediaType(const AM_MEDIA_TYPE& type) {
  if (const HRESULT hr = OutputPinBase::SetMediaType(type); FAILED(hr)) return hr;
  return owner_.SetMediaType(PINDIR_OUTPUT, type);
}

HRESULT TransformOutputPin::CheckConnect(IPin* peer) {
  // The output offers the input's format: it cannot connect before the input.
  if (!owner_.Input().IsConnected()) return VFW_E_NOT_CONNECTED;
  if (const HRESULT hr = OutputPinBase::CheckConnect(peer); FAILED(hr)) return hr;
  return owner_.CheckConnect(PINDIR_OUTPUT, peer);
}

HRESULT TransformOutputPin::CompleteConnect(IPin* peer) {
  if (const HRESULT hr = OutputPinBase::CompleteConnect(peer); FAILED(hr)) return hr;
  return owner_.CompleteConnect(PINDIR_OUTPUT, peer);
}

void TransformOutputPin::BreakConnect() {
  owner_.BreakConnect(PINDIR_OUTPUT);
  OutputPinBase::BreakConnect();
}

HRESULT TransformOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
  return owner_.DecideBufferSize(allocator, request);
}

// ---- TransformFilterBase

TransformFilterBase::TransformFilterBase(const CLSID& classId, const wchar_t* name, Ownership ownership)
    : FilterBase(classId, name, ownership), input_(*this), output_(*this) {}

TransformFilterBase::~TransformFilterBase() = default;

PinBase* TransformFilterBase::PinAt(int index) {
  if (index == 0) return &input_;
  if (index == 1) return &output_;
  return nullptr;
}

HRESULT TransformFilterBase::OnActivate() {
  return StartStreaming();
}

void TransformFilterBase::OnDeactivate() {
  // The pins are inactive and the state is Stopped: wait for a sample still in Transform.
  Lock streaming(streamingLock_);
  StopStreaming();
}

HRESULT TransformFilterBase::CopySampleProperties(IMediaSample* input, IMediaSample* output) {
  if (input == nullptr || output == nullptr) return E_POINTER;
  REFERENCE_TIME start = 0, stop = 0;
  HRESULT hr = input->GetTime(&start, &stop);
  if (hr == S_OK) {
    output->SetTime(&start, &stop);
  } else if (hr == VFW_S_NO_STOP_TIME) {
    output->SetTime(&start, nullptr);
  } else {
    output->SetTime(nullptr, nullptr);  // a recycled buffer must not keep the times of an earlier sample
  }
  LONGLONG mediaStart = 0, mediaStop = 0;
  if (input->GetMediaTime(&mediaStart, &mediaStop) == S_OK) {
    output->SetMediaTime(&mediaStart, &mediaStop);
  } else {
    output->SetMediaTime(nullptr, nullptr);
  }
  output->SetSyncPoint(input->IsSyncPoint() == S_OK);
  output->SetPreroll(input->IsPreroll() == S_OK);
  AM_MEDIA_TYPE* type = nullptr;
  if (input->GetMediaType(&type) == S_OK && type != nullptr) {
    output->SetMediaType(type);
    DeleteMediaType(type);
  }
  output->SetDiscontinuity(input->IsDiscontinuity() == S_OK);
  return S_OK;
}

HRESULT TransformFilterBase::Receive(IMediaSample* sample) {
  Lock streaming(streamingLock_);
  // The state may have changed while this thread waited for the lock.
  if (const HRESULT hr = input_.CheckStreaming(); hr != S_OK) return hr;
  if (!output_.IsConnected()) return VFW_E_NOT_CONNECTED;

  REFERENCE_TIME start = 0, stop = 0;
  const bool timed = sample->GetTime(&start, &stop) == S_OK;
  IMediaSample* output = nullptr;
  HRESULT hr = output_.GetDeliveryBuffer(&output, timed ? &start : nullptr, timed ? &stop : nullptr, 0);
  if (FAILED(hr)) return hr;
  if (output == nullptr) return E_UNEXPECTED;

  CopySampleProperties(sample, output);
  hr = Transform(sample, output);
  if (hr == S_OK) {
    hr = output_.Deliver(output);
  } else if (hr == S_FALSE) {
    hr = S_OK;  // dropped on purpose; the stream goes on
  } else if (FAILED(hr)) {
    NotifyEvent(EC_ERRORABORT, hr, 0);
  }
  output->Release();
  return hr;
}

HRESULT TransformFilterBase::EndOfStream() {
  Lock streaming(streamingLock_);
  return output_.DeliverEndOfStream();
}

HRESULT TransformFilterBase::BeginFlush() {
  return output_.DeliverBeginFlush();
}

HRESULT TransformFilterBase::EndFlush() {
  return output_.DeliverEndFlush();
}

HRESULT TransformFilterBase::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  return output_.DeliverNewSegment(start, stop, rate);
}

}  // namespace zuna::dshow
