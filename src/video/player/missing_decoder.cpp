#include "video/player/missing_decoder.h"

#include <array>
#include <string_view>

namespace zuna {
namespace {

struct Advice {
  std::uint32_t code;
  std::wstring_view install;
};

constexpr std::wstring_view kAnyDecoder = L"a DirectShow or Video for Windows decoder for it, such as LAV Filters";

// The compressions other capture software writes most, and where a decoder for them comes from.
constexpr std::array kAdvice{
    Advice{MakeFourcc('M', 'J', 'P', 'G'), L"an MJPEG decoder, such as LAV Filters"},
    Advice{MakeFourcc('m', 'j', 'p', 'g'), L"an MJPEG decoder, such as LAV Filters"},
    Advice{MakeFourcc('L', 'A', 'G', 'S'), L"the Lagarith Lossless Codec"},
    Advice{MakeFourcc('l', 'a', 'g', 's'), L"the Lagarith Lossless Codec"},
    Advice{MakeFourcc('H', 'F', 'Y', 'U'), L"the HuffYUV codec, or LAV Filters"},
    Advice{MakeFourcc('F', 'F', 'V', '1'), L"an FFV1 decoder, such as LAV Filters"},
    Advice{MakeFourcc('d', 'v', 's', 'd'), L"a DV decoder, such as LAV Filters"},
    Advice{MakeFourcc('D', 'V', 'S', 'D'), L"a DV decoder, such as LAV Filters"},
};

bool IsFourccGuid(const MediaGuid& guid) {
  const MediaGuid pattern = FourccGuid(guid.data1);
  return guid == pattern && guid.data1 != 0;
}

std::wstring CodeText(std::uint32_t code) {
  std::wstring text;
  for (int i = 0; i < 4; ++i) {
    const auto c = static_cast<wchar_t>((code >> (8 * i)) & 0xFF);
    text.push_back(c >= 0x20 && c < 0x7F ? c : L'?');
  }
  return text;
}

}  // namespace

std::optional<std::wstring> MissingDecoderText(const MediaGuid& subtype) {
  if (!IsFourccGuid(subtype)) return std::nullopt;
  std::wstring_view install = kAnyDecoder;
  for (const Advice& advice : kAdvice) {
    if (advice.code == subtype.data1) install = advice.install;
  }
  return L"SEVERE: no decoder for the \"" + CodeText(subtype.data1) +
         L"\" video of this file is installed; to play it, install " + std::wstring(install) + L"\r\n";
}

}  // namespace zuna
