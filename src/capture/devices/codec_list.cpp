#include "capture/devices/codec_list.h"

#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

constexpr std::wstring_view kLagarithPrefix = L"lagarith lossless";

// Plain ASCII folding: the prefix is ASCII, so no other letter can ever match it.
wchar_t AsciiLower(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

bool IsLagarithLosslessName(std::wstring_view name) {
  if (name.size() < kLagarithPrefix.size()) return false;
  for (std::size_t i = 0; i < kLagarithPrefix.size(); ++i) {
    if (AsciiLower(name[i]) != kLagarithPrefix[i]) return false;
  }
  return true;
}

void CodecList::Clear() {
  for (const CodecEntry& entry : entries_) {
    if (entry.filter) catalog_.ReleaseCodecFilter(entry.filter);
  }
  entries_.clear();
}

Status CodecList::FindCodecs() {
  Clear();
  entries_.push_back({{}, std::wstring(kNoCodecName)});
  std::vector<CodecCatalogEntry> found;
  const CodecListing listing = catalog_.ListVideoCompressors(&found);
  if (listing == CodecListing::kNoSystemEnumerator) {
    PostStampedMessage(
        L"\r\n\r\nERROR -- Unable to create a system device enumerator to search for codecs.  Report this issue.\r\n");
    return kFail;
  }
  if (listing == CodecListing::kNoCategory || found.empty()) {
    PostStampedMessage(
        L"\r\n\r\nERROR -- Unable to create a video compressor enumerator to search for codecs.  Report this "
        L"issue.\r\n");
    return kFail;
  }
  for (const CodecCatalogEntry& codec : found) {
    if (!codec.moniker || !codec.nameRead) continue;
    const std::wstring name = codec.friendlyName.substr(0, kMaxDeviceNameLength);
    if (!IsLagarithLosslessName(name)) continue;
    // Only a compressor that gives a filter can be put into a recording.
    FilterRef filter;
    if (Failed(catalog_.BindCodecFilter(codec.moniker, &filter)) || !filter) continue;
    entries_.push_back({filter, name});
  }
  return kOk;
}

const CodecEntry* CodecList::RecordingCodec(const VideoSourceInfo& device) const {
  if (entries_.size() < 2 || device.useCodec != 1) return nullptr;
  return &entries_[1];
}

}  // namespace zuna
