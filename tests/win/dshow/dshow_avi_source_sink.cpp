#include "dshow_avi_source_sink.h"

namespace zuna::dshow_test {
namespace {

// {3B1C8E02-54A7-4D8B-A3F1-6C0D9E2B7A51}
const GUID kFrameSinkClassId = {0x3B1C8E02, 0x54A7, 0x4D8B, {0xA3, 0xF1, 0x6C, 0x0D, 0x9E, 0x2B, 0x7A, 0x51}};

constexpr DWORD kLongestHold = 20000;  // a held sample is let go after this long, so no test can hang

}  // namespace

FrameSinkPin::FrameSinkPin(FrameSink& sink) : InputPinBase(sink, L"In"), sink_(sink) {}

HRESULT FrameSinkPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  return type.majortype == MEDIATYPE_Video && type.formattype == FORMAT_VideoInfo ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

STDMETHODIMP FrameSinkPin::Receive(IMediaSample* sample) {
  if (sample == nullptr) return E_POINTER;
  if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
  ReceivedFrame frame;
  BYTE* data = nullptr;
  if (SUCCEEDED(sample->GetPointer(&data)) && sample->GetActualDataLength() >= 4) {
    frame.painted = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
                    static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
  }
  LONGLONG mediaStop = 0;
  if (FAILED(sample->GetMediaTime(&frame.mediaStart, &mediaStop))) frame.mediaStart = -1;
  REFERENCE_TIME stop = 0;
  sample->GetTime(&frame.start, &stop);
  frame.preroll = sample->IsPreroll() == S_OK;
  sink_.Record(frame);
  if (frame.preroll) return S_OK;
  // A paused renderer shows this sample and takes no other until the graph runs or flushes.
  const DWORD begin = GetTickCount();
  while (sink_.State() == State_Paused && !Flushing() && GetTickCount() - begin < kLongestHold) Sleep(2);
  return Flushing() ? S_FALSE : S_OK;
}

STDMETHODIMP FrameSinkPin::EndOfStream() {
  if (Flushing()) return S_FALSE;
  sink_.RecordEndOfStream();
  return S_OK;
}

STDMETHODIMP FrameSinkPin::BeginFlush() {
  sink_.RecordFlush();
  return InputPinBase::BeginFlush();
}

FrameSink::FrameSink() : FilterBase(kFrameSinkClassId, L"Frame Sink", dshow::Ownership::kHeldByValue), input_(*this) {}

std::vector<ReceivedFrame> FrameSink::Frames() {
  std::lock_guard lock(mutex_);
  return frames_;
}

int FrameSink::EndOfStreamCount() {
  std::lock_guard lock(mutex_);
  return endOfStream_;
}

int FrameSink::FlushCount() {
  std::lock_guard lock(mutex_);
  return flushes_;
}

void FrameSink::Record(const ReceivedFrame& frame) {
  std::lock_guard lock(mutex_);
  frames_.push_back(frame);
}

void FrameSink::RecordEndOfStream() {
  {
    std::lock_guard lock(mutex_);
    ++endOfStream_;
  }
  if (State() == State_Running)
    NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
}

void FrameSink::RecordFlush() {
  std::lock_guard lock(mutex_);
  ++flushes_;
}

}  // namespace zuna::dshow_test
