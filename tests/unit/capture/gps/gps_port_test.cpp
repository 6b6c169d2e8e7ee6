#include "capture/gps/gps_port.h"

#include <gtest/gtest.h>

#include "capture/gps/gps_fakes.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

using Opens = std::vector<std::pair<int, int>>;

constexpr const wchar_t* kAttempting =
    L"\r\n21:07:09 (UTC)\r\nAttempting to connect with USB GPS receiver.  This may take a minute.";
constexpr const wchar_t* kConnected = L"\r\n21:07:09 (UTC)\r\nUSB GPS connected\r\n";

// Every probe the scan makes, in order, up to and including COM<port> at `baud`.
Opens ScanUpTo(int port, int baud) {
  Opens opens;
  for (int p = 1; p <= kGpsPortCount; ++p) {
    for (int speed : kGpsSpeeds) {
      opens.emplace_back(p, speed);
      if (p == port && speed == baud) return opens;
    }
  }
  return opens;
}

int Count(const std::wstring& text, const std::wstring& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class GpsPortTest : public ::testing::Test {
 protected:
  GpsPortTest() {
    port.receiverPort = 3;
    port.receiverBaud = 4800;
    port.otherPorts = {1, 2};
  }

  // Connects to the receiver with the first probe's reads answered by a sentence.
  void Connect() {
    port.Say(test::GgaSentence(test::kMunichFields));
    gps.ConnectGps();
    ASSERT_TRUE(gps.Connected());
    port.script.clear();
    port.opens.clear();
    port.readSizes.clear();
    events.clear();
    log.sink.Clear();
  }

  test::ScopedMemoryLog log;
  test::EventList events;
  test::FakeSerialPort port{events};
  test::FakeGpsHost host{events};
  GpsPort gps{port, host};
};

TEST_F(GpsPortTest, ReceiverOnCom3At4800IsFoundAfterTheListedProbes) {
  port.Say(test::GgaSentence(test::kMunichFields));
  gps.ToggleGpsConnection();

  EXPECT_EQ(port.opens, ScanUpTo(3, 4800));
  EXPECT_EQ(port.opens.size(), 12u);
  EXPECT_FALSE(port.openedWhileOpen);
  EXPECT_TRUE(gps.Connected());
  EXPECT_TRUE(gps.PortOpen());
  EXPECT_EQ(gps.LastGoodPortIndex(), 2);
  EXPECT_EQ(gps.LastGoodSpeedIndex(), 3);
  EXPECT_EQ(log.Text(), std::wstring(kAttempting) + L"\r\nCOM3 at 4800 baud\r\n" + kConnected);
  ASSERT_GE(events.size(), 6u);
  EXPECT_EQ(events.front(), "stand by shown");
  EXPECT_EQ((test::EventList(events.end() - 6, events.end())),
            (test::EventList{"open COM3 4800", "read 600", "read 533", "stand by hidden", "window shown, checked",
                             "timer started"}));
}

TEST_F(GpsPortTest, SecondConnectTriesTheLastGoodPairFirst) {
  Connect();
  gps.ToggleGpsConnection();
  EXPECT_FALSE(gps.Connected());
  EXPECT_FALSE(gps.PortOpen());
  EXPECT_EQ(events, (test::EventList{"timer stopped", "close", "window hidden, unchecked"}));
  EXPECT_EQ(log.Text(), L"");  // the command disconnects without a word

  events.clear();
  port.Say(test::GgaSentence(test::kMunichFields));
  gps.ToggleGpsConnection();
  EXPECT_EQ(port.opens, (Opens{{3, 4800}}));
  EXPECT_EQ(events,
            (test::EventList{"open COM3 4800", "read 600", "read 533", "window shown, checked", "timer started"}));
  EXPECT_EQ(log.Text(), std::wstring(kAttempting) + L"\r\nCOM3 at 4800 baud\r\n" + kConnected);
}

TEST_F(GpsPortTest, ReceiverMovedToAnotherPortIsSearchedAfterTheLastGoodPairFails) {
  Connect();
  gps.DisconnectGps();
  port.receiverPort = 5;
  port.receiverBaud = 9600;
  port.otherPorts = {1, 3};
  port.Say(test::GgaSentence(test::kMunichFields));
  gps.ConnectGps();

  Opens expected{{3, 4800}};
  for (const auto& probe : ScanUpTo(5, 9600)) expected.push_back(probe);
  EXPECT_EQ(port.opens, expected);
  EXPECT_TRUE(gps.Connected());
  EXPECT_EQ(gps.LastGoodPortIndex(), 4);
  EXPECT_EQ(gps.LastGoodSpeedIndex(), 2);
  EXPECT_EQ(gps.RefreshReadSize(), 1200u);
}

TEST_F(GpsPortTest, NoReceiverAnywhereLeavesItDisconnected) {
  port.receiverPort = 0;
  gps.ToggleGpsConnection();
  EXPECT_EQ(port.opens, ScanUpTo(0, 0));
  EXPECT_EQ(port.opens.size(), 36u);
  EXPECT_FALSE(gps.Connected());
  EXPECT_FALSE(gps.PortOpen());
  EXPECT_EQ(gps.LastGoodPortIndex(), -1);
  EXPECT_EQ(events.front(), "stand by shown");
  EXPECT_EQ(events.back(), "stand by hidden");
  EXPECT_EQ(std::count(events.begin(), events.end(), "timer started"), 0);
  EXPECT_EQ(log.Text(), std::wstring(kAttempting) + L"\r\n21:07:09 (UTC)\r\nNo USB GPS receiver found\r\n");

  port.opens.clear();
  gps.ToggleGpsConnection();  // not connected: the command searches again
  EXPECT_EQ(port.opens.size(), 36u);
}

TEST_F(GpsPortTest, ProbeReadsTheRestOnceAndSizesTheRefreshReadsByTheSpeed) {
  port.otherPorts.clear();
  const std::string sentence = test::GgaSentence(test::kMunichFields);
  for (std::size_t speedIndex = 0; speedIndex < kGpsSpeeds.size(); ++speedIndex) {
    port.receiverBaud = kGpsSpeeds[speedIndex];
    port.readSizes.clear();
    port.Say("4.5,M,,*47\r\n$GPG");  // the tag arrives split across the two reads
    port.Say(sentence.substr(4));
    ASSERT_TRUE(gps.ProbeGpsPort(2, static_cast<int>(speedIndex)));
    EXPECT_EQ(port.readSizes, (std::vector<std::size_t>{600, 584}));
    port.Close();
  }
  EXPECT_EQ(gps.RefreshReadSize(), 1000u);  // 4800 / 8 is less than the least
  port.receiverBaud = 38400;
  port.Say(sentence);
  ASSERT_TRUE(gps.ProbeGpsPort(2, 0));
  EXPECT_EQ(gps.RefreshReadSize(), 4800u);
  EXPECT_EQ(log.Text(),
            L"\r\nCOM3 at 38400 baud\r\n\r\nCOM3 at 19200 baud\r\n\r\nCOM3 at 9600 baud\r\n"
            L"\r\nCOM3 at 4800 baud\r\n\r\nCOM3 at 38400 baud\r\n");
}

TEST_F(GpsPortTest, FailedProbesCloseThePort) {
  port.receiverBaud = 9600;
  port.FailRead();
  EXPECT_FALSE(gps.ProbeGpsPort(2, 2));
  EXPECT_FALSE(gps.PortOpen());
  EXPECT_FALSE(gps.ProbeGpsPort(2, 2));  // nothing said: zero bytes
  EXPECT_FALSE(gps.PortOpen());
  port.Say(std::string(600, 'x'));
  port.Say(test::GgaSentence(test::kMunichFields));  // too late: the probe reads 600 bytes at most
  EXPECT_FALSE(gps.ProbeGpsPort(2, 2));
  EXPECT_FALSE(gps.PortOpen());
  EXPECT_FALSE(gps.ProbeGpsPort(2, 1));  // noise at the wrong speed
  EXPECT_FALSE(gps.PortOpen());
  EXPECT_FALSE(gps.ProbeGpsPort(3, 2));  // COM4 does not open
  EXPECT_FALSE(gps.ProbeGpsPort(9, 0));  // COM10 and above are not probed
  EXPECT_FALSE(gps.ProbeGpsPort(2, 4));
  EXPECT_EQ(port.opens.size(), 5u);
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(GpsPortTest, ReadGpsFixReadsTheRefreshSizeAndReportsWhatWentWrong) {
  GpsFixTexts texts;
  EXPECT_FALSE(gps.ReadGpsFix(texts));  // port closed
  EXPECT_TRUE(port.readSizes.empty());

  Connect();
  port.Say("noise only\r\n");
  port.FailRead();
  port.Say(test::GgaSentence(test::kMunichFields) + test::GgaSentence(test::kMunichFields).substr(0, 50));
  texts.latitude = L"stale";
  EXPECT_FALSE(gps.ReadGpsFix(texts));
  EXPECT_EQ(texts.latitude, L"");
  EXPECT_FALSE(gps.ReadGpsFix(texts));
  EXPECT_TRUE(gps.ReadGpsFix(texts));
  EXPECT_EQ(texts.latitude, L" 48.117300 N");
  EXPECT_FALSE(gps.ReadGpsFix(texts));  // the script is used up: zero bytes
  EXPECT_EQ(port.readSizes, (std::vector<std::size_t>{1000, 1000, 1000, 1000}));
  EXPECT_EQ(log.Text(),
            L"\r\n21:07:09 (UTC)\r\nCannot find GPGGA string\r\n"
            L"\r\n21:07:09 (UTC)\r\nZero bytes read for GPS values refresh\r\n");
}

TEST_F(GpsPortTest, RefreshTriesUpTo101ReadsThenGivesUp) {
  GpsFixTexts texts;
  EXPECT_FALSE(gps.RefreshGpsWindow(texts));
  EXPECT_EQ(log.Text(), L"\r\n21:07:09 (UTC)\r\nGPS receiver is not connected\r\n\r\n");

  Connect();
  for (int i = 0; i < 2; ++i) port.Say("$GPGGA,12");
  port.Say(test::GgaSentence("031502.00,3352.128,S,15112.558,W,1,11,0.8,12.05,M,20.1,M,,"));
  EXPECT_TRUE(gps.RefreshGpsWindow(texts));
  EXPECT_EQ(port.readSizes.size(), 3u);
  EXPECT_EQ(texts.latitude, L" 33.868800 S");
  EXPECT_EQ(texts.longitude, L" 151.209300 W");
  EXPECT_EQ(texts.altitude, L" 12.05 M");
  EXPECT_EQ(texts.satellites, L" 11");

  log.sink.Clear();
  port.readSizes.clear();
  EXPECT_FALSE(gps.RefreshGpsWindow(texts));
  EXPECT_EQ(port.readSizes.size(), 101u);
  EXPECT_EQ(Count(log.Text(), L"Zero bytes read for GPS values refresh\r\n"), 101);
  EXPECT_TRUE(log.Text().ends_with(L"\r\n21:07:09 (UTC)\r\nGPS information is not valid\r\n"));
  EXPECT_TRUE(gps.Connected());  // a silent spell does not disconnect the receiver
}

TEST_F(GpsPortTest, RecordingStartReadsTheConnectedReceiverAndKeepsIt) {
  Connect();
  port.Say("garbage\r\n");
  port.Say(test::GgaSentence(test::kMunichFields));
  const GpsRecordingFix fix = gps.ReadGpsFixForRecording();
  EXPECT_TRUE(fix.valid);
  EXPECT_EQ(fix.texts.latitude, L" 48.117300 N");
  EXPECT_EQ(fix.texts.longitude, L" 11.516667 E");
  EXPECT_EQ(fix.texts.altitude, L" 545.4 M");
  EXPECT_EQ(fix.texts.satellites, L" 8");
  EXPECT_TRUE(gps.Connected());
  EXPECT_TRUE(gps.PortOpen());
  EXPECT_EQ(events, (test::EventList{"timer stopped", "read 1000", "read 1000"}));

  events.clear();
  gps.ConnectGps();  // the automatic connect around a recording leaves a connected receiver alone
  EXPECT_TRUE(port.opens.empty());
  gps.ResumeGpsRefresh();
  gps.ResumeGpsRefresh();
  EXPECT_EQ(events, (test::EventList{"timer started"}));
}

TEST_F(GpsPortTest, RecordingStartGivesUpOnASilentReceiverAtOnce) {
  Connect();
  const GpsRecordingFix fix = gps.ReadGpsFixForRecording();
  EXPECT_FALSE(fix.valid);
  EXPECT_EQ(fix.texts.latitude, L"");
  EXPECT_EQ(port.readSizes.size(), 1u);
  EXPECT_TRUE(gps.Connected());

  port.readSizes.clear();
  for (int i = 0; i < 150; ++i) port.FailRead();
  EXPECT_FALSE(gps.ReadGpsFixForRecording().valid);
  EXPECT_EQ(port.readSizes.size(), 101u);
}

TEST_F(GpsPortTest, RecordingStartWithoutReceiverReadsNothing) {
  const GpsRecordingFix fix = gps.ReadGpsFixForRecording();
  EXPECT_FALSE(fix.valid);
  gps.ResumeGpsRefresh();
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(port.readSizes.empty());
}

TEST_F(GpsPortTest, ClosingTheWindowDisconnects) {
  Connect();
  gps.CloseGpsWindow();
  EXPECT_FALSE(gps.Connected());
  EXPECT_FALSE(gps.PortOpen());
  EXPECT_EQ(events, (test::EventList{"timer stopped", "close", "window hidden, unchecked"}));
  EXPECT_EQ(log.Text(), L"\r\n21:07:09 (UTC)\r\nGPS connection is closed\r\n");
}

}  // namespace
}  // namespace zuna
