#include "common/log/user_messages_log.h"

#include <atomic>
#include <fstream>

#include "common/text/ansi_code_page.h"

namespace zuna {
namespace {

std::atomic<UserMessagesLog*> g_log{nullptr};

// The rich edit control ends each paragraph with a lone CR; files get CR LF.
std::wstring WithCrLf(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == L'\r' && (i + 1 >= text.size() || text[i + 1] != L'\n')) out.push_back(L'\n');
  }
  return out;
}

}  // namespace

UserMessagesLog::UserMessagesLog(const Clock& clock) : clock_(clock) {}

void UserMessagesLog::Post(const wchar_t* text, bool timeStamp) {
  Post(text ? std::wstring_view(text) : std::wstring_view(), timeStamp);
}

void UserMessagesLog::Post(std::wstring_view text, bool timeStamp) {
  UserMessagesSink* sink = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (sink_ == nullptr) {
      pending_.emplace_back(text);
      return;
    }
    queue_.push_back(ComposeEntry(text, timeStamp));
    sink = sink_;
  }
  if (std::this_thread::get_id() == mainThread_) {
    Drain();
  } else {
    sink->RequestDrain();
  }
}

std::wstring UserMessagesLog::ComposeEntry(std::wstring_view text, bool timeStamp) const {
  std::wstring entry = L"\r\n";
  if (timeStamp) {
    entry += FormatTimeOfDay(clock_.UtcNow());
    entry += L" (UTC)\r\n";
  }
  entry += text;
  return entry;
}

void UserMessagesLog::SetReady(UserMessagesSink* sink) {
  std::lock_guard lock(mutex_);
  sink_ = sink;
  mainThread_ = std::this_thread::get_id();
}

bool UserMessagesLog::Ready() const {
  std::lock_guard lock(mutex_);
  return sink_ != nullptr;
}

void UserMessagesLog::FlushPending() {
  std::vector<std::wstring> held;
  {
    std::lock_guard lock(mutex_);
    if (sink_ == nullptr) return;
    held.swap(pending_);
    for (std::size_t i = 0; i < held.size(); ++i) queue_.push_back(ComposeEntry(held[i], i == 0));
  }
  Drain();
}

void UserMessagesLog::Drain() {
  if (draining_) return;  // an append that re-enters the message loop: the outer drain goes on
  draining_ = true;
  for (;;) {
    std::vector<std::wstring> batch;
    UserMessagesSink* sink = nullptr;
    {
      std::lock_guard lock(mutex_);
      batch.swap(queue_);
      sink = sink_;
    }
    if (batch.empty() || sink == nullptr) break;
    for (const auto& entry : batch) sink->Append(entry);
  }
  draining_ = false;
}

bool UserMessagesLog::WriteMessagesFile(const std::filesystem::path& path) const {
  UserMessagesSink* sink = nullptr;
  {
    std::lock_guard lock(mutex_);
    sink = sink_;
  }
  if (sink == nullptr) return false;
  const std::string bytes = ProcessCodePage().ToAnsi(WithCrLf(sink->Text()));
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();  // what stayed in the stream's buffer is written here, and may not fit
  return !file.fail();
}

void UserMessagesLog::ClearMessages() {
  Drain();  // entries posted before the command belong to the text being cleared
  std::lock_guard lock(mutex_);
  if (sink_ != nullptr) sink_->Clear();
}

std::size_t UserMessagesLog::PendingCount() const {
  std::lock_guard lock(mutex_);
  return pending_.size();
}

void InstallUserMessagesLog(UserMessagesLog* log) {
  g_log.store(log);
}

UserMessagesLog* InstalledUserMessagesLog() {
  return g_log.load();
}

namespace {
thread_local int t_quietDepth = 0;
}  // namespace

QuietPosts::QuietPosts() {
  ++t_quietDepth;
}

QuietPosts::~QuietPosts() {
  --t_quietDepth;
}

void PostUserMessage(const wchar_t* text, bool timeStamp) {
  if (t_quietDepth > 0) return;
  if (UserMessagesLog* log = g_log.load()) log->Post(text, timeStamp);
}

void PostUserMessage(std::wstring_view text, bool timeStamp) {
  if (t_quietDepth > 0) return;
  if (UserMessagesLog* log = g_log.load()) log->Post(text, timeStamp);
}

}  // namespace zuna
