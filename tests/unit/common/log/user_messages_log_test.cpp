#include "common/log/user_messages_log.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna {
namespace {

using test::ScopedMemoryLog;

TEST(UserMessagesLog, StampedAndPlainEntries) {
  ScopedMemoryLog m;
  m.clock.utc = {2024, 3, 5, 7, 3, 9, 0};
  PostUnstampedMessage(L"Attached video devices:");
  PostStampedMessage(L"WARNING: x\r\n");
  EXPECT_EQ(m.Text(), L"\r\nAttached video devices:\r\n07:03:09 (UTC)\r\nWARNING: x\r\n");
}

TEST(UserMessagesLog, NullTextGivesOnlyTheLineBreakAndTimeLine) {
  ScopedMemoryLog m;
  m.clock.utc = {2024, 3, 5, 23, 59, 58, 0};
  PostStampedMessage(static_cast<const wchar_t*>(nullptr));
  EXPECT_EQ(m.Text(), L"\r\n23:59:58 (UTC)\r\n");
}

TEST(UserMessagesLog, HeldMessagesAppearInOrderAndOnlyTheFirstIsStamped) {
  ScopedMemoryLog m(/*ready=*/false);
  m.clock.utc = {2024, 3, 5, 12, 0, 1, 0};
  PostUnstampedMessage(L"one\r\n");
  PostStampedMessage(L"two\r\n");
  PostStampedMessage(L"three\r\n");
  EXPECT_EQ(m.log.PendingCount(), 3u);
  EXPECT_EQ(m.Text(), L"");
  m.log.SetReady(&m.sink);
  m.log.FlushPending();
  EXPECT_EQ(m.Text(), L"\r\n12:00:01 (UTC)\r\none\r\n\r\ntwo\r\n\r\nthree\r\n");
  EXPECT_EQ(m.log.PendingCount(), 0u);
  m.log.FlushPending();  // a second flush adds nothing
  EXPECT_EQ(m.Text(), L"\r\n12:00:01 (UTC)\r\none\r\n\r\ntwo\r\n\r\nthree\r\n");
}

TEST(UserMessagesLog, LongMessagesAreKeptWhole) {
  ScopedMemoryLog m(/*ready=*/false);
  const std::wstring longText(10000, L'x');
  PostStampedMessage(longText);
  m.log.SetReady(&m.sink);
  m.log.FlushPending();
  PostUnstampedMessage(longText);
  EXPECT_EQ(m.Text().size(), 2 * (2 + longText.size()) + 16);
}

TEST(UserMessagesLog, PostsFromOtherThreadsWaitForTheMainThread) {
  ScopedMemoryLog m;
  std::thread worker([] { PostUnstampedMessage(L"from a timer\r\n"); });
  worker.join();
  EXPECT_EQ(m.Text(), L"");
  EXPECT_EQ(m.sink.drainRequests.load(), 1);
  m.log.Drain();
  EXPECT_EQ(m.Text(), L"\r\nfrom a timer\r\n");
}

TEST(UserMessagesLog, ManyThreadsLoseDuplicateAndInterleaveNothing) {
  ScopedMemoryLog m;
  constexpr int kThreads = 4;
  constexpr int kPerThread = 25000;
  std::vector<std::thread> threads;
  std::atomic<bool> done{false};
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kPerThread; ++i) {
        PostUnstampedMessage(L"T" + std::to_wstring(t) + L" message " + std::to_wstring(i) + L" end\r\n");
      }
    });
  }
  std::thread drainer([&] {
    // Plays the main thread while the posts go on.
    while (!done.load()) m.log.Drain();
  });
  for (auto& th : threads) th.join();
  done = true;
  drainer.join();
  m.log.Drain();

  const std::wstring& text = m.Text();
  std::vector<int> next(kThreads, 0);
  std::size_t pos = 0;
  int count = 0;
  while (pos < text.size()) {
    ASSERT_EQ(text.compare(pos, 3, L"\r\nT"), 0) << "at " << pos;
    const std::size_t end = text.find(L" end\r\n", pos);
    ASSERT_NE(end, std::wstring::npos);
    const std::wstring entry = text.substr(pos + 2, end - pos - 2);
    const int t = entry[1] - L'0';
    const int i = std::stoi(entry.substr(entry.find(L"message ") + 8));
    ASSERT_EQ(entry, L"T" + std::to_wstring(t) + L" message " + std::to_wstring(i));
    ASSERT_EQ(i, next[t]) << "thread " << t << " out of order";
    ++next[t];
    ++count;
    pos = end + 6;
  }
  EXPECT_EQ(count, kThreads * kPerThread);
}

TEST(UserMessagesLog, SavedFileHasCrLfLinesAndAnsiText) {
  ScopedMemoryLog m;
  test::TempFolder folder;
  m.sink.text = L"\rline one\rK\u00f6ln\r\nlast";
  ASSERT_TRUE(m.log.WriteMessagesFile(folder / "msg.txt"));
  EXPECT_EQ(test::TempFolder::ReadFile(folder / "msg.txt"), "\r\nline one\r\nK\xf6ln\r\nlast");
  EXPECT_FALSE(m.log.WriteMessagesFile(folder / "missing" / "msg.txt"));
  // The text fits the stream's buffer: only closing the file meets the full disk.
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_FALSE(m.log.WriteMessagesFile("/dev/full"));
  }
}

}  // namespace
}  // namespace zuna
