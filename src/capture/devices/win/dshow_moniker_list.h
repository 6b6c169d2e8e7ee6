#pragma once
// The monikers of one DirectShow device category (video input devices, video compressors), their
// friendly names, and the filters bound from them. Handles are interface pointer values, the same
// space the media graph uses: a moniker is held until the next listing, a bound filter until it is
// released.
#include <dshow.h>

#include <string>
#include <vector>

#include "capture/devices/device_catalog.h"
#include "common/foundation/status.h"
#include "video/player/media_graph_types.h"

namespace zuna {

// Reads "FriendlyName" from a moniker's property bag; false when the bag or the name is missing.
bool ReadFriendlyName(IMoniker* moniker, bool* bagOpened, std::wstring* name);

enum class MonikerListing { kNoSystemEnumerator, kEmpty, kFailed, kListed };

class MonikerList {
 public:
  MonikerList() = default;
  ~MonikerList();
  MonikerList(const MonikerList&) = delete;
  MonikerList& operator=(const MonikerList&) = delete;

  // kEmpty: the category is empty (or does not exist).
  MonikerListing ListCategory(const CLSID& category);
  void Clear();
  const std::vector<IMoniker*>& Monikers() const { return monikers_; }
  bool Holds(DeviceMoniker moniker) const;

  // Binds a listed moniker to its filter, held here until ReleaseFilter.
  Status BindFilter(DeviceMoniker moniker, FilterRef* filter);
  void ReleaseFilter(FilterRef filter);

 private:
  std::vector<IMoniker*> monikers_;    // one reference each; null where the enumerator gave none
  std::vector<IBaseFilter*> filters_;  // bound filters, one reference each
};

}  // namespace zuna
