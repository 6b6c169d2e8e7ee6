#pragma once
// The windows of a recording as a test sees them: titles, buttons, menus, countdown, questions.
#include <string>
#include <vector>

#include "capture/countdown/power_control.h"
#include "capture/recording/recording_host.h"
#include "video/player/video_player.h"

namespace zuna::test {

class FakeRecordingHost final : public RecordingHost {
 public:
  void SetMainTitle(std::wstring_view title) override { mainTitle = title; }
  void SetRecordButtons(bool start, bool stop) override {
    startEnabled = start;
    stopEnabled = stop;
  }
  void GreyMenusWhileRecording(bool grey) override { menusGrey = grey; }
  void DeleteEventTick() override {
    tickRunning = false;
    exactTickMs = 0;
  }
  void ScheduleExactTick(int milliseconds) override { exactTickMs = milliseconds; }
  void ShowPendingEvent(const PendingEventDisplay& display) override {
    mainTitle = display.mainWindowTitle;
    countdownTitle = display.countdownTitle;
    countdownLabel = display.countdownLabel;
    informationLines = display.startLine + display.eventLine + display.endLine;
    countdownShown = true;
    tickRunning = true;
    gpsPaused = true;
  }
  void NoEventPending() override { gpsPaused = false; }
  void HideCountdown() override {
    countdownShown = false;
    if (player != nullptr && player->IsRunning()) ++hiddenWhileGraphRuns;
  }
  void SetCountdownTitle(std::wstring_view title) override { countdownTitle = title; }
  void SetCountdownLabel(std::wstring_view label) override { countdownLabel = label; }
  void SetCountdownDigits(std::wstring_view text) override { digits.emplace_back(text); }
  void SetCountdownWarning(std::wstring_view line) override { countdownWarning = line; }
  void Beep() override { ++beeps; }
  bool AskYesNo(std::wstring_view text, std::wstring_view title) override {
    questions.push_back(std::wstring(title) + L": " + std::wstring(text));
    return answer;
  }
  GpsRecordingFix ReadGpsFixForRecording() override {
    ++gpsReads;
    return fix;
  }
  void ResumeGpsRefresh() override { ++gpsResumes; }
  void WatchRecording(bool on) override { watching = on; }
  void StartPowerNotice(PowerAction action) override { powerNotice = action; }
  void SaveUserMessages() override { ++messageSaves; }

  const VideoPlayer* player = nullptr;  // when set, hiding the countdown notes a running graph
  int hiddenWhileGraphRuns = 0;
  std::wstring mainTitle = L"ZUNA Video Capture Version 2.4d";
  bool startEnabled = true;
  bool stopEnabled = false;
  bool menusGrey = false;
  bool tickRunning = false;
  int exactTickMs = 0;  // the extra tick asked for last, 0 when none
  bool countdownShown = false;
  bool gpsPaused = false;
  std::wstring countdownTitle, countdownLabel, informationLines, countdownWarning;
  std::vector<std::wstring> digits;
  int beeps = 0;
  bool answer = false;
  std::vector<std::wstring> questions;
  GpsRecordingFix fix;
  int gpsReads = 0;
  int gpsResumes = 0;
  PowerAction powerNotice = PowerAction::kNone;
  int messageSaves = 0;
  bool watching = false;
};

class FakePowerControl final : public PowerControl {
 public:
  void KeepSystemAwake() override { ++keepAwakeCalls; }
  bool Hibernate() override { return true; }
  bool ResumedAutomatically() override { return false; }
  bool EnableShutdownPrivilege() override { return true; }
  ShutdownRequest RequestShutdown() override { return ShutdownRequest::kStarted; }
  int keepAwakeCalls = 0;
};

}  // namespace zuna::test
