#include "video/avi_reader/win/avi_source_seeking.h"

#include "video/avi_reader/win/avi_source_filter.h"

namespace zuna::dshow {
namespace {

constexpr DWORD kCapabilities = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards | AM_SEEKING_CanSeekBackwards |
                                AM_SEEKING_CanGetCurrentPos | AM_SEEKING_CanGetStopPos | AM_SEEKING_CanGetDuration;

bool Supported(const GUID& format) {
  return format == TIME_FORMAT_FRAME || format == TIME_FORMAT_MEDIA_TIME;
}

}  // namespace

STDMETHODIMP AviSourceSeeking::GetCapabilities(DWORD* capabilities) {
  if (capabilities == nullptr) return E_POINTER;
  *capabilities = kCapabilities;
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::CheckCapabilities(DWORD* capabilities) {
  if (capabilities == nullptr) return E_POINTER;
  const DWORD asked = *capabilities;
  *capabilities &= kCapabilities;
  if (*capabilities == asked) return S_OK;
  return *capabilities != 0 ? S_FALSE : E_FAIL;
}

STDMETHODIMP AviSourceSeeking::IsFormatSupported(const GUID* format) {
  if (format == nullptr) return E_POINTER;
  return Supported(*format) ? S_OK : S_FALSE;
}

STDMETHODIMP AviSourceSeeking::QueryPreferredFormat(GUID* format) {
  if (format == nullptr) return E_POINTER;
  *format = TIME_FORMAT_MEDIA_TIME;
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::GetTimeFormat(GUID* format) {
  if (format == nullptr) return E_POINTER;
  *format = Format();
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::IsUsingTimeFormat(const GUID* format) {
  if (format == nullptr) return E_POINTER;
  return Format() == *format ? S_OK : S_FALSE;
}

STDMETHODIMP AviSourceSeeking::SetTimeFormat(const GUID* format) {
  if (format == nullptr) return E_POINTER;
  if (!Supported(*format)) return E_INVALIDARG;
  frames_ = *format == TIME_FORMAT_FRAME;
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::GetDuration(LONGLONG* duration) {
  if (duration == nullptr) return E_POINTER;
  *duration = filter_.FromFrame(filter_.FrameCount(), Format());
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::GetStopPosition(LONGLONG* stop) {
  if (stop == nullptr) return E_POINTER;
  *stop = filter_.FromFrame(filter_.StopFrame(), Format());
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::GetCurrentPosition(LONGLONG* current) {
  if (current == nullptr) return E_POINTER;
  *current = filter_.FromFrame(filter_.CurrentFrame(), Format());
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                                 const GUID* sourceFormat) {
  if (target == nullptr) return E_POINTER;
  const GUID from = sourceFormat != nullptr ? *sourceFormat : Format();
  const GUID to = targetFormat != nullptr ? *targetFormat : Format();
  if (!Supported(from) || !Supported(to)) return E_INVALIDARG;
  *target = from == to ? source : filter_.FromFrame(filter_.ToFrame(source, from), to);
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) {
  const DWORD currentHow = currentFlags & AM_SEEKING_PositioningBitsMask;
  const DWORD stopHow = stopFlags & AM_SEEKING_PositioningBitsMask;
  if ((currentHow != AM_SEEKING_NoPositioning && current == nullptr) ||
      (stopHow != AM_SEEKING_NoPositioning && stop == nullptr)) {
    return E_POINTER;
  }
  const GUID format = Format();
  // A frame is the unit of a position: a time inside a frame names that frame.
  const auto resolve = [&](LONGLONG value, DWORD how, std::uint64_t from) -> std::optional<std::uint64_t> {
    switch (how) {
      case AM_SEEKING_AbsolutePositioning:
        return filter_.ToFrame(value, format);
      case AM_SEEKING_RelativePositioning:
        return filter_.ToFrame(filter_.FromFrame(from, format) + value, format);
      case AM_SEEKING_IncrementalPositioning:
        return filter_.ToFrame(filter_.FromFrame(from, format) + value, format);
      default:
        return std::nullopt;
    }
  };
  if (currentHow == AM_SEEKING_IncrementalPositioning) return E_INVALIDARG;
  std::optional<std::uint64_t> newCurrent;
  std::optional<std::uint64_t> newStop;
  if (currentHow != AM_SEEKING_NoPositioning) newCurrent = resolve(*current, currentHow, filter_.CurrentFrame());
  if (stopHow != AM_SEEKING_NoPositioning) {
    const std::uint64_t base =
        stopHow == AM_SEEKING_IncrementalPositioning && newCurrent ? *newCurrent : filter_.StopFrame();
    newStop = resolve(*stop, stopHow, base);
  }
  if (!newCurrent && !newStop && (currentHow != AM_SEEKING_NoPositioning || stopHow != AM_SEEKING_NoPositioning)) {
    return E_INVALIDARG;
  }
  const HRESULT hr = filter_.Seek(newCurrent, newStop);
  if (FAILED(hr)) return hr;
  if ((currentFlags & AM_SEEKING_ReturnTime) != 0 && newCurrent) *current = filter_.FromFrame(*newCurrent, format);
  if ((stopFlags & AM_SEEKING_ReturnTime) != 0 && newStop) *stop = filter_.FromFrame(*newStop, format);
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::GetPositions(LONGLONG* current, LONGLONG* stop) {
  if (current != nullptr) *current = filter_.FromFrame(filter_.CurrentFrame(), Format());
  if (stop != nullptr) *stop = filter_.FromFrame(filter_.StopFrame(), Format());
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::GetAvailable(LONGLONG* earliest, LONGLONG* latest) {
  if (earliest != nullptr) *earliest = 0;
  if (latest != nullptr) *latest = filter_.FromFrame(filter_.FrameCount(), Format());
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::SetRate(double rate) {
  return rate == 1.0 ? S_OK : E_INVALIDARG;
}

STDMETHODIMP AviSourceSeeking::GetRate(double* rate) {
  if (rate == nullptr) return E_POINTER;
  *rate = 1.0;
  return S_OK;
}

STDMETHODIMP AviSourceSeeking::GetPreroll(LONGLONG* preroll) {
  if (preroll == nullptr) return E_POINTER;
  *preroll = 0;
  return S_OK;
}

}  // namespace zuna::dshow
