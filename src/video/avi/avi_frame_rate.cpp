#include <cstdint>
#include <string>

#include "video/avi/avi_file_info.h"

namespace zuna {
namespace {

bool Is(std::uint32_t rate, std::uint32_t scale, std::uint32_t r, std::uint32_t s) {
  return rate == r && scale == s;
}

std::wstring TwoDigits(std::uint64_t value) {
  std::wstring text = std::to_wstring(value);
  return text.size() < 2 ? L"0" + text : text;
}

}  // namespace

std::wstring FrameRateText(std::uint32_t rate, std::uint32_t scale) {
  // A missing rate or scale is taken for the NTSC rate, the most common source of such headers.
  if (rate == 0 || scale == 0 || Is(rate, scale, 30000, 1001) || Is(rate, scale, 2997, 100)) return L"29.97";
  if (Is(rate, scale, 10000000, 333333)) return L"30";
  if (Is(rate, scale, 10000000, 400000)) return L"25";
  const std::uint64_t whole = rate / scale;
  const std::uint64_t hundredths = (static_cast<std::uint64_t>(rate) - scale * whole) * 100 / scale;
  return std::to_wstring(whole) + L"." + TwoDigits(hundredths);
}

}  // namespace zuna
