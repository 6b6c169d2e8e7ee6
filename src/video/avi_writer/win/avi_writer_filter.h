#pragma once
// The recording sink: a DirectShow filter with one input pin that hands every sample to the
// project's AviWriter, with its start time so that frames lost upstream are recorded as dropped.
//
// The file is created when the filter is made (so a path that cannot be written fails at once), its
// headers are written when the graph starts and it is finished when the graph stops. A stopped
// writer never starts again: a finished recording is never overwritten. While running, a recording
// whose frames stop arriving is still checkpointed every second, so a crash loses nothing already
// received.
#include <dshow.h>

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

#include "video/avi_writer/avi_writer.h"
#include "video/dshow/filter_base.h"
#include "video/dshow/pin_base.h"

namespace zuna::dshow {

// Makes the writer for a recording at `path` (an existing file is replaced) with one reference for
// the caller. Fails, creating nothing, when the file cannot be created.
HRESULT CreateAviWriterFilter(const std::filesystem::path& path, IBaseFilter** filter);

class AviWriterFilter;

class AviWriterInputPin final : public InputPinBase {
 public:
  explicit AviWriterInputPin(AviWriterFilter& filter);

  STDMETHODIMP Receive(IMediaSample* sample) override;
  STDMETHODIMP EndOfStream() override;
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

 private:
  AviWriterFilter& owner_;
};

class AviWriterFilter final : public FilterBase, public IFileSinkFilter {
 public:
  explicit AviWriterFilter(std::unique_ptr<RiffOutput> output, std::filesystem::path path);
  ~AviWriterFilter() override;

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override { return FilterBase::QueryInterface(riid, object); }
  STDMETHODIMP_(ULONG) AddRef() override { return FilterBase::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return FilterBase::Release(); }
  // IFileSinkFilter: the name can change until the recording starts.
  STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;

  int PinCount() override { return 1; }
  PinBase* PinAt(int index) override { return index == 0 ? &input_ : nullptr; }

  // Streaming thread.
  HRESULT Write(IMediaSample* sample);
  HRESULT EndOfStream();

  // Frames recorded so far, dropped ones included, and the dropped ones alone.
  std::uint32_t FrameCount();
  std::uint32_t DroppedFrameCount();

 protected:
  HRESULT QueryExtraInterface(REFIID riid, void** object) override;
  HRESULT OnActivate() override;
  void OnDeactivate() override;

 private:
  void CheckpointLoop();
  void StopCheckpoints();

  AviWriterInputPin input_;
  std::filesystem::path path_;                 // filter lock
  std::unique_ptr<RiffOutput> pendingOutput_;  // the created file until the recording starts
  bool started_ = false;                       // filter lock: the recording began (and may be over)

  std::mutex writeMutex_;  // the writer is used by one thread at a time
  AviWriter writer_;
  std::int64_t frameDuration_ = 0;
  std::int64_t lastStart_ = 0;
  bool anyFrame_ = false;
  std::uint64_t framesReceived_ = 0;

  std::mutex timerMutex_;
  std::condition_variable timerWake_;
  bool timerStop_ = false;
  std::thread timer_;
};

}  // namespace zuna::dshow
