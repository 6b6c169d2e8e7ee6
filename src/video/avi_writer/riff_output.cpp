#include "video/avi_writer/riff_output.h"

#include <cerrno>
#include <limits>

namespace zuna {
namespace {

class RiffFileOutput final : public RiffOutput {
 public:
  explicit RiffFileOutput(const std::filesystem::path& path)
      : path_(path), file_(path, std::ios::binary | std::ios::out | std::ios::trunc) {}

  bool IsOpen() const { return file_.is_open(); }

  bool Write(std::uint64_t offset, ByteSpan bytes) override {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max())) return false;
    // Sequential writes need no seek; a seek would empty the stream's buffer every time.
    if (offset != position_) file_.seekp(static_cast<std::streamoff>(offset));
    errno = 0;
    file_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file_) return Failed();
    position_ = offset + bytes.size();
    return true;
  }

  bool Flush() override {
    errno = 0;
    return file_.flush() ? true : Failed();
  }

  bool Close() override {
    errno = 0;
    file_.close();
    return !file_.fail() || Failed();
  }

  bool DiskFull() const override { return diskFull_; }
  std::filesystem::path Path() const override { return path_; }

 private:
  // The stream keeps no cause of its own: the system's is still in errno.
  bool Failed() {
    diskFull_ = diskFull_ || errno == ENOSPC;
    return false;
  }

  std::filesystem::path path_;
  std::ofstream file_;
  bool diskFull_ = false;
  std::uint64_t position_ = 0;
};

}  // namespace

std::wstring WriteFaultMessage(std::wstring_view what, const RiffOutput& output, std::wstring_view where) {
  std::wstring text = L"SEVERE: ";
  text += what;
  if (const std::wstring name = output.Path().wstring(); !name.empty()) text += L" " + name;
  text += L" in ";
  text += where;
  if (output.DiskFull()) text += L": the disk is full";
  return text + L"\r\n";
}

std::unique_ptr<RiffOutput> CreateRiffFile(const std::filesystem::path& path) {
  auto output = std::make_unique<RiffFileOutput>(path);
  if (!output->IsOpen()) return nullptr;
  return output;
}

}  // namespace zuna
