#pragma once
// The playback source: a DirectShow filter reading an AVI file with the project's own frame reader,
// so that positions are frame numbers and a seek lands on exactly the requested frame on every
// platform.
//
// One output pin offers the video stream's own type (see avi_source_media_type.h), or, for the
// uncompressed layouts of other writers that the display chain does not take, YUY2 or RGB32 converted
// from each frame as it is delivered (see video/convert), so the chain and seeking stay the same. A
// palettized stream's frames are shown with the palette changes that come before them in the file. A streaming
// thread, running from Pause to Stop, delivers frame after frame stamped from the frame rate,
// relative to the start of the current segment, and end of stream after the last frame; downstream
// decides the pace (a paused renderer holds the first frame and blocks the next). A seek flushes
// downstream, waits until no sample of the old segment can still arrive, and starts a new segment at
// the requested frame: a compressed stream is decoded forward from the key frame before it, the
// frames before it flagged as preroll. A dropped (zero-length) frame shows the kept frame before it.
#include <dshow.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "video/avi/avi_byte_source.h"
#include "video/avi_reader/avi_frame_clock.h"
#include "video/avi_reader/avi_frame_reader.h"
#include "video/avi_reader/win/avi_source_seeking.h"
#include "video/convert/source_picture.h"
#include "video/dshow/filter_base.h"
#include "video/dshow/pin_base.h"

namespace zuna::dshow {

// Opens the AVI file at `path` and makes the "AVI Source Filter" for its video stream with one
// reference for the caller. Fails, creating nothing, when the file cannot be read as AVI video.
HRESULT CreateAviSourceFilter(const std::filesystem::path& path, IBaseFilter** filter);

class AviSourceFilter;

class AviSourceOutputPin final : public OutputPinBase {
 public:
  explicit AviSourceOutputPin(AviSourceFilter& filter);

  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT GetMediaType(int position, AM_MEDIA_TYPE* type) override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

 protected:
  HRESULT QueryExtraInterface(REFIID riid, void** object) override;

 private:
  AviSourceFilter& owner_;
  AviSourceSeeking seeking_;
};

class AviSourceFilter final : public FilterBase, public IFileSourceFilter {
 public:
  AviSourceFilter(std::unique_ptr<AviByteSource> file, AviFrameReader reader, std::filesystem::path path);
  ~AviSourceFilter() override;

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override { return FilterBase::QueryInterface(riid, object); }
  STDMETHODIMP_(ULONG) AddRef() override { return FilterBase::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return FilterBase::Release(); }
  // IFileSourceFilter: the file is given when the filter is made.
  STDMETHODIMP Load(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
  STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;

  int PinCount() override { return 1; }
  PinBase* PinAt(int index) override { return index == 0 ? &output_ : nullptr; }

  const AviFrameReader& Reader() const { return reader_; }
  // The one type the output pin offers, and the bytes of its largest sample.
  HRESULT OfferedMediaType(AM_MEDIA_TYPE* type) const;
  DWORD SampleBytes() const;

  // Seeking, for both faces of IMediaSeeking. Positions are frame numbers here.
  std::uint32_t FrameCount() const { return reader_.FrameCount(); }
  // A position in `format` (frames or stream time) for a frame, and back.
  LONGLONG FromFrame(std::uint64_t frame, const GUID& format) const;
  std::uint64_t ToFrame(LONGLONG value, const GUID& format) const;
  // The frame on show: while running the one due now by the clock, else the last one delivered or
  // sought to. The last frame at most.
  std::uint32_t CurrentFrame();
  std::uint32_t StopFrame();
  // Moves the current and/or stop position (frames; the stop position is exclusive).
  HRESULT Seek(std::optional<std::uint64_t> current, std::optional<std::uint64_t> stop);

 protected:
  HRESULT QueryExtraInterface(REFIID riid, void** object) override;
  HRESULT OnActivate() override;
  void OnDeactivate() override;

 private:
  struct Sample {
    std::uint32_t frame;  // whose bytes
    REFERENCE_TIME start, stop;
    LONGLONG mediaStart;
    bool preroll, sync, discontinuity;
  };

  void StreamLoop();
  HRESULT DeliverFrame(std::uint32_t frame, std::uint32_t segmentStart, bool discontinuity);
  HRESULT SendSample(const Sample& sample);
  const SourcePicture& PictureFor(std::uint32_t frame);
  bool Interrupted() const { return stopping_.load() || seeking_.load(); }

  AviSourceOutputPin output_;
  AviSourceSeeking seekingFace_;
  std::filesystem::path path_;
  std::unique_ptr<AviByteSource> file_;  // read by the streaming thread alone
  const AviFrameReader reader_;
  const AviFrameClock clock_;
  const std::optional<SourcePicture> conversion_;  // set when frames are converted for the display

  // Held by the streaming thread while it delivers; a seek takes it to know that no sample of the
  // old segment is still on its way. Never taken with positionLock_ held.
  CriticalSection deliverLock_;
  CriticalSection positionLock_;
  std::uint32_t next_ = 0;          // positionLock_: the next frame to deliver
  std::uint32_t stop_ = 0;          // positionLock_: frames from here on are not delivered
  std::uint32_t current_ = 0;       // positionLock_: the frame last delivered or sought to
  std::uint32_t segmentStart_ = 0;  // positionLock_
  bool newSegment_ = true;          // positionLock_: the next delivery begins a segment

  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> seeking_{false};
  HANDLE wake_ = nullptr;
  // Streaming thread only.
  std::optional<std::uint32_t> decoded_;  // the last frame the decoder downstream was given
  std::vector<std::uint8_t> bytes_;
  SourcePicture framePicture_;      // with the palette changes applied so far
  std::size_t appliedChanges_ = 0;  // how many of the reader's palette changes it holds
  std::vector<std::uint8_t> change_;
};

}  // namespace zuna::dshow
