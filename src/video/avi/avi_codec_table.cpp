#include "video/avi/avi_file_info.h"
#include "video/avi/riff_bytes.h"

namespace zuna {

std::wstring FourCcText(std::uint32_t code) {
  std::wstring text;
  for (int i = 0; i < 4; ++i) {
    const auto c = static_cast<wchar_t>((code >> (8 * i)) & 0xFF);
    text.push_back(c >= 0x20 && c < 0x7F ? c : L'?');
  }
  return text;
}

std::wstring CodecText(std::uint32_t handler, std::uint32_t compression) {
  constexpr std::uint32_t kBiRgb = 0;
  constexpr std::uint32_t kBiBitfields = 3;
  if (handler == 0) handler = compression == kBiRgb || compression == kBiBitfields ? FourCc("DIB ") : compression;
  if (handler == FourCc("DIB ")) return L"NONE (DIB internal decoder)";
  if (handler == FourCc("YUY2")) return L"NONE (YUY2 internal decoder)";
  if (handler == FourCc("DVSD") || handler == FourCc("dvsd")) return L"DV Video Encoder";
  if (handler == FourCc("LAGS") || handler == FourCc("lags")) return L"Lagarith Lossless Codec";
  return L"Decompressor fourcc code: " + FourCcText(handler);
}

}  // namespace zuna
