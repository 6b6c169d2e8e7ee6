// Feeds arbitrary bytes to the options file reader with the capture program's keys and node
// handler, then checks that what the writer makes of the result reads back to the same file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "capture/options/capture_options.h"
#include "common/help/help_page.h"
#include "common/options/options_file.h"

namespace {

struct Tables {
  Tables() {
    zuna::RegisterCommonOptions(options);
    for (std::wstring_view key : zuna::kCaptureTextKeys) options.RegisterText(key);
    for (std::wstring_view key : zuna::kCaptureBooleanKeys) options.RegisterBoolean(key);
    for (const zuna::WindowPositionKey& w : zuna::kCommonWindowPositions) {
      zuna::RegisterWindowPosition(placements, w.key, {nullptr, w.defaultWidth, w.defaultHeight});
    }
    for (std::wstring_view key : zuna::kCaptureWindowKeys) zuna::RegisterWindowPosition(placements, key, {});
    zuna::RegisterHelpWindowPositions(placements, {}, zuna::HelpNumber(zuna::HelpPage::kLightCurve));
  }

  std::string ReadAndWrite(std::string_view bytes) {
    zuna::ParseOptionsText(bytes, options, placements, [this](const std::wstring& key, const std::wstring& value) {
      zuna::ReadCaptureOptionNode(nodes, key, value);
    });
    return zuna::FormatOptionsFile(options, placements, false, zuna::WriteCaptureOptionFileNodes(nodes));
  }

  zuna::OptionTables options;
  zuna::PlacementTable placements;
  zuna::CaptureOptionNodes nodes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static const Tables registered;  // registering every key per input would cost more than the parsing
  const std::string written = Tables(registered).ReadAndWrite(bytes);
  // A written file that the reader takes in whole must read back to exactly itself.
  if (written.size() <= zuna::kMarkerLastOffset && Tables(registered).ReadAndWrite(written) != written) {
    __builtin_trap();
  }
  return 0;
}
