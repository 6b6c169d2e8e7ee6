#pragma once
// A log whose window is a string: what the user would read in the User Messages window.
#include <atomic>
#include <memory>
#include <string>

#include "common/log/user_messages_log.h"
#include "support/fake_clock.h"

namespace zuna::test {

class MemorySink final : public UserMessagesSink {
 public:
  void Append(const std::wstring& entry) override { text += entry; }
  std::wstring Text() const override { return text; }
  void Clear() override { text.clear(); }
  void RequestDrain() override { drainRequests.fetch_add(1); }

  std::wstring text;
  std::atomic<int> drainRequests{0};
};

// Installs a ready log for the lifetime of a test; posts land in `sink.text`.
class ScopedMemoryLog {
 public:
  explicit ScopedMemoryLog(bool ready = true);
  ~ScopedMemoryLog();
  ScopedMemoryLog(const ScopedMemoryLog&) = delete;
  ScopedMemoryLog& operator=(const ScopedMemoryLog&) = delete;

  const std::wstring& Text() const { return sink.text; }

  FakeClock clock;
  MemorySink sink;
  UserMessagesLog log{clock};

 private:
  UserMessagesLog* previous_;
};

}  // namespace zuna::test
