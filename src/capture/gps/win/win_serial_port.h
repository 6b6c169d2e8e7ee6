#pragma once
// The serial port over a Win32 communications device (COM1 to COM9).
#include <windows.h>

#include "capture/gps/serial_port.h"

namespace zuna {

class WinSerialPort final : public SerialPort {
 public:
  WinSerialPort() = default;
  ~WinSerialPort() override { Close(); }
  WinSerialPort(const WinSerialPort&) = delete;
  WinSerialPort& operator=(const WinSerialPort&) = delete;

  bool Open(int portNumber, int baud) override;
  bool IsOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }
  void Close() override;
  std::int64_t Read(char* buffer, std::size_t size) override;

 private:
  bool ApplyLineSettings(int baud);
  bool ApplyTimeouts();

  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace zuna
