#include "video/player/win/window_renderer.h"

#include <chrono>
#include <cstdlib>
#include <new>

#include "video/dshow/dshow_guids.h"
#include "video/dshow/media_type.h"
#include "video/frames/win/frame_filter.h"
#include "video/player/win/overlay_drawing.h"

namespace zuna::dshow {
namespace {

// Reference-clock units (100 ns) in one millisecond.
constexpr REFERENCE_TIME kUnitsPerMillisecond = 10000;
// A frame later than this is not waited for; one due further ahead than this has a wrong time.
constexpr REFERENCE_TIME kLongestWait = 10000 * kUnitsPerMillisecond;

DisplayFrameFormat DisplayFormatOf(const AM_MEDIA_TYPE& type) {
  const VIDEOINFOHEADER* info = VideoInfoOf(type);
  if (info == nullptr) return {};
  return {ToFrameSubtype(type.subtype), info->bmiHeader.biWidth, info->bmiHeader.biHeight};
}

}  // namespace

bool UseWindowRenderer() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// ---- WindowRendererInputPin

WindowRendererInputPin::WindowRendererInputPin(WindowRenderer& filter)
    : InputPinBase(filter, L"Input"), owner_(filter) {}

STDMETHODIMP WindowRendererInputPin::Receive(IMediaSample* sample) {
  if (sample == nullptr) return E_POINTER;
  if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
  return owner_.Render(sample);
}

STDMETHODIMP WindowRendererInputPin::EndOfStream() {
  if (const HRESULT hr = CheckStreaming(); hr != S_OK) return hr;
  return owner_.EndOfStream();
}

STDMETHODIMP WindowRendererInputPin::BeginFlush() {
  InputPinBase::BeginFlush();
  owner_.BeginFlush();
  return S_OK;
}

STDMETHODIMP WindowRendererInputPin::EndFlush() {
  owner_.EndFlush();
  return InputPinBase::EndFlush();
}

HRESULT WindowRendererInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  if (Failed(CheckFrameInputType(ToFrameMediaType(type)))) return VFW_E_TYPE_NOT_ACCEPTED;
  return DisplaySourceBytes(DisplayFormatOf(type)) != 0 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

// ---- WindowRenderer

WindowRenderer* WindowRenderer::Create() {
  auto* renderer = new (std::nothrow) WindowRenderer();
  if (renderer != nullptr) renderer->AddRef();
  return renderer;
}

WindowRenderer::WindowRenderer()
    : FilterBase(CLSID_ZunaWindowRenderer, L"Window Renderer", Ownership::kDeletedOnRelease), input_(*this) {}

HRESULT WindowRenderer::QueryExtraInterface(REFIID riid, void** object) {
  if (riid == IID_IAMFilterMiscFlags) return GetInterface(static_cast<IAMFilterMiscFlags*>(this), object);
  return FilterBase::QueryExtraInterface(riid, object);
}

STDMETHODIMP WindowRenderer::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    mode_ = Mode::kStopped;
    endOfStream_ = false;
    completeSent_ = false;
  }
  wake_.notify_all();  // a held or waiting frame lets go, so the stop cannot hang on the stream
  return FilterBase::Stop();
}

STDMETHODIMP WindowRenderer::Pause() {
  const bool fromStopped = State() == State_Stopped;
  if (const HRESULT hr = FilterBase::Pause(); FAILED(hr)) return hr;
  std::lock_guard<std::mutex> lock(mutex_);
  if (fromStopped) StartStream();
  if (mode_ != Mode::kPaused) frameSincePause_ = false;  // the next frame becomes the paused picture
  mode_ = Mode::kPaused;
  return S_OK;
}

STDMETHODIMP WindowRenderer::Run(REFERENCE_TIME start) {
  const bool fromStopped = State() == State_Stopped;
  if (const HRESULT hr = FilterBase::Run(start); FAILED(hr)) return hr;
  bool complete = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (fromStopped) StartStream();
    mode_ = Mode::kRunning;
    complete = endOfStream_ && !completeSent_;
    completeSent_ = completeSent_ || complete;
  }
  wake_.notify_all();
  if (complete) NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
  return S_OK;
}

STDMETHODIMP WindowRenderer::GetState(DWORD timeout, FILTER_STATE* state) {
  if (state == nullptr) return E_POINTER;
  std::unique_lock<std::mutex> lock(mutex_);
  *state = State();
  if (mode_ != Mode::kPaused || !input_.IsConnected()) return S_OK;
  // A pause is complete once its picture is on the screen (or there will be none).
  const bool ready = wake_.wait_for(lock, std::chrono::milliseconds(timeout), [this] {
    return mode_ != Mode::kPaused || frameSincePause_ || endOfStream_ || flushing_;
  });
  *state = State();
  return ready ? S_OK : VFW_S_STATE_INTERMEDIATE;
}

void WindowRenderer::SetWindow(HWND window) {
  std::lock_guard<std::mutex> lock(mutex_);
  window_ = window;
}

HRESULT WindowRenderer::SetOutputSize(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxDisplaySide || height > kMaxDisplaySide) return E_INVALIDARG;
  std::lock_guard<std::mutex> lock(mutex_);
  outputWidth_ = width;
  outputHeight_ = height;
  return S_OK;
}

