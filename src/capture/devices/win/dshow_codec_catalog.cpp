#include "capture/devices/win/dshow_codec_catalog.h"

namespace zuna {

CodecListing DirectShowCodecCatalog::ListVideoCompressors(std::vector<CodecCatalogEntry>* entries) {
  entries->clear();
  const MonikerListing listing = monikers_.ListCategory(CLSID_VideoCompressorCategory);
  if (listing == MonikerListing::kNoSystemEnumerator) return CodecListing::kNoSystemEnumerator;
  if (listing != MonikerListing::kListed) return CodecListing::kNoCategory;
  for (IMoniker* moniker : monikers_.Monikers()) {
    CodecCatalogEntry entry;
    entry.moniker = DeviceMoniker{reinterpret_cast<std::uintptr_t>(moniker)};
    bool bagOpened = false;
    if (moniker != nullptr) entry.nameRead = ReadFriendlyName(moniker, &bagOpened, &entry.friendlyName);
    entries->push_back(std::move(entry));
  }
  return CodecListing::kListed;
}

Status DirectShowCodecCatalog::BindCodecFilter(DeviceMoniker moniker, FilterRef* filter) {
  return monikers_.BindFilter(moniker, filter);
}

void DirectShowCodecCatalog::ReleaseCodecFilter(FilterRef filter) {
  monikers_.ReleaseFilter(filter);
}

}  // namespace zuna
