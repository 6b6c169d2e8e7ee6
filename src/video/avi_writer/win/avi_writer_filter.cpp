#include "video/avi_writer/win/avi_writer_filter.h"

#include <chrono>
#include <cstring>
#include <new>
#include <system_error>

#include "common/log/user_messages_log.h"
#include "video/avi_reader/win/avi_media_type.h"
#include "video/dshow/dshow_guids.h"
#include "video/dshow/media_type.h"

namespace zuna::dshow {

namespace {

constexpr wchar_t kCannotRestart[] =
    L"WARNING: the recording was already finished; the AVI writer does not start again in AviWriterFilter\r\n";
constexpr wchar_t kNoCheckpoints[] =
    L"WARNING: no checkpoint timer for the AVI file; it is brought up to date with every second of video\r\n";
constexpr auto kCheckpointPeriod = std::chrono::seconds(1);

}  // namespace

HRESULT CreateAviWriterFilter(const std::filesystem::path& path, IBaseFilter** filter) {
  if (filter == nullptr) return E_POINTER;
  *filter = nullptr;
  try {
    std::unique_ptr<RiffOutput> output = CreateRiffFile(path);
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
  StopCheckpoints();
  {
    std::lock_guard<std::mutex> lock(writeMutex_);
    writer_.Close();
  }
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
    std::unique_ptr<RiffOutput> output = CreateRiffFile(path);
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
    PostUserMessage(kCannotRestart, true);
    return VFW_E_WRONG_STATE;
  }
  AviVideoFormat format;
  if (const HRESULT hr = AviFormatFromMediaType(input_.ConnectionType(), &format); FAILED(hr)) return hr;
  {
    std::lock_guard<std::mutex> lock(writeMutex_);
    if (const Status status = writer_.Open(std::move(pendingOutput_), format); Failed(status)) return status;
    frameDuration_ = VideoInfoOf(input_.ConnectionType())->AvgTimePerFrame;
    anyFrame_ = false;
    framesReceived_ = 0;
  }
  started_ = true;
  try {
    timerStop_ = false;
    timer_ = std::thread(&AviWriterFilter::CheckpointLoop, this);
  } catch (const std::system_error&) {
    PostUserMessage(kNoCheckpoints, true);
  }
  return S_OK;
}

void AviWriterFilter::OnDeactivate() {
  StopCheckpoints();
  std::lock_guard<std::mutex> lock(writeMutex_);
  writer_.Close();
}

void AviWriterFilter::StopCheckpoints() {
  {
    std::lock_guard<std::mutex> lock(timerMutex_);
    timerStop_ = true;
  }
  timerWake_.notify_all();
  if (timer_.joinable()) timer_.join();
}

void AviWriterFilter::CheckpointLoop() {
  std::uint64_t seen = 0;
  std::uint64_t checkpointed = 0;
  std::unique_lock<std::mutex> timerLock(timerMutex_);
  while (!timerWake_.wait_for(timerLock, kCheckpointPeriod, [this] { return timerStop_; })) {
    std::lock_guard<std::mutex> lock(writeMutex_);
    // Frames that keep arriving checkpoint the file themselves; a stream that stalled does not.
    if (framesReceived_ == seen && framesReceived_ != checkpointed && writer_.IsOpen()) {
      writer_.Checkpoint();
      checkpointed = framesReceived_;
    }
    seen = framesReceived_;
  }
}

HRESULT AviWriterFilter::Write(IMediaSample* sample) {
  BYTE* data = nullptr;
  if (FAILED(sample->GetPointer(&data)) || data == nullptr) return E_POINTER;
  const long length = sample->GetActualDataLength();
  if (length < 0) return E_INVALIDARG;
  REFERENCE_TIME start = 0, stop = 0;
  const HRESULT timed = sample->GetTime(&start, &stop);

  std::lock_guard<std::mutex> lock(writeMutex_);
  if (!writer_.IsOpen()) return VFW_E_WRONG_STATE;
  // A sample without a time is taken to follow the previous one directly.
  if (timed != S_OK && timed != VFW_S_NO_STOP_TIME) start = anyFrame_ ? lastStart_ + frameDuration_ : 0;
  const bool key = sample->IsSyncPoint() == S_OK;
  // A failed write is reported to the user by the writer; the live picture must go on regardless.
  writer_.WriteFrame(ByteSpan(data, static_cast<std::size_t>(length)), start, key);
  lastStart_ = start;
  anyFrame_ = true;
  ++framesReceived_;
  return S_OK;
}

HRESULT AviWriterFilter::EndOfStream() {
  std::lock_guard<std::mutex> lock(writeMutex_);
  if (writer_.IsOpen()) writer_.Checkpoint();
  return S_OK;
}

std::uint32_t AviWriterFilter::FrameCount() {
  std::lock_guard<std::mutex> lock(writeMutex_);
  return writer_.FrameCount();
}

std::uint32_t AviWriterFilter::DroppedFrameCount() {
  std::lock_guard<std::mutex> lock(writeMutex_);
  return writer_.DroppedFrameCount();
}

}  // namespace zuna::dshow