HRESULT WindowRenderer::Repaint() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (window_ == nullptr) return E_POINTER;
  Draw();
  return S_OK;
}

std::uint64_t WindowRenderer::FramesDrawn() {
  std::lock_guard<std::mutex> lock(mutex_);
  return framesDrawn_;
}

std::uint64_t WindowRenderer::FramesDrawnSinceStart() {
  std::lock_guard<std::mutex> lock(mutex_);
  return framesDrawn_ - framesAtStart_;
}

// Called with the mutex held: the connection is fixed while streaming.
void WindowRenderer::StartStream() {
  const DisplayFrameFormat format = DisplayFormatOf(input_.ConnectionType());
  // The last picture is drawn in the new format's size by a repaint: one of another size goes.
  if (format.width != format_.width || std::abs(format.height) != std::abs(format_.height)) pixels_.clear();
  format_ = format;
  framesAtStart_ = framesDrawn_;
}

HRESULT WindowRenderer::Render(IMediaSample* sample) {
  BYTE* data = nullptr;
  if (FAILED(sample->GetPointer(&data)) || data == nullptr) return E_POINTER;
  const long length = sample->GetActualDataLength();
  if (length <= 0) return S_OK;  // nothing to show: the picture before it stays
  std::unique_lock<std::mutex> lock(mutex_);
  // A frame still waiting for its time when the graph pauses becomes the paused picture.
  if (mode_ == Mode::kRunning) WaitUntilDue(sample, lock);
  if (Interrupted()) return S_OK;
  // A frame that does not fit its own format is skipped rather than drawn from beyond its end; the
  // picture before it stays for a repaint.
  if (Succeeded(ConvertToDisplayFrame(format_, {data, static_cast<std::size_t>(length)}, &scratch_))) {
    pixels_.swap(scratch_);
    Draw();
    ++framesDrawn_;
    // Wine shows what a thread without a message queue drew only when the window's own thread next
    // wakes: wake it, or a paused frame stays unseen until the user does something.
    PostMessageW(window_, WM_NULL, 0, 0);
  }
  if (mode_ != Mode::kPaused) return S_OK;
  // Paused: this is the picture of the pause; hold the stream here until it runs, stops or seeks.
  frameSincePause_ = true;
  wake_.notify_all();
  wake_.wait(lock, [this] { return mode_ != Mode::kPaused || flushing_; });
  return S_OK;
}

void WindowRenderer::WaitUntilDue(IMediaSample* sample, std::unique_lock<std::mutex>& lock) {
  REFERENCE_TIME start = 0, stop = 0;
  if (FAILED(sample->GetTime(&start, &stop))) return;  // live frames without a time show at once
  IReferenceClock* clock = AcquireClock();
  if (clock == nullptr) return;
  for (;;) {
    REFERENCE_TIME now = 0;
    if (FAILED(clock->GetTime(&now))) break;
    const REFERENCE_TIME ahead = StreamStart() + start - now;
    if (ahead <= 0 || ahead > kLongestWait) break;
    wake_.wait_for(lock, std::chrono::milliseconds(ahead / kUnitsPerMillisecond + 1));
    if (mode_ != Mode::kRunning || flushing_) break;
  }
  clock->Release();
}

HRESULT WindowRenderer::EndOfStream() {
  bool complete = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    endOfStream_ = true;
    complete = mode_ == Mode::kRunning && !completeSent_;
    completeSent_ = completeSent_ || complete;
  }
  wake_.notify_all();
  if (complete) NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
  return S_OK;
}

void WindowRenderer::BeginFlush() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    flushing_ = true;
  }
  wake_.notify_all();
}

void WindowRenderer::EndFlush() {
  std::lock_guard<std::mutex> lock(mutex_);
  flushing_ = false;
  // After a seek the stream starts over: the next frame is the picture of the pause.
  frameSincePause_ = false;
  endOfStream_ = false;
  completeSent_ = false;
}

void WindowRenderer::SetOverlay(const VideoOverlay* overlay) {
  std::lock_guard<std::mutex> lock(mutex_);
  overlay_ = overlay;
}

// Called with the mutex held. GDI may be used on a window from any thread.
void WindowRenderer::Draw() {
  const int width = format_.width;
  const int height = format_.height < 0 ? -format_.height : format_.height;
  // GDI reads as much as the header says: the picture must be exactly that large.
  if (window_ == nullptr || pixels_.empty() ||
      pixels_.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // the converted picture is top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(window_);
  if (dc == nullptr) return;
  SetStretchBltMode(dc, COLORONCOLOR);
  const int outWidth = outputWidth_ > 0 ? outputWidth_ : width;
  const int outHeight = outputHeight_ > 0 ? outputHeight_ : height;
  StretchDIBits(dc, 0, 0, outWidth, outHeight, 0, 0, width, height, pixels_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  if (overlay_ != nullptr) {
    DrawOverlay(dc, *overlay_, static_cast<double>(outWidth) / width, static_cast<double>(outHeight) / height);
  }
  ReleaseDC(window_, dc);
}

}  // namespace zuna::dshow
