// The AVI source filter: creation, state changes and positions.
#include "video/avi_reader/win/avi_source_filter.h"

#include <algorithm>
#include <cwchar>
#include <new>
#include <system_error>

#include "common/log/user_messages_log.h"

namespace zuna::dshow {
namespace {

// {6E2F4C3A-8B1D-4F57-9C0E-2A7D5B913C48}: answered by IPersist::GetClassID; not registered.
constexpr GUID kAviSourceClassId = {0x6E2F4C3A, 0x8B1D, 0x4F57, {0x9C, 0x0E, 0x2A, 0x7D, 0x5B, 0x91, 0x3C, 0x48}};

std::optional<SourcePicture> ConversionOf(const AviStreamFormat& format) {
  SourcePicture picture;
  if (DescribeSourcePicture(format.bitmapInfo, &picture) != kOk) return std::nullopt;
  return picture;
}

// A file refused, or read only in part because a frame claimed too much, is told by name.
void ReportReading(const std::filesystem::path& path, Status status, const std::string& problem) {
  if (problem.empty()) return;
  const std::wstring why(problem.begin(), problem.end());  // the reader's texts are ASCII
  if (Failed(status)) {
    PostStampedMessage(L"SEVERE: cannot read the AVI file " + path.wstring() + L" in AviSourceFilter: " + why +
                       L"\r\n");
  } else {
    PostStampedMessage(L"WARNING: the AVI file " + path.wstring() + L" is read in part in AviSourceFilter: " + why +
                       L"\r\n");
  }
}

}  // namespace

HRESULT CreateAviSourceFilter(const std::filesystem::path& path, IBaseFilter** filter) {
  if (filter == nullptr) return E_POINTER;
  *filter = nullptr;
  try {
    auto file = std::make_unique<AviFileSource>(path);
    if (!file->IsOpen()) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    AviFrameReader reader;
    const Status status = reader.Open(*file);
    ReportReading(path, status, reader.Problem());
    if (status == kUnexpected) return HRESULT_FROM_WIN32(ERROR_READ_FAULT);
    if (Failed(status)) return VFW_E_INVALID_FILE_FORMAT;
    auto* source = new AviSourceFilter(std::move(file), std::move(reader), path);
    return source->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(filter));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception&) {
    return E_FAIL;
  }
}

AviSourceFilter::AviSourceFilter(std::unique_ptr<AviByteSource> file, AviFrameReader reader, std::filesystem::path path)
    : FilterBase(kAviSourceClassId, L"AVI Source Filter", Ownership::kDeletedOnRelease),
      output_(*this),
      seekingFace_(*static_cast<IBaseFilter*>(this), *this),
      path_(std::move(path)),
      file_(std::move(file)),
      reader_(std::move(reader)),
      clock_(reader_.Format().rate, reader_.Format().scale),
      conversion_(ConversionOf(reader_.Format())),
      stop_(reader_.FrameCount()) {
  wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (conversion_) framePicture_ = *conversion_;
}

AviSourceFilter::~AviSourceFilter() {
  OnDeactivate();
  if (wake_ != nullptr) CloseHandle(wake_);
}

HRESULT AviSourceFilter::QueryExtraInterface(REFIID riid, void** object) {
  if (riid == IID_IMediaSeeking) return GetInterface(static_cast<IMediaSeeking*>(&seekingFace_), object);
  if (riid == IID_IFileSourceFilter) return GetInterface(static_cast<IFileSourceFilter*>(this), object);
  return FilterBase::QueryExtraInterface(riid, object);
}

STDMETHODIMP AviSourceFilter::Load(LPCOLESTR name, const AM_MEDIA_TYPE*) {
  return name == nullptr ? E_POINTER : E_UNEXPECTED;
}

