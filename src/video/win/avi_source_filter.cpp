#include "video/win/avi_source_filter.h"

namespace zuna::dshow {

HRESULT CreateAviSourceFilter(const std::filesystem::path& /*path*/, IBaseFilter** filter) {
  if (filter == nullptr) return E_POINTER;
  *filter = nullptr;
  return E_NOTIMPL;
}

}  // namespace zuna::dshow
