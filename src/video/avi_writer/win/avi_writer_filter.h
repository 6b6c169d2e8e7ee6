#pragma once
// The recording sink: a DirectShow filter with one input pin that hands every sample, with its start
// time, to a QueuedAviWriter, so that frames lost upstream are recorded as dropped and the camera's
// streaming thread never waits for the disk.
//
// The file is created when the filter is made (so a path that cannot be written fails at once), its
// headers are written when the graph starts and it is finished, every queued frame written, when the
// graph stops. A stopped writer never starts again: a finished recording is never overwritten. While
// running, the writer thread brings the file up to date on the disk every second, so a crash or a
// power cut loses little beyond what is still queued.
//
// When the graph runs, its clock and the system's precise UTC time are read together, so that the
// time stamp of every frame can be told as the computer's UTC time: the first frame's for the
// recording log, each one's for the frame times file beside the recording (NAME.frames.csv).
#include <dshow.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>

#include "common/time/file_time.h"
#include "video/avi_writer/queued_avi_writer.h"
#include "video/dshow/filter_base.h"
#include "video/dshow/pin_base.h"

namespace zuna::dshow {

// Makes the writer for a recording at `path` (an existing file is replaced) with one reference for
// the caller. Fails, creating nothing, when the file cannot be created.
HRESULT CreateAviWriterFilter(const std::filesystem::path& path, IBaseFilter** filter);

class AviWriterFilter;

struct AviWriterFilterTotals {
  QueuedAviWriterTotals frames;
  bool firstFrameKnown = false;
  FileTime firstFrameUtc = 0;
};

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

  // Streaming thread. Once the file takes no more frames (the disk is full, or another failure)
  // every further frame is counted as lost after the fault and still answered S_OK: the camera and
  // its preview go on until the recording's owner, who sees the fault in the totals, stops it.
  HRESULT Write(IMediaSample* sample);
  HRESULT EndOfStream();

  // Any thread: what the recording wrote so far, all of it once the graph stopped or Finish() was
  // called, with the fault that stopped it if any; false when the recording never began.
  bool Totals(AviWriterFilterTotals* totals);

  // Writes every queued frame and finishes the file now (the graph stopping does too); later
  // frames are refused. A failure is told to the user and kept in the totals.
  Status Finish();

 protected:
  HRESULT QueryExtraInterface(REFIID riid, void** object) override;
  HRESULT OnActivate() override;
  void OnDeactivate() override;
  HRESULT OnRun(REFERENCE_TIME start) override;

 private:
  void NoteFirstFrame(REFERENCE_TIME start);
  FileTime UtcOf(REFERENCE_TIME start);                // kUnknownUtc without the pair
  FileTime UtcOfClock(REFERENCE_TIME clock) const;     // timeMutex_ held
  std::unique_ptr<RiffOutput> CreateFrameTimesFile();  // null when it cannot be made
  IReferenceClock* RunClock();                         // with a reference for the caller, or null

  AviWriterInputPin input_;
  std::filesystem::path path_;                 // filter lock
  std::unique_ptr<RiffOutput> pendingOutput_;  // the created file until the recording starts
  std::atomic<bool> started_{false};           // the recording began (and may be over)

  QueuedAviWriter writer_;
  // Streaming thread.
  std::int64_t frameDuration_ = 0;
  std::int64_t lastStart_ = 0;
  bool anyFrame_ = false;

  std::mutex timeMutex_;
  bool clockPaired_ = false;      // the graph's clock was read with the UTC time
  REFERENCE_TIME pairClock_ = 0;  // the clock's time
  FileTime pairUtc_ = 0;          // and the UTC time read with it
  bool firstFrameKnown_ = false;  // the first kept frame's time on the graph's clock
  REFERENCE_TIME firstFrameClock_ = 0;
};

}  // namespace zuna::dshow
