// A schedule rebuild over a folder of 5,000 event files: what the capture program does after every
// recording and every change of an event, so it must stay well under a second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "capture/events/event_file.h"
#include "capture/events/event_file_name.h"
#include "capture/events/event_schedule.h"
#include "common/log/user_messages_log.h"

namespace {

constexpr int kEventCount = 5'000;
constexpr zuna::CalendarTime kNow{2024, 1, 1, 0, 0, 0, 0};
// Events every 8 hours 7 minutes from the next day on: none overlaps, and they span several
// years, so names with the date at the end list them out of time order.
constexpr zuna::FileTime kEventSpacing = (8 * 60 + 7) * zuna::kTicksPerMinute;

class FixedClock final : public zuna::Clock {
 public:
  zuna::CalendarTime UtcNow() const override { return kNow; }
  zuna::CalendarTime LocalNow() const override { return kNow; }
  zuna::TimeZoneRecord TimeZone() const override { return {}; }
};

// The log window's work without a window: every entry is composed and handed over.
class CountingSink final : public zuna::UserMessagesSink {
 public:
  void Append(const std::wstring& entry) override { characters += entry.size(); }
  std::wstring Text() const override { return {}; }
  void Clear() override {}
  void RequestDrain() override {}
  std::size_t characters = 0;
};

std::wstring Two(int n) {
  return n < 10 ? L" " + std::to_wstring(n) : std::to_wstring(n);
}

// An event as the scheduling dialog writes it: blank-padded numbers, a few minutes long.
zuna::EventFileRecord DialogRecord(const zuna::CalendarTime& t, int minutes) {
  zuna::EventFileRecord r;
  r.eventYear = std::to_wstring(t.year);
  r.eventMonth = Two(t.month);
  r.eventDay = Two(t.day);
  r.eventHour = Two(t.hour);
  r.eventMinute = Two(t.minute);
  r.eventSecond = Two(t.second);
  r.durationHour = Two(0);
  r.durationMinute = Two(minutes);
  r.durationSecond = Two(30);
  r.hibernate = L"false";
  r.shutdown = L"false";
  r.comment = L"predicted by the occultation service";
  r.asteroidName = L"Pallas";
  r.starName = L"TYC 1234-00567-1";
  return r;
}

// A folder of event files, written once per name form and removed at exit.
class EventFolder {
 public:
  explicit EventFolder(bool dateTimeAtEnd) {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("zuna_bench_events_" + std::to_string(seed()) + (dateTimeAtEnd ? "_end" : "_front"));
    std::filesystem::create_directories(path_);
    zuna::BuildNameSuffix(L"Pallas", L"TYC 1234-00567-1", L"", dateTimeAtEnd);
    const zuna::FileTime first = *zuna::ToFileTime(kNow) + zuna::kTicksPerDay;
    for (int i = 0; i < kEventCount; ++i) {
      const zuna::CalendarTime t = zuna::ToCalendarTime(first + static_cast<zuna::FileTime>(i) * kEventSpacing);
      const std::wstring name = zuna::BuildEventFileName(t, dateTimeAtEnd);
      written_ += zuna::WriteEventFile(path_ / name, DialogRecord(t, 1 + i % 5)) ? 1 : 0;
    }
  }
  ~EventFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  EventFolder(const EventFolder&) = delete;
  EventFolder& operator=(const EventFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  int Written() const { return written_; }

 private:
  std::filesystem::path path_;
  int written_ = 0;
};

const EventFolder& Folder(bool dateTimeAtEnd) {
  static const EventFolder front(false);
  static const EventFolder end(true);
  return dateTimeAtEnd ? end : front;
}

// One rebuild per iteration: list, read and check every file, build the schedule, post the log.
void BM_ScheduleRebuild(benchmark::State& state) {
  const EventFolder& folder = Folder(state.range(0) != 0);
  if (folder.Written() != kEventCount) {
    state.SkipWithError("the event files could not be written");
    return;
  }
  FixedClock clock;
  CountingSink sink;
  zuna::UserMessagesLog log(clock);
  log.SetReady(&sink);
  zuna::InstallUserMessagesLog(&log);
  zuna::EventSchedule schedule(clock, folder.Path());
  const zuna::ScheduleContext context{1, 0, false, true, false};
  std::size_t scheduled = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(schedule.LoadEventSchedule(context));
    scheduled = schedule.Events().size() + (schedule.PendingEvent() ? 1 : 0);
  }
  zuna::InstallUserMessagesLog(nullptr);
  if (scheduled != kEventCount) state.SkipWithError("not every event was scheduled");
  state.counters["files"] = kEventCount;
  state.SetItemsProcessed(state.iterations() * kEventCount);
}

BENCHMARK(BM_ScheduleRebuild)->ArgName("dateTimeAtEnd")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
