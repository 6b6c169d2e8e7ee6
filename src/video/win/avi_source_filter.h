#pragma once
// The playback source: a DirectShow filter reading an AVI file with the project's own frame reader,
// so that positions are frame numbers and a seek lands on exactly the requested frame on every
// platform.
#include <dshow.h>

#include <filesystem>

namespace zuna::dshow {

// Opens the AVI file at `path` and makes the "AVI Source Filter" for its video stream with one
// reference for the caller. Fails, creating nothing, when the file cannot be read as AVI video.
HRESULT CreateAviSourceFilter(const std::filesystem::path& path, IBaseFilter** filter);

}  // namespace zuna::dshow
