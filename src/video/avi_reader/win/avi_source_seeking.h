#pragma once
// IMediaSeeking of the AVI source, answered alike by the filter and by its output pin (each face has
// the identity of its owner). Positions are frames (TIME_FORMAT_FRAME) or stream time in 100 ns
// units (TIME_FORMAT_MEDIA_TIME); the filter converts them exactly, so a frame's own start time
// always names that frame. Only absolute and relative positioning at rate 1.
//
// Each face keeps its own time format: the application sets frames on the filter's, while the graph
// reaches the pin's through the renderer and speaks stream time to it without ever setting it.
#include <dshow.h>

#include <atomic>

namespace zuna::dshow {

class AviSourceFilter;

class AviSourceSeeking final : public IMediaSeeking {
 public:
  AviSourceSeeking(IUnknown& owner, AviSourceFilter& filter) : owner_(owner), filter_(filter) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override { return owner_.QueryInterface(riid, object); }
  STDMETHODIMP_(ULONG) AddRef() override { return owner_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return owner_.Release(); }

  STDMETHODIMP GetCapabilities(DWORD* capabilities) override;
  STDMETHODIMP CheckCapabilities(DWORD* capabilities) override;
  STDMETHODIMP IsFormatSupported(const GUID* format) override;
  STDMETHODIMP QueryPreferredFormat(GUID* format) override;
  STDMETHODIMP GetTimeFormat(GUID* format) override;
  STDMETHODIMP IsUsingTimeFormat(const GUID* format) override;
  STDMETHODIMP SetTimeFormat(const GUID* format) override;
  STDMETHODIMP GetDuration(LONGLONG* duration) override;
  STDMETHODIMP GetStopPosition(LONGLONG* stop) override;
  STDMETHODIMP GetCurrentPosition(LONGLONG* current) override;
  STDMETHODIMP ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                 const GUID* sourceFormat) override;
  STDMETHODIMP SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override;
  STDMETHODIMP GetPositions(LONGLONG* current, LONGLONG* stop) override;
  STDMETHODIMP GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
  STDMETHODIMP SetRate(double rate) override;
  STDMETHODIMP GetRate(double* rate) override;
  STDMETHODIMP GetPreroll(LONGLONG* preroll) override;

 private:
  GUID Format() const { return frames_ ? TIME_FORMAT_FRAME : TIME_FORMAT_MEDIA_TIME; }

  IUnknown& owner_;
  AviSourceFilter& filter_;
  std::atomic<bool> frames_{false};
};

}  // namespace zuna::dshow
