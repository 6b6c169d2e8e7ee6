// Media seeking of the DirectShow media graph. A graph need not forward the frame time format to
// its source (Wine's answers S_FALSE for it), so frame positions go to the file source's own
// seeking; the graph's is the fall-back for a source without one.
#include "video/player/win/dshow_media_graph.h"

namespace zuna::dshow {

Status DirectShowMediaGraph::GetMediaSeeking() {
  if (!graph_) return E_POINTER;
  if (seeking_) return S_OK;
  const HRESULT hr = graph_->QueryInterface(IID_IMediaSeeking, seeking_.PutVoid());
  if (SUCCEEDED(hr) && !seeking_) return E_POINTER;
  return hr;
}

Status DirectShowMediaGraph::SetFrameTimeFormat(FilterRef source) {
  frameSeeking_.Reset();
  if (source) ToFilter(source)->QueryInterface(IID_IMediaSeeking, frameSeeking_.PutVoid());
  if (!frameSeeking_ || frameSeeking_->IsFormatSupported(&TIME_FORMAT_FRAME) != S_OK) {
    frameSeeking_.Reset();
    if (!seeking_) return kNoInterface;
    seeking_->AddRef();
    *frameSeeking_.Put() = seeking_.Get();
  }
  const HRESULT hr = frameSeeking_->SetTimeFormat(&TIME_FORMAT_FRAME);
  if (FAILED(hr)) frameSeeking_.Reset();
  return hr;
}

Status DirectShowMediaGraph::SetCurrentFrame(std::int64_t frame) {
  if (!frameSeeking_) return E_POINTER;
  LONGLONG current = frame;
  return frameSeeking_->SetPositions(&current, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

Status DirectShowMediaGraph::GetCurrentFrame(std::int64_t* frame) {
  if (!frameSeeking_ || frame == nullptr) return E_POINTER;
  LONGLONG current = 0;
  const HRESULT hr = frameSeeking_->GetCurrentPosition(&current);
  if (SUCCEEDED(hr)) *frame = current;
  return hr;
}

}  // namespace zuna::dshow
