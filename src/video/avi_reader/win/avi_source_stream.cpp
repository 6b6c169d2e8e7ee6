// The AVI source's streaming thread.
#include <algorithm>
#include <cstring>

#include "video/avi_reader/win/avi_source_filter.h"
#include "video/convert/palette_change.h"
#include "video/convert/win/display_media_type.h"

namespace zuna::dshow {

void AviSourceFilter::StreamLoop() {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  bool halted = false;  // end of stream sent, or downstream refused: wait for a seek or the stop
  while (!stopping_) {
    if (halted || seeking_) {
      WaitForSingleObject(wake_, 50);
      if (seeking_) continue;
    }
    Lock deliver(deliverLock_);
    if (Interrupted()) continue;
    std::uint32_t frame = 0, stop = 0, segmentStart = 0;
    bool begin = false;
    {
      Lock lock(positionLock_);
      begin = newSegment_;
      newSegment_ = false;
      frame = next_;
      stop = stop_;
      segmentStart = segmentStart_;
    }
    if (begin) {
      halted = false;
      decoded_.reset();
      output_.DeliverNewSegment(clock_.StartTime(segmentStart), clock_.StartTime(stop), 1.0);
    } else if (halted) {
      continue;
    }
    if (frame >= stop) {
      output_.DeliverEndOfStream();
      halted = true;
      continue;
    }
    const HRESULT hr = DeliverFrame(frame, segmentStart, begin);
    if (Interrupted()) continue;  // a refusal caused by the flush or the stop is no fault
    if (hr != S_OK) {
      // S_FALSE: downstream wants no more; a failure is reported to the application.
      if (FAILED(hr)) NotifyEvent(EC_ERRORABORT, hr, 0);
      halted = true;
      continue;
    }
    Lock lock(positionLock_);
    next_ = frame + 1;
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

// Delivers what pictures `frame`: the frame itself, or for a dropped frame the kept one before it;
// for a compressed stream first the frames the decoder needs since the last key frame, as preroll.
HRESULT AviSourceFilter::DeliverFrame(std::uint32_t frame, std::uint32_t segmentStart, bool discontinuity) {
  const std::optional<std::uint32_t> picture = reader_.PictureFrame(frame);
  {
    Lock lock(positionLock_);
    current_ = frame;  // the delivery may block until the graph runs: the frame is on show already
  }
  if (!picture) return S_OK;  // every frame was dropped: nothing to show
  const REFERENCE_TIME base = clock_.StartTime(segmentStart);
  const bool compressed = !reader_.Format().Uncompressed();
  if (compressed) {
    std::uint32_t from = reader_.DecodeStart(*picture);
    // Going on from the frame the decoder holds saves decoding again from the key frame.
    if (decoded_ && *decoded_ >= from && *decoded_ < *picture) from = *decoded_ + 1;
    for (std::uint32_t f = from; f < *picture; ++f) {
      if (reader_.Frames()[f].size == 0) continue;
      const Sample preroll{f,
                           clock_.StartTime(f) - base,
                           clock_.StartTime(f + 1) - base,
                           f,
                           true,
                           reader_.Frames()[f].key,
                           discontinuity};
      const HRESULT hr = SendSample(preroll);
      if (hr != S_OK) return hr;
      decoded_ = f;
      discontinuity = false;
      if (Interrupted()) return S_FALSE;
    }
  }
  const Sample shown{*picture,
                     clock_.StartTime(frame) - base,
                     clock_.StartTime(frame + 1) - base,
                     frame,
                     false,
                     !compressed || reader_.Frames()[*picture].key,
                     discontinuity};
  const HRESULT hr = SendSample(shown);
  if (hr == S_OK) decoded_ = *picture;
  return hr;
}

// The converted picture of `frame`: for a palettized stream, its palette with every change the file
// makes before that frame, applied forward from the last frame and afresh after a seek back.
const SourcePicture& AviSourceFilter::PictureFor(std::uint32_t frame) {
  const std::vector<AviPaletteChange>& changes = reader_.PaletteChanges();
  if (conversion_->layout != PictureLayout::kPal8 || changes.empty()) return *conversion_;
  const auto wanted = static_cast<std::size_t>(
      std::upper_bound(changes.begin(), changes.end(), frame,
                       [](std::uint32_t f, const AviPaletteChange& change) { return f < change.fromFrame; }) -
      changes.begin());
  if (wanted < appliedChanges_) {
    framePicture_ = *conversion_;
    appliedChanges_ = 0;
  }
  for (; appliedChanges_ < wanted; ++appliedChanges_) {
    // A change that cannot be read or does not fit is passed over: the frames keep the palette they have.
    if (Succeeded(reader_.ReadPaletteChange(*file_, appliedChanges_, change_))) {
      ApplyPaletteChange(change_, &framePicture_);
    }
  }
  return framePicture_;
}

HRESULT AviSourceFilter::SendSample(const Sample& s) {
  if (Failed(reader_.ReadFrame(*file_, s.frame, bytes_))) return HRESULT_FROM_WIN32(ERROR_READ_FAULT);
  IMediaSample* sample = nullptr;
  HRESULT hr = output_.GetDeliveryBuffer(&sample, nullptr, nullptr, 0);
  if (FAILED(hr)) return hr;
  BYTE* data = nullptr;
  hr = sample->GetPointer(&data);
  if (SUCCEEDED(hr) && conversion_) {
    hr = ConvertIntoSample(PictureFor(s.frame), bytes_, sample);
  } else if (SUCCEEDED(hr)) {
    if (static_cast<std::size_t>(sample->GetSize()) < bytes_.size()) hr = VFW_E_BUFFER_OVERFLOW;
    if (SUCCEEDED(hr) && !bytes_.empty()) std::memcpy(data, bytes_.data(), bytes_.size());
    if (SUCCEEDED(hr)) sample->SetActualDataLength(static_cast<long>(bytes_.size()));
  }
  if (SUCCEEDED(hr)) {
    REFERENCE_TIME start = s.start;
    REFERENCE_TIME stop = s.stop;
    LONGLONG mediaStart = s.mediaStart;
    LONGLONG mediaStop = s.mediaStart + 1;
    sample->SetTime(&start, &stop);
    sample->SetMediaTime(&mediaStart, &mediaStop);  // frame numbers, as the file counts them
    sample->SetPreroll(s.preroll ? TRUE : FALSE);
    sample->SetSyncPoint(s.sync ? TRUE : FALSE);
    sample->SetDiscontinuity(s.discontinuity ? TRUE : FALSE);
    hr = output_.Deliver(sample);
  }
  sample->Release();
  return hr;
}

}  // namespace zuna::dshow
