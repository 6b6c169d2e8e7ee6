#include "video/avi/avi_file_info.h"
#include "video/avi/riff_bytes.h"

namespace zuna {

std::wstring CodecText(std::uint32_t handler) {
  if (handler == FourCc("DIB ")) return L"NONE (DIB internal decoder)";
  if (handler == FourCc("YUY2")) return L"NONE (YUY2 internal decoder)";
  if (handler == FourCc("DVSD") || handler == FourCc("dvsd")) return L"DV Video Encoder";
  if (handler == FourCc("LAGS") || handler == FourCc("lags")) return L"Lagarith Lossless Codec";
  return L"Decompressor fourcc code: TBD";
}

}  // namespace zuna
