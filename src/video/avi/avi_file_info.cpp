#include "video/avi/avi_file_info.h"

#include <cstdio>

namespace zuna {

void SetCapped(std::wstring& field, std::wstring_view text, std::size_t capacity) {
  field.assign(text.substr(0, capacity == 0 ? 0 : capacity - 1));
}

std::wstring FrameSizeText(std::int32_t width, std::int32_t height) {
  return std::to_wstring(width) + L" x " + std::to_wstring(height);
}

void SetFrameRateText(AviFileInfo& info, std::uint32_t rate, std::uint32_t scale) {
  SetCapped(info.frameRate, FrameRateText(rate, scale), AviFileInfo::kFrameRateCapacity);
}

}  // namespace zuna
