#include "video/frames/win/time_lapse_filter.h"

#include "video/dshow/dshow_guids.h"
#include "video/dshow/media_type.h"
#include "video/frames/frame_row_copy.h"

namespace zuna::dshow {

TimeLapseFilter::TimeLapseFilter(CommonState& state)
    : FrameFilter(CLSID_ZunaTimeLapseFilter, L"Time Lapse Filter", state) {}

HRESULT TimeLapseFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
  const HRESULT hr = FrameFilter::DecideBufferSize(allocator, request);
  if (FAILED(hr)) return hr;
  const VIDEOINFOHEADER* info = VideoInfoOf(Output().ConnectionType());
  const std::int64_t frameDuration = info != nullptr && info->AvgTimePerFrame > 0 ? info->AvgTimePerFrame : 0;
  decider_.Latch(LoadTimeLapseSettings(state_, intervalMode_, frameDuration));
  return hr;
}

HRESULT TimeLapseFilter::TransformFrame(IMediaSample* input, IMediaSample* output, const Frame& frame) {
  SampleTimes times;
  REFERENCE_TIME start = 0, stop = 0;
  const HRESULT timed = input->GetTime(&start, &stop);
  if (timed == S_OK) {
    times.stream = SampleSpan{start, stop};
  } else if (timed == VFW_S_NO_STOP_TIME) {
    times.stream = SampleSpan{start, start};
  }
  LONGLONG mediaStart = 0, mediaStop = 0;
  if (input->GetMediaTime(&mediaStart, &mediaStop) == S_OK) times.media = SampleSpan{mediaStart, mediaStop};

  const TimeLapseDecision decision = decider_.Decide(times);
  if (!decision.deliver) return S_FALSE;
  if (const Status status = CopyFrameRows(frame.input, frame.output, frame.geometry, TimeLapseRowOrder());
      Failed(status)) {
    return status;
  }
  if (decision.times.stream) {
    REFERENCE_TIME keptStart = decision.times.stream->start, keptStop = decision.times.stream->stop;
    output->SetTime(&keptStart, keptStop > keptStart ? &keptStop : nullptr);
  } else {
    output->SetTime(nullptr, nullptr);
  }
  if (decision.times.media) {
    LONGLONG keptStart = decision.times.media->start, keptStop = decision.times.media->stop;
    output->SetMediaTime(&keptStart, &keptStop);
  } else {
    output->SetMediaTime(nullptr, nullptr);
  }
  return S_OK;
}

}  // namespace zuna::dshow
