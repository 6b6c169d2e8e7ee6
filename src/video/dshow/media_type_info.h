#pragma once
// The bridge between DirectShow media types and the portable MediaTypeInfo: what the portable layers
// read of a type, and a private copy of the whole type that travels with it so that a chosen device
// format can be handed back to the device unchanged.
#include <dshow.h>

#include "video/player/media_graph_types.h"

namespace zuna::dshow {

MediaGuid ToMediaGuid(const GUID& guid);
GUID ToGuid(const MediaGuid& guid);

// Reads the type's identifiers and video header; with `keepNative` a deep copy of the type goes along.
// Fails only when that copy cannot be made.
HRESULT DescribeMediaType(const AM_MEDIA_TYPE& type, bool keepNative, MediaTypeInfo* info);

// The copy made by DescribeMediaType, or null when the info carries none.
const AM_MEDIA_TYPE* NativeTypeOf(const MediaTypeInfo& info);

}  // namespace zuna::dshow
