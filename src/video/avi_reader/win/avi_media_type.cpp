#include "video/avi_reader/win/avi_media_type.h"

#include <cstdlib>
#include <numeric>

#include "video/dshow/media_type.h"

namespace zuna::dshow {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

}  // namespace

FrameRate FrameRateOf(std::int64_t t) {
  if (t <= 0) return {};
  // Whole rates: the time per frame was truncated or rounded to 100 ns.
  const std::int64_t whole = (kUnitsPerSecond + t / 2) / t;
  if (whole > 0 && std::llabs(whole * t - kUnitsPerSecond) <= whole) {
    return {static_cast<std::uint32_t>(whole), 1};
  }
  // The television rates of the 1000/1001 family (29.97, 59.94, 23.976).
  const std::int64_t family = (kUnitsPerSecond * 1001 / 1000 + t / 2) / t;
  if (family > 0) {
    const std::int64_t exact = (kUnitsPerSecond * 1001 + family * 500) / (family * 1000);
    if (std::llabs(exact - t) <= 1) return {static_cast<std::uint32_t>(family * 1000), 1001};
  }
  const std::int64_t divisor = std::gcd(kUnitsPerSecond, t);
  if (t / divisor > 0xFFFFFFFFll) return {};
  return {static_cast<std::uint32_t>(kUnitsPerSecond / divisor), static_cast<std::uint32_t>(t / divisor)};
}

HRESULT AviFormatFromMediaType(const AM_MEDIA_TYPE& type, AviVideoFormat* format) {
  if (format == nullptr) return E_POINTER;
  const VIDEOINFOHEADER* info = VideoInfoOf(type);
  if (type.majortype != MEDIATYPE_Video || info == nullptr) return VFW_E_TYPE_NOT_ACCEPTED;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biWidth <= 0 || header.biHeight == 0) return VFW_E_TYPE_NOT_ACCEPTED;
  const FrameRate rate = FrameRateOf(info->AvgTimePerFrame);
  if (rate.rate == 0) return VFW_E_TYPE_NOT_ACCEPTED;  // without a rate no frame could be found missing
  const std::int32_t height = std::abs(header.biHeight);

  AviVideoFormat result;
  if (type.subtype == MEDIASUBTYPE_YUY2) {
    if (header.biBitCount != 16) return VFW_E_TYPE_NOT_ACCEPTED;
    result = AviVideoFormat::Yuy2(header.biWidth, height, rate.rate, rate.scale);
  } else if (type.subtype == MEDIASUBTYPE_RGB32) {
    // AVI files keep RGB rows bottom-up; a top-down picture would be recorded upside down.
    if (header.biBitCount != 32 || header.biHeight < 0) return VFW_E_TYPE_NOT_ACCEPTED;
    result = AviVideoFormat::Rgb32(header.biWidth, height, rate.rate, rate.scale);
  } else if (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS) {
    // A codec's frames, named by the bitmap header's compression code as the file records them. The
    // subtype is not asked: Wine's AVI Compressor labels its output with an audio subtype.
    result = AviVideoFormat::Compressed(header.biCompression, header.biBitCount, header.biWidth, height, rate.rate,
                                        rate.scale);
    if (header.biSizeImage > result.sizeImage) result.sizeImage = header.biSizeImage;
  } else {
    return VFW_E_TYPE_NOT_ACCEPTED;
  }
  if (!result.IsValid()) return VFW_E_TYPE_NOT_ACCEPTED;
  *format = result;
  return S_OK;
}

}  // namespace zuna::dshow
