#include "video/avi/avi_test_output.h"

#include <algorithm>

namespace zuna::test {

std::vector<std::uint8_t> RecordedWrites::FileAfter(std::size_t count, std::optional<std::size_t> lastBytes) const {
  std::vector<std::uint8_t> file;
  for (std::size_t i = 0; i < count && i < writes.size(); ++i) {
    const Write& w = writes[i];
    const std::size_t take = (i + 1 == count && lastBytes) ? std::min(*lastBytes, w.bytes.size()) : w.bytes.size();
    if (w.offset + take > file.size()) file.resize(w.offset + take);
    std::copy_n(w.bytes.begin(), take, file.begin() + static_cast<std::ptrdiff_t>(w.offset));
  }
  return file;
}

bool RecordingOutput::Write(std::uint64_t offset, ByteSpan bytes) {
  if (record_->failAtWrite && record_->writes.size() >= *record_->failAtWrite) return false;
  record_->writes.push_back({offset, std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
  return true;
}

bool RecordingOutput::Flush() {
  if (record_->failAtWrite && record_->writes.size() >= *record_->failAtWrite) return false;
  record_->flushes.push_back(record_->writes.size());
  return true;
}

bool RecordingOutput::Close() {
  record_->closed = true;
  return true;
}

bool PaddedSource::Read(std::size_t count, std::vector<std::uint8_t>& out) {
  largestRead = std::max<std::uint64_t>(largestRead, count);
  const std::uint64_t end = std::min<std::uint64_t>(size_, position_ + count);
  out.assign(static_cast<std::size_t>(end > position_ ? end - position_ : 0), 0);
  for (std::uint64_t at = position_; at < end && at < bytes_.size(); ++at) out[at - position_] = bytes_[at];
  position_ = end;
  return true;
}

}  // namespace zuna::test
