#include "video/avi_writer/riff_output.h"

#include <limits>

namespace zuna {
namespace {

class RiffFileOutput final : public RiffOutput {
 public:
  explicit RiffFileOutput(const std::filesystem::path& path)
      : file_(path, std::ios::binary | std::ios::out | std::ios::trunc) {}

  bool IsOpen() const { return file_.is_open(); }

  bool Write(std::uint64_t offset, ByteSpan bytes) override {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max())) return false;
    // Sequential writes need no seek; a seek would empty the stream's buffer every time.
    if (offset != position_) file_.seekp(static_cast<std::streamoff>(offset));
    file_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file_) return false;
    position_ = offset + bytes.size();
    return true;
  }

  bool Flush() override { return static_cast<bool>(file_.flush()); }

  bool Close() override {
    file_.close();
    return !file_.fail();
  }

 private:
  std::ofstream file_;
  std::uint64_t position_ = 0;
};

}  // namespace

std::unique_ptr<RiffOutput> CreateRiffFile(const std::filesystem::path& path) {
  auto output = std::make_unique<RiffFileOutput>(path);
  if (!output->IsOpen()) return nullptr;
  return output;
}

}  // namespace zuna
