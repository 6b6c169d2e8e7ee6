#pragma once
// The AVI source test's sink: a small renderer of the test's own that accepts any video type and
// records, for every sample, the frame number painted into its first bytes, its media time (the
// frame it stands for) and its preroll flag. Like a renderer it holds on to the first sample it
// gets while paused, blocking until the graph runs, a flush comes or the graph stops.
#include <dshow.h>

#include <cstdint>
#include <mutex>
#include <vector>

#include "video/dshow/filter_base.h"
#include "video/dshow/pin_base.h"

namespace zuna::dshow_test {

struct ReceivedFrame {
  std::uint32_t painted = 0;
  LONGLONG mediaStart = -1;
  REFERENCE_TIME start = 0;
  bool preroll = false;
};

class FrameSink;

class FrameSinkPin final : public dshow::InputPinBase {
 public:
  explicit FrameSinkPin(FrameSink& sink);
  STDMETHODIMP Receive(IMediaSample* sample) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

 private:
  FrameSink& sink_;
};

class FrameSink final : public dshow::FilterBase {
 public:
  FrameSink();
  int PinCount() override { return 1; }
  dshow::PinBase* PinAt(int index) override { return index == 0 ? &input_ : nullptr; }

  std::vector<ReceivedFrame> Frames();
  int EndOfStreamCount();
  int FlushCount();
  void Record(const ReceivedFrame& frame);
  void RecordEndOfStream();
  void RecordFlush();

 private:
  FrameSinkPin input_;
  std::mutex mutex_;
  std::vector<ReceivedFrame> frames_;
  int endOfStream_ = 0;
  int flushes_ = 0;
};

}  // namespace zuna::dshow_test
