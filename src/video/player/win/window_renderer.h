#pragma once
// A video renderer of the project's own that draws the display chain's YUY2 or RGB32 frames into a
// window with GDI. It stands in for the Enhanced Video Renderer where that renderer cannot show the
// stream (see UseWindowRenderer), so the observer always sees the picture.
//
// It keeps the renderer's contract with the graph: frames are shown at their stream time while
// running; when paused, the first frame after the pause or a flush is shown and the stream is held
// there, and the pause is complete (GetState) only once that frame arrived; the end of the stream
// is reported to the graph once running.
#include <dshow.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "video/dshow/filter_base.h"
#include "video/dshow/pin_base.h"
#include "video/frames/display_frame.h"
#include "video/player/video_overlay.h"

namespace zuna::dshow {

// True where the Enhanced Video Renderer is known not to work: under Wine, whose EVR refuses the
// YUY2 of analog frame grabbers, fails when an RGB32 stream runs and when its input is
// disconnected. Wine is told by the export its ntdll carries.
bool UseWindowRenderer();

class WindowRenderer;

class WindowRendererInputPin final : public InputPinBase {
 public:
  explicit WindowRendererInputPin(WindowRenderer& filter);

  STDMETHODIMP Receive(IMediaSample* sample) override;
  STDMETHODIMP EndOfStream() override;
  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

 private:
  WindowRenderer& owner_;
};

// A renderer to the graph (IAMFilterMiscFlags): the graph passes EC_COMPLETE on to the application
// only once every renderer has sent it, and counts as renderers only the filters that say so.
class WindowRenderer final : public FilterBase, public IAMFilterMiscFlags {
 public:
  // With one reference for the caller.
  static WindowRenderer* Create();

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override { return FilterBase::QueryInterface(riid, object); }
  STDMETHODIMP_(ULONG) AddRef() override { return FilterBase::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return FilterBase::Release(); }
  STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME start) override;
  STDMETHODIMP GetState(DWORD timeout, FILTER_STATE* state) override;

  int PinCount() override { return 1; }
  PinBase* PinAt(int index) override { return index == 0 ? &input_ : nullptr; }

  // Main thread: where and how large the picture is drawn (the whole picture into 0, 0, width,
  // height of the window's client area).
  void SetWindow(HWND window);
  HRESULT SetOutputSize(int width, int height);
  // Marks drawn over every picture; the overlay outlives the renderer (null: none).
  void SetOverlay(const VideoOverlay* overlay);
  // Draws the last frame again (after the window was covered or resized).
  HRESULT Repaint();
  // Frames drawn since the renderer was made, and since it last started streaming.
  std::uint64_t FramesDrawn();
  std::uint64_t FramesDrawnSinceStart();

  // Streaming thread.
  HRESULT Render(IMediaSample* sample);
  HRESULT EndOfStream();
  void BeginFlush();
  void EndFlush();

 protected:
  HRESULT QueryExtraInterface(REFIID riid, void** object) override;

 private:
  enum class Mode { kStopped, kPaused, kRunning };

  WindowRenderer();
  // Waits until the sample is due, or until the graph no longer runs or flushes.
  void WaitUntilDue(IMediaSample* sample, std::unique_lock<std::mutex>& lock);
  void StartStream();
  bool Interrupted() const { return mode_ == Mode::kStopped || flushing_; }
  void Draw();

  WindowRendererInputPin input_;

  std::mutex mutex_;  // everything below; never held while calling into the graph
  std::condition_variable wake_;
  Mode mode_ = Mode::kStopped;
  bool flushing_ = false;
  bool frameSincePause_ = false;  // the paused picture has arrived
  bool endOfStream_ = false;
  bool completeSent_ = false;
  HWND window_ = nullptr;
  const VideoOverlay* overlay_ = nullptr;
  int outputWidth_ = 0;
  int outputHeight_ = 0;
  DisplayFrameFormat format_;
  std::vector<std::uint8_t> pixels_;   // the last frame, top row first
  std::vector<std::uint8_t> scratch_;  // the next one while it is converted
  std::uint64_t framesDrawn_ = 0;
  std::uint64_t framesAtStart_ = 0;
};

}  // namespace zuna::dshow
