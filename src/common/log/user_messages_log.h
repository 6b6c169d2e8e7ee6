#pragma once
// The user-messages log: the programs' single channel for every report.
// Posts come from any thread. Until the log window exists they are held in a pending list; after
// that each post is composed at once (so its time stamp is the moment of posting) and queued, and
// the main thread appends queued entries whole and in order.
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/time/clock.h"

namespace zuna {

// What the log window offers the log. Append, Text and Clear run on the main thread only;
// RequestDrain may be called from any thread and must make the main thread call Drain() soon.
class UserMessagesSink {
 public:
  virtual ~UserMessagesSink() = default;
  virtual void Append(const std::wstring& entry) = 0;
  virtual std::wstring Text() const = 0;
  virtual void Clear() = 0;
  virtual void RequestDrain() = 0;
};

class UserMessagesLog {
 public:
  explicit UserMessagesLog(const Clock& clock);

  // Any thread. A null text posts only the line break and, when asked, the time line.
  void Post(const wchar_t* text, bool timeStamp);
  void Post(std::wstring_view text, bool timeStamp);

  // Main thread: the window exists; from now on posts are queued for the sink.
  void SetReady(UserMessagesSink* sink);
  bool Ready() const;

  // Main thread: appends the messages held back before the window existed, the first with a
  // time stamp and the rest without, then empties the list.
  void FlushPending();

  // Main thread: appends every queued entry to the sink, in order.
  void Drain();

  // The entry exactly as it is appended: "\r\n", optionally "HH:mm:ss (UTC)\r\n", then the text.
  std::wstring ComposeEntry(std::wstring_view text, bool timeStamp) const;

  // Main thread: empties the log window ("Clear Messages").
  void ClearMessages();

  // Writes the whole log text to `path` as 8-bit text with CR LF line ends; false when it could not.
  bool WriteMessagesFile(const std::filesystem::path& path) const;

  std::size_t PendingCount() const;

 private:
  void Enqueue(std::wstring entry);

  const Clock& clock_;
  mutable std::mutex mutex_;
  std::vector<std::wstring> pending_;
  std::vector<std::wstring> queue_;
  UserMessagesSink* sink_ = nullptr;
  std::thread::id mainThread_;
  bool draining_ = false;  // main thread only
};

// The process's log. Posting with no log installed discards the message (only tools do that).
void InstallUserMessagesLog(UserMessagesLog* log);
UserMessagesLog* InstalledUserMessagesLog();

void PostUserMessage(const wchar_t* text, bool timeStamp);
void PostUserMessage(std::wstring_view text, bool timeStamp);

// A message of its own: the log puts the UTC time of day on the line before it.
inline void PostStampedMessage(const wchar_t* text) {
  PostUserMessage(text, true);
}
inline void PostStampedMessage(std::wstring_view text) {
  PostUserMessage(text, true);
}
// A line without a time stamp: the continuation of the message before it (a list, a report's
// further lines) or a notice that stands without one.
inline void PostUnstampedMessage(const wchar_t* text) {
  PostUserMessage(text, false);
}
inline void PostUnstampedMessage(std::wstring_view text) {
  PostUserMessage(text, false);
}

// While one lives, posts made on its thread are dropped: an attempt repeated at every tick that
// failed before would only say the same again. Other threads still post.
class QuietPosts {
 public:
  QuietPosts();
  ~QuietPosts();
  QuietPosts(const QuietPosts&) = delete;
  QuietPosts& operator=(const QuietPosts&) = delete;
};

}  // namespace zuna
