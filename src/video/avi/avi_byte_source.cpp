#include "video/avi/avi_byte_source.h"

#include <algorithm>
#include <limits>

namespace zuna {

AviFileSource::AviFileSource(const std::filesystem::path& path) : file_(path, std::ios::binary) {}

bool AviFileSource::Seek(std::uint64_t offset) {
  if (!file_.is_open() || offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max())) {
    return false;
  }
  position_ = offset;
  return true;
}

bool AviFileSource::Read(std::size_t count, std::vector<std::uint8_t>& out) {
  out.clear();
  if (!file_.is_open()) return false;
  file_.clear();  // an earlier short read leaves end-of-file set
  file_.seekg(static_cast<std::streamoff>(position_));
  if (!file_) {
    file_.clear();
    return true;  // past the end: nothing to read
  }
  out.resize(count);
  file_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(count));
  const auto got = static_cast<std::size_t>(file_.gcount());
  if (file_.bad()) return false;
  out.resize(got);
  position_ += got;
  return true;
}

std::optional<std::uint64_t> AviFileSource::Size() {
  if (!file_.is_open()) return std::nullopt;
  file_.clear();
  file_.seekg(0, std::ios::end);
  const std::streamoff end = file_.tellg();
  file_.clear();
  if (end < 0) return std::nullopt;
  return static_cast<std::uint64_t>(end);
}

bool AviMemorySource::Seek(std::uint64_t offset) {
  position_ = offset;
  return true;
}

bool AviMemorySource::Read(std::size_t count, std::vector<std::uint8_t>& out) {
  out.clear();
  if (position_ >= bytes_.size()) return true;
  const std::size_t got = static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes_.size() - position_));
  out.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(position_),
             bytes_.begin() + static_cast<std::ptrdiff_t>(position_ + got));
  position_ += got;
  return true;
}

}  // namespace zuna
