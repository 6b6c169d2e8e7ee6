#pragma once
// The scheduling windows over fake views, a fake clock, a scripted prompt and a temporary events
// folder, with a host that counts what the program around them was asked to do.
#include <string>
#include <vector>

#include "capture/events/event_file.h"
#include "capture/events/event_test_records.h"
#include "capture/scheduling/event_list_controller.h"
#include "capture/scheduling/schedule_event_controller.h"
#include "support/fake_window_view.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"

namespace zuna::test {

class ScriptedPrompt final : public Prompt {
 public:
  bool AskYesNo(std::wstring_view text, std::wstring_view title) override {
    questions.push_back(std::wstring(title) + L": " + std::wstring(text));
    return answer;
  }
  bool answer = true;
  std::vector<std::wstring> questions;
};

class SchedulingFixture {
 protected:
  SchedulingFixture() {
    log.clock.utc = {2024, 5, 5, 3, 0, 0, 250};
    host.settings = [this] { return settings; };
    host.rebuildSchedule = [this] { ++rebuilds; };
    host.eventPending = [this] { return pending; };
    host.cancelPendingEvent = [this] {
      ++cancels;
      pending = false;
    };
    schedule.SetMenuCheck([this](bool on) { scheduleMenuChecked = on; });
    schedule.SetEventsChanged([this] { list.FillEventList(); });
    list.SetMenuCheck([this](bool on) { listMenuChecked = on; });
  }

  // An event file for the given day of May 2024 at hh:mm:ss, ten minutes long.
  void WriteEvent(const std::string& name, const std::wstring& day, const std::wstring& hour,
                  const std::wstring& comment = L"") {
    EventFileRecord r = DialogRecord(L"2024", L" 5", day, hour, L" 4", L" 5", L" 0", L"10", L" 0");
    r.comment = comment;
    WriteEventFile(folder / name, r);
  }

  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ScopedMemoryLog log;
  TempFolder folder;
  FakeWindowView scheduleView;
  FakeWindowView listView;
  ScriptedPrompt prompt;
  ScheduleSettings settings;
  SchedulingHost host;
  int rebuilds = 0;
  int cancels = 0;
  bool pending = false;
  bool scheduleMenuChecked = false;
  bool listMenuChecked = false;
  ScheduleEventController schedule{scheduleView, log.clock, folder.Path(), host};
  EventListController list{listView, log.clock, folder.Path(), host, prompt, schedule};
};

}  // namespace zuna::test
