#pragma once
// The installed video compressors as DirectShow lists them (video compressor category), with their
// friendly names and the filter of each. Monikers are held until the next listing, bound filters
// until ReleaseCodecFilter.
#include <vector>

#include "capture/devices/codec_catalog.h"
#include "capture/devices/win/dshow_moniker_list.h"

namespace zuna {

class DirectShowCodecCatalog final : public CodecCatalog {
 public:
  DirectShowCodecCatalog() = default;

  CodecListing ListVideoCompressors(std::vector<CodecCatalogEntry>* entries) override;
  Status BindCodecFilter(DeviceMoniker moniker, FilterRef* filter) override;
  void ReleaseCodecFilter(FilterRef filter) override;

 private:
  MonikerList monikers_;
};

}  // namespace zuna
