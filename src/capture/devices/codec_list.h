#pragma once
// The codecs a recording may use: entry 0 is always "NONE", then each installed compressor whose
// name begins with "lagarith lossless" in any letter case, in the order the system lists them.
#include <string>
#include <string_view>
#include <vector>

#include "capture/devices/codec_catalog.h"
#include "capture/devices/video_source_info.h"
#include "common/foundation/status.h"

namespace zuna {

inline constexpr std::wstring_view kNoCodecName = L"NONE";

struct CodecEntry {
  FilterRef filter;   // none for the "NONE" entry
  std::wstring name;  // the compressor's friendly name, at most 255 characters
};

// True when the first 17 characters, lower-cased, read "lagarith lossless".
bool IsLagarithLosslessName(std::wstring_view name);

class CodecList {
 public:
  explicit CodecList(CodecCatalog& catalog) : catalog_(catalog) {}
  ~CodecList() { Clear(); }
  CodecList(const CodecList&) = delete;
  CodecList& operator=(const CodecList&) = delete;

  // Empties the list and fills it anew; the "NONE" entry is there even when the search fails.
  Status FindCodecs();
  void Clear();

  const std::vector<CodecEntry>& Entries() const { return entries_; }
  bool LagarithInstalled() const { return entries_.size() > 1; }

  // The codec a recording from the device uses: the first Lagarith entry when one is installed and
  // the device chose it (useCodec 1); otherwise none (uncompressed).
  const CodecEntry* RecordingCodec(const VideoSourceInfo& device) const;

 private:
  CodecCatalog& catalog_;
  std::vector<CodecEntry> entries_;
};

}  // namespace zuna
