#pragma once
// The media type the AVI source offers for a file's video stream: uncompressed RGB and YUV types as
// the display chain takes them, anything else under the subtype made from its four-character code
// for the graph to find a decoder. The stream's format chunk (palette, codec data) is kept whole.
#include <dshow.h>

#include "video/avi_reader/avi_frame_reader.h"

namespace zuna::dshow {

// Fills `type` (empty on entry; the caller frees it with FreeMediaType).
HRESULT AviSourceMediaType(const AviStreamFormat& format, AM_MEDIA_TYPE* type);

// The bytes of the largest sample the stream needs.
DWORD AviSourceSampleBytes(const AviStreamFormat& format, std::uint32_t largestFrame);

}  // namespace zuna::dshow