STDMETHODIMP AviSourceFilter::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  const std::wstring text = path_.wstring();
  *name = static_cast<LPOLESTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  if (*name == nullptr) return E_OUTOFMEMORY;
  std::wmemcpy(*name, text.c_str(), text.size() + 1);
  if (type != nullptr) {
    *type = AM_MEDIA_TYPE{};
    if (output_.IsConnected()) return CopyMediaType(type, output_.ConnectionType());
  }
  return S_OK;
}

// ---- positions

LONGLONG AviSourceFilter::FromFrame(std::uint64_t frame, const GUID& format) const {
  return format == TIME_FORMAT_FRAME ? static_cast<LONGLONG>(frame) : clock_.StartTime(frame);
}

std::uint64_t AviSourceFilter::ToFrame(LONGLONG value, const GUID& format) const {
  if (format == TIME_FORMAT_FRAME) return value < 0 ? 0 : static_cast<std::uint64_t>(value);
  return clock_.FrameAt(value);
}

std::uint32_t AviSourceFilter::CurrentFrame() {
  std::uint32_t current = 0;
  std::uint32_t segmentStart = 0;
  {
    Lock lock(positionLock_);
    current = current_;
    segmentStart = segmentStart_;
  }
  if (State() == State_Running) {
    // Frames are delivered ahead of their time: the one on show is the one due by the clock.
    if (IReferenceClock* clock = AcquireClock()) {
      REFERENCE_TIME now = 0;
      if (SUCCEEDED(clock->GetTime(&now))) {
        const LONGLONG streamTime = now - StreamStart() + clock_.StartTime(segmentStart);
        current = static_cast<std::uint32_t>(
            std::clamp<std::uint64_t>(clock_.FrameAt(streamTime), segmentStart, std::max(current, segmentStart)));
      }
      clock->Release();
    }
  }
  return FrameCount() == 0 ? 0 : std::min(current, FrameCount() - 1);
}

std::uint32_t AviSourceFilter::StopFrame() {
  Lock lock(positionLock_);
  return stop_;
}

HRESULT AviSourceFilter::Seek(std::optional<std::uint64_t> current, std::optional<std::uint64_t> stop) {
  const auto clampFrame = [this](std::uint64_t frame) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(frame, FrameCount()));
  };
  // Serialised with the state changes, so the streaming thread neither starts nor ends meanwhile.
  Lock filterLock(FilterLock());
  const bool streaming = thread_.joinable();
  if (!current) {
    Lock lock(positionLock_);
    if (stop) stop_ = clampFrame(*stop);
    return S_OK;
  }
  if (streaming) {
    // The flush releases a delivery blocked downstream; once the thread has let go of the delivery
    // lock, no sample of the old segment can follow the end of the flush.
    seeking_ = true;
    output_.DeliverBeginFlush();
  }
  {
    Lock deliver(deliverLock_);
    {
      Lock lock(positionLock_);
      next_ = current_ = std::min(clampFrame(*current), FrameCount() == 0 ? 0u : FrameCount() - 1);
      if (*current >= FrameCount()) next_ = FrameCount();  // past the end: straight to end of stream
      if (stop) stop_ = clampFrame(*stop);
      segmentStart_ = next_;
      newSegment_ = true;
    }
    if (streaming) {
      output_.DeliverEndFlush();
      seeking_ = false;
    }
  }
  if (streaming) SetEvent(wake_);
  return S_OK;
}

// ---- state changes

HRESULT AviSourceFilter::OnActivate() {
  if (!output_.IsConnected()) return S_OK;
  {
    // Each activation starts a segment at the frame on show.
    Lock lock(positionLock_);
    next_ = segmentStart_ = current_;
    newSegment_ = true;
  }
  stopping_ = false;
  seeking_ = false;
  decoded_.reset();
  try {
    thread_ = std::thread(&AviSourceFilter::StreamLoop, this);
  } catch (const std::system_error&) {
    return E_FAIL;
  }
  return S_OK;
}

void AviSourceFilter::OnDeactivate() {
  stopping_ = true;
  if (wake_ != nullptr) SetEvent(wake_);
  if (thread_.joinable()) thread_.join();
}

}  // namespace zuna::dshow
