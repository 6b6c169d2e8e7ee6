#pragma once
// The serial (COM) port a GPS receiver is read from. The Win32 port lives in win/; tests use a fake.
#include <cstddef>
#include <cstdint>

namespace zuna {

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens COM<portNumber> (1 to 9) for reading only, unshared, at `baud` with 8 data bits, no parity
  // and one stop bit, and with the read time-outs below. False, with the port closed, on any failure.
  virtual bool Open(int portNumber, int baud) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;

  // Blocks until `size` bytes came, 100 ms passed without a byte after the first one, or 2 ms per
  // requested byte passed in all; so a read never waits for ever. Returns the count read (possibly 0),
  // or -1 when the read failed or the port is closed.
  virtual std::int64_t Read(char* buffer, std::size_t size) = 0;
};

inline constexpr unsigned kSerialByteIntervalTimeoutMs = 100;
inline constexpr unsigned kSerialPerByteTimeoutMs = 2;

}  // namespace zuna
