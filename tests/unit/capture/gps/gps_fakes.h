#pragma once
// A serial port with a scripted GPS receiver behind it, a host that records what it was asked to
// do, and a helper that builds "$GPGGA" sentences with their checksum.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "capture/gps/gps_host.h"
#include "capture/gps/serial_port.h"

namespace zuna::test {

// "$GPGGA," + fields + "*hh\r\n".
inline std::string GgaSentence(std::string_view fields) {
  const std::string body = "GPGGA," + std::string(fields);
  unsigned sum = 0;
  for (char c : body) sum ^= static_cast<unsigned char>(c);
  char checksum[8];
  std::snprintf(checksum, sizeof checksum, "*%02X\r\n", sum);
  return "$" + body + checksum;
}

inline constexpr std::string_view kMunichFields = "123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";

// The events of port and host in one list, so that tests can check their order.
using EventList = std::vector<std::string>;

class FakeSerialPort final : public SerialPort {
 public:
  explicit FakeSerialPort(EventList& events) : events_(events) {}

  // The receiver talks on COM<receiverPort> at receiverBaud; at another speed its port gives noise.
  int receiverPort = 0;
  int receiverBaud = 0;
  std::set<int> otherPorts;  // ports that open but stay silent
  std::string noise = std::string(600, '\xF0');

  // What the receiver says, read by read: a failed read, or bytes (an empty text reads 0 bytes).
  // A read asking for less than the next chunk leaves the rest for the following read. When the
  // script is used up, reads bring nothing.
  struct Chunk {
    bool fail = false;
    std::string bytes;
  };
  std::deque<Chunk> script;
  void Say(std::string bytes) { script.push_back({false, std::move(bytes)}); }
  void FailRead() { script.push_back({true, {}}); }

  std::vector<std::pair<int, int>> opens;
  std::vector<std::size_t> readSizes;
  bool openedWhileOpen = false;

  bool Open(int portNumber, int baud) override {
    if (open_) openedWhileOpen = true;
    opens.emplace_back(portNumber, baud);
    if (portNumber != receiverPort && otherPorts.count(portNumber) == 0) return false;
    open_ = true;
    atReceiver_ = portNumber == receiverPort && baud == receiverBaud;
    silent_ = portNumber != receiverPort;
    events_.push_back("open COM" + std::to_string(portNumber) + " " + std::to_string(baud));
    return true;
  }
  bool IsOpen() const override { return open_; }
  void Close() override {
    if (!open_) return;
    open_ = false;
    events_.push_back("close");
  }
  std::int64_t Read(char* buffer, std::size_t size) override {
    readSizes.push_back(size);
    events_.push_back("read " + std::to_string(size));
    if (!open_) return -1;
    if (silent_) return 0;
    if (!atReceiver_) return Copy(noise, buffer, size);
    if (script.empty()) return 0;
    Chunk& next = script.front();
    if (next.fail) {
      script.pop_front();
      return -1;
    }
    const std::int64_t count = Copy(next.bytes, buffer, size);
    next.bytes.erase(0, static_cast<std::size_t>(count));
    if (next.bytes.empty()) script.pop_front();
    return count;
  }

 private:
  static std::int64_t Copy(const std::string& from, char* buffer, std::size_t size) {
    const std::size_t count = std::min(from.size(), size);
    from.copy(buffer, count);
    return static_cast<std::int64_t>(count);
  }

  EventList& events_;
  bool open_ = false;
  bool atReceiver_ = false;
  bool silent_ = false;
};

class FakeGpsHost final : public GpsHost {
 public:
  explicit FakeGpsHost(EventList& events) : events_(events) {}

  void ShowStandByNotice(bool shown) override { events_.push_back(shown ? "stand by shown" : "stand by hidden"); }
  void ShowGpsConnected(bool connected) override {
    events_.push_back(connected ? "window shown, checked" : "window hidden, unchecked");
  }
  void StartRefreshTimer() override { events_.push_back("timer started"); }
  void StopRefreshTimer() override { events_.push_back("timer stopped"); }

 private:
  EventList& events_;
};

}  // namespace zuna::test
