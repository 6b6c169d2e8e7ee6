#include "capture/gps/win/win_serial_port.h"

#include <algorithm>
#include <cwchar>

namespace zuna {

bool WinSerialPort::Open(int portNumber, int baud) {
  Close();
  if (portNumber < 1 || portNumber > 9 || baud <= 0) return false;
  wchar_t name[16];
  std::swprintf(name, 16, L"\\\\.\\COM%d", portNumber);
  handle_ = CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  if (!ApplyLineSettings(baud) || !ApplyTimeouts()) {
    Close();
    return false;
  }
  return true;
}

bool WinSerialPort::ApplyLineSettings(int baud) {
  DCB settings{};
  settings.DCBlength = sizeof settings;
  if (!GetCommState(handle_, &settings)) return false;
  settings.BaudRate = static_cast<DWORD>(baud);
  settings.ByteSize = 8;
  settings.Parity = NOPARITY;
  settings.StopBits = ONESTOPBIT;
  if (!SetCommState(handle_, &settings)) return false;
  // Read back: a driver may refuse a setting without saying so in SetCommState.
  return GetCommState(handle_, &settings) != 0;
}

bool WinSerialPort::ApplyTimeouts() {
  // No constant part: the total wait scales with the request, so no read waits for ever.
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = kSerialByteIntervalTimeoutMs;
  timeouts.ReadTotalTimeoutMultiplier = kSerialPerByteTimeoutMs;
  timeouts.ReadTotalTimeoutConstant = 0;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = 0;
  return SetCommTimeouts(handle_, &timeouts) != 0;
}

void WinSerialPort::Close() {
  if (handle_ == INVALID_HANDLE_VALUE) return;
  CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

std::int64_t WinSerialPort::Read(char* buffer, std::size_t size) {
  if (handle_ == INVALID_HANDLE_VALUE || buffer == nullptr) return -1;
  // Requests stay far below this; the cap only keeps the count within a DWORD.
  const DWORD request = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
  DWORD count = 0;
  if (!ReadFile(handle_, buffer, request, &count, nullptr)) return -1;
  return static_cast<std::int64_t>(std::min<DWORD>(count, request));
}

}  // namespace zuna
