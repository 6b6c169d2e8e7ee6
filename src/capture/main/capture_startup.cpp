#include "capture/main/capture_startup.h"

#include "common/log/user_messages_log.h"

namespace zuna {

int ChooseStartupDevice(const std::vector<StartupDevice>& devices, const std::wstring& defaultVideoSource) {
  int firstUsable = -1;
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (devices[i].ignored) continue;
    if (devices[i].name == defaultVideoSource) return static_cast<int>(i);
    if (firstUsable < 0) firstUsable = static_cast<int>(i);
  }
  return firstUsable;
}

void PostStartupFindings(bool optionsFileRead, std::size_t codecCount, const std::wstring& processDirectory) {
  if (!optionsFileRead) PostUnstampedMessage(L"No Options File or unreadable Options File\r\n");
  PostUnstampedMessage(codecCount > 1 ? L"Lagarith Lossless Codec is installed\r\n"
                                      : L"Lagarith Lossless Codec is not installed\r\n");
  PostUnstampedMessage(L"Application install directory:  " + processDirectory + L"\r\n");
}

void PostAttachedDevices(const std::vector<StartupDevice>& devices, std::size_t deviceLayerCount) {
  if (deviceLayerCount != devices.size()) {
    PostStampedMessage(L"LOGIC ERROR: attached device count incorrect in MainWindowVC constructor\r\n");
    return;
  }
  if (devices.empty()) return;
  PostUnstampedMessage(L"Attached video devices:");
  for (const auto& device : devices) {
    std::wstring line = L"\t" + device.name + (device.digital ? L" -- Digital" : L" -- " + device.standardName);
    if (device.ignored) line += L", ignored device";
    PostUnstampedMessage(line);
  }
  PostUnstampedMessage(L"");
}

}  // namespace zuna
