#include "capture/main/capture_startup.h"

#include <gtest/gtest.h>

#include <set>

#include "support/memory_log.h"

namespace zuna {
namespace {

std::vector<StartupDevice> Devices() {
  return {{L"USB2.0 Grabber", L"NTSC_M", false, false, false},
          {L"Watec", L"PAL_B", false, true, false},
          {L"QHY5III", L"", true, false, true}};
}

TEST(StartupDevice, DefaultSourceWinsUnlessIgnored) {
  auto devices = Devices();
  EXPECT_EQ(ChooseStartupDevice(devices, L"QHY5III"), 2);
  EXPECT_EQ(ChooseStartupDevice(devices, L"Watec"), 0);  // ignored: the first usable one
  EXPECT_EQ(ChooseStartupDevice(devices, L""), 0);
  devices[0].ignored = true;
  devices[2].ignored = true;
  EXPECT_EQ(ChooseStartupDevice(devices, L"QHY5III"), -1);  // all ignored: as with none
  EXPECT_EQ(ChooseStartupDevice({}, L"x"), -1);
}

TEST(StartupReport, FindingsAndDeviceListAreUntimed) {
  test::ScopedMemoryLog m;
  PostStartupFindings(false, 1, L"C:\\ZUNA\\");
  PostAttachedDevices(Devices(), 3);
  EXPECT_EQ(m.Text(),
            L"\r\nNo Options File or unreadable Options File\r\n"
            L"\r\nLagarith Lossless Codec is not installed\r\n"
            L"\r\nApplication install directory:  C:\\ZUNA\\\r\n"
            L"\r\nAttached video devices:"
            L"\r\n\tUSB2.0 Grabber -- NTSC_M"
            L"\r\n\tWatec -- PAL_B, ignored device"
            L"\r\n\tQHY5III -- Digital"
            L"\r\n");
}

TEST(StartupReport, CountMismatchIsALogicErrorAndNoDevicesIsSilent) {
  test::ScopedMemoryLog m;
  m.clock.utc = {2024, 1, 1, 1, 2, 3, 0};
  PostStartupFindings(true, 2, L"C:\\");
  PostAttachedDevices({}, 0);
  PostAttachedDevices(Devices(), 2);
  EXPECT_EQ(m.Text(),
            L"\r\nLagarith Lossless Codec is installed\r\n"
            L"\r\nApplication install directory:  C:\\\r\n"
            L"\r\n01:02:03 (UTC)\r\nLOGIC ERROR: attached device count incorrect in MainWindowVC constructor\r\n");
}

TEST(ProgramFolders, EachMissingFolderIsTriedAndEachFailureReported) {
  test::ScopedMemoryLog m;
  m.clock.utc = {2024, 1, 1, 0, 0, 0, 0};
  std::set<std::wstring> existing{L"C:\\Z\\Events\\"};
  std::vector<std::wstring> created;
  auto exists = [&](const std::wstring& p) { return existing.count(p) > 0; };
  auto create = [&](const std::wstring& p) {
    created.push_back(p);
    return p != L"C:\\Z\\VideoFiles\\";
  };
  EXPECT_FALSE(
      CreateProgramFolders(L"C:\\Z\\", {L"Events", L"VideoFiles", L"MessageFilesVC", L"OptionsFiles"}, exists, create));
  EXPECT_EQ(created,
            (std::vector<std::wstring>{L"C:\\Z\\VideoFiles\\", L"C:\\Z\\MessageFilesVC\\", L"C:\\Z\\OptionsFiles\\"}));
  EXPECT_EQ(m.Text(),
            L"\r\n00:00:00 (UTC)\r\n\r\nUnable to create \"VideoFiles\" directory under the process "
            L"directory.  Check security settings.\r\n");
}

}  // namespace
}  // namespace zuna
