#include "video/avi_writer/win/avi_writer_filter.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "common/log/user_messages_log.h"
#include "video/avi_reader/win/avi_media_type.h"
#include "video/avi_writer/win/riff_win32_file.h"
#include "video/dshow/dshow_guids.h"
#include "video/dshow/media_type.h"

namespace zuna::dshow {

namespace {

constexpr wchar_t kCannotRestart[] =
    L"WARNING: the recording was already finished; the AVI writer does not start again in AviWriterFilter\r\n";

// Clock and device times are not trusted: bounded by this, the sums made of them cannot overflow.
constexpr REFERENCE_TIME kClockLimit = REFERENCE_TIME{1} << 60;

FileTime PreciseUtcNow() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return (static_cast<FileTime>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace

HRESULT CreateAviWriterFilter(const std::filesystem::path& path, IBaseFilter** filter) {
  if (filter == nullptr) return E_POINTER;
  *filter = nullptr;
  try {
    std::unique_ptr<RiffOutput> output = CreateWin32RiffFile(path);
    if (!output) return HRESULT_FROM_WIN32(ERROR_CANNOT_MAKE);
    auto* writer = new AviWriterFilter(std::move(output), path);
    writer->AddRef();
    *filter = writer;
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

// ---- AviWriterInputPin

AviWriterInputPin::AviWriterInputPin(AviWriterFilter& filter) : InputPinBase(filter, L"Input"), owner_(filter) {}

STDMETHODIMP AviWriterInputPin::Receive(IMediaSample* sample) {
  if (sample == nullptr) return E_POINTER;
  if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
  return owner_.Write(sample);
}

STDMETHODIMP AviWriterInputPin::EndOfStream() {
  if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
  return owner_.EndOfStream();
}

HRESULT AviWriterInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  AviVideoFormat format;
  return AviFormatFromMediaType(type, &format);
}

// ---- AviWriterFilter

AviWriterFilter::AviWriterFilter(std::unique_ptr<RiffOutput> output, std::filesystem::path path)
    : FilterBase(CLSID_ZunaAviWriterFilter, L"AVI Writer", Ownership::kDeletedOnRelease),
      input_(*this),
      path_(std::move(path)),
      pendingOutput_(std::move(output)) {}

AviWriterFilter::~AviWriterFilter() {
  Finish();  // normally done already; a failure here was told to the user by the writer
  if (pendingOutput_) {
    // Made for a recording that never started: leave no empty file behind.
    pendingOutput_->Close();
    pendingOutput_.reset();
    std::error_code ignored;
    if (std::filesystem::exists(path_, ignored) && std::filesystem::file_size(path_, ignored) == 0) {
      std::filesystem::remove(path_, ignored);
    }
  }
}

HRESULT AviWriterFilter::QueryExtraInterface(REFIID riid, void** object) {
  if (riid == IID_IFileSinkFilter) return GetInterface(static_cast<IFileSinkFilter*>(this), object);
  return FilterBase::QueryExtraInterface(riid, object);
}

STDMETHODIMP AviWriterFilter::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*) {
  if (name == nullptr) return E_POINTER;
  Lock lock(FilterLock());
  if (started_ || State() != State_Stopped) return VFW_E_WRONG_STATE;
  try {
    std::filesystem::path path(name);
    if (path == path_) return S_OK;
    std::unique_ptr<RiffOutput> output = CreateWin32RiffFile(path);
    if (!output) return HRESULT_FROM_WIN32(ERROR_CANNOT_MAKE);
    if (pendingOutput_) {
      pendingOutput_->Close();
      std::error_code ignored;
      if (std::filesystem::file_size(path_, ignored) == 0) std::filesystem::remove(path_, ignored);
    }
    pendingOutput_ = std::move(output);
    path_ = std::move(path);
  } catch (const std::exception&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

STDMETHODIMP AviWriterFilter::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) {
  if (name == nullptr) return E_POINTER;
  Lock lock(FilterLock());
  const std::wstring& text = path_.native();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  *name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
  if (*name == nullptr) return E_OUTOFMEMORY;
  std::memcpy(*name, text.c_str(), bytes);
  if (type != nullptr) {
    *type = AM_MEDIA_TYPE{};
    type->majortype = MEDIATYPE_Stream;
    type->subtype = MEDIASUBTYPE_Avi;
  }
  return S_OK;
}

HRESULT AviWriterFilter::OnActivate() {
  if (!input_.IsConnected()) return VFW_E_NOT_CONNECTED;
  if (started_) {
    PostStampedMessage(kCannotRestart);
    return VFW_E_WRONG_STATE;
  }
  AviVideoFormat format;
  if (const HRESULT hr = AviFormatFromMediaType(input_.ConnectionType(), &format); FAILED(hr)) return hr;
  frameDuration_ = VideoInfoOf(input_.ConnectionType())->AvgTimePerFrame;
  anyFrame_ = false;
  {
    std::lock_guard<std::mutex> lock(timeMutex_);
    clockPaired_ = firstFrameKnown_ = false;
  }
  if (const Status status = writer_.Open(std::move(pendingOutput_), format, CreateFrameTimesFile()); Failed(status)) {
    return status;
  }
  started_ = true;
  return S_OK;
}

// The recording goes on without its frame times when their file cannot be made; the user is told.
std::unique_ptr<RiffOutput> AviWriterFilter::CreateFrameTimesFile() {
  std::filesystem::path path;
  {
    Lock lock(FilterLock());
    path = FrameTimesPath(path_);
  }
  std::unique_ptr<RiffOutput> output = CreateWin32RiffFile(path);
  if (!output) PostStampedMessage(L"SEVERE: cannot create the frame times file " + path.wstring() + L"\r\n");
  return output;
}

void AviWriterFilter::OnDeactivate() {
  Finish();  // every queued frame is written first; a failure stays in the totals
}

Status AviWriterFilter::Finish() {
  return writer_.Close();
}

// The clock the graph gave the filter, else the graph's own.
IReferenceClock* AviWriterFilter::RunClock() {
  if (IReferenceClock* clock = AcquireClock(); clock != nullptr) return clock;
  return GraphSyncSource();
}

// The clock is read on both sides of the UTC time, so the pair is off by half the read at most.
HRESULT AviWriterFilter::OnRun(REFERENCE_TIME) {
  IReferenceClock* clock = RunClock();
  if (clock == nullptr) return S_OK;  // a graph without a clock: the first frame's time stays unknown
  REFERENCE_TIME before = 0, after = 0;
  const bool read = SUCCEEDED(clock->GetTime(&before));
  const FileTime utc = PreciseUtcNow();
  const bool readAgain = read && SUCCEEDED(clock->GetTime(&after));
  clock->Release();
  if (!readAgain) return S_OK;
  std::lock_guard<std::mutex> lock(timeMutex_);
  clockPaired_ = true;
  pairClock_ = std::clamp(before / 2 + after / 2, -kClockLimit, kClockLimit);
  pairUtc_ = utc;
  return S_OK;
}

HRESULT AviWriterFilter::Write(IMediaSample* sample) {
  BYTE* data = nullptr;
  if (FAILED(sample->GetPointer(&data)) || data == nullptr) return E_POINTER;
  const long length = sample->GetActualDataLength();
  if (length < 0) return E_INVALIDARG;
  if (!writer_.IsOpen()) return VFW_E_WRONG_STATE;
  REFERENCE_TIME start = 0, stop = 0;
  const HRESULT timed = sample->GetTime(&start, &stop);
  // A sample without a time is taken to follow the previous one directly.
  if (timed != S_OK && timed != VFW_S_NO_STOP_TIME) start = anyFrame_ ? lastStart_ + frameDuration_ : 0;
  const bool key = sample->IsSyncPoint() == S_OK;
  // A frame the queue cannot keep is recorded as dropped; the live picture goes on regardless.
  const FileTime utc = UtcOf(start);
  if (writer_.Submit(ByteSpan(data, static_cast<std::size_t>(length)), start, key, utc) == kOk) NoteFirstFrame(start);
  lastStart_ = start;
  anyFrame_ = true;
  return S_OK;
}

void AviWriterFilter::NoteFirstFrame(REFERENCE_TIME start) {
  std::lock_guard<std::mutex> lock(timeMutex_);
  if (firstFrameKnown_) return;
  firstFrameKnown_ = true;
  firstFrameClock_ =
      std::clamp(StreamStart(), -kClockLimit, kClockLimit) + std::clamp(start, -kClockLimit, kClockLimit);
}

// The sample's time on the graph's clock, told as the computer's UTC time by the pair read at Run.
FileTime AviWriterFilter::UtcOf(REFERENCE_TIME start) {
  std::lock_guard<std::mutex> lock(timeMutex_);
  if (!clockPaired_) return kUnknownUtc;
  const REFERENCE_TIME clock =
      std::clamp(StreamStart(), -kClockLimit, kClockLimit) + std::clamp(start, -kClockLimit, kClockLimit);
  return UtcOfClock(clock);
}

// Whole 100 ns units on both clocks; a time before 1601 cannot come from a working clock.
FileTime AviWriterFilter::UtcOfClock(REFERENCE_TIME clock) const {
  const std::int64_t utc = static_cast<std::int64_t>(pairUtc_) + (clock - pairClock_);
  return utc > 0 ? static_cast<FileTime>(utc) : kUnknownUtc;
}

HRESULT AviWriterFilter::EndOfStream() {
  writer_.RequestCheckpoint();
  return S_OK;
}

bool AviWriterFilter::Totals(AviWriterFilterTotals* totals) {
  if (!started_) return false;
  totals->frames = writer_.Totals();
  std::lock_guard<std::mutex> lock(timeMutex_);
  totals->firstFrameKnown = firstFrameKnown_ && clockPaired_;
  if (!totals->firstFrameKnown) return true;
  const FileTime utc = UtcOfClock(firstFrameClock_);
  totals->firstFrameKnown = utc != kUnknownUtc;
  totals->firstFrameUtc = utc;
  return true;
}

}  // namespace zuna::dshow
