#pragma once
// What the codec list needs of the platform: the installed video compressors with their friendly
// names, and a filter for one of them. The DirectShow catalog lives in win/; tests use a fake.
#include <string>
#include <vector>

#include "capture/devices/device_catalog.h"
#include "common/foundation/status.h"
#include "video/player/media_graph_types.h"

namespace zuna {

struct CodecCatalogEntry {
  DeviceMoniker moniker;
  bool nameRead = false;      // "FriendlyName" could be read from the moniker's property bag
  std::wstring friendlyName;  // as the system reports it, not yet bounded
};

enum class CodecListing {
  kListed,              // entries follow
  kNoSystemEnumerator,  // the system device enumerator could not be created
  kNoCategory,          // the video-compressor category failed or is empty
};

class CodecCatalog {
 public:
  virtual ~CodecCatalog() = default;
  virtual CodecListing ListVideoCompressors(std::vector<CodecCatalogEntry>* entries) = 0;
  // The compressor's filter; it stays valid until ReleaseCodecFilter.
  virtual Status BindCodecFilter(DeviceMoniker moniker, FilterRef* filter) = 0;
  virtual void ReleaseCodecFilter(FilterRef filter) = 0;
};

}  // namespace zuna
