#include <gtest/gtest.h>

#include <string>

#include "capture/countdown/power_control.h"
#include "capture/countdown/power_notice.h"
#include "capture/countdown/power_notice_controller.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

class FakePowerControl final : public PowerControl {
 public:
  void KeepSystemAwake() override { ++keepAwakeCalls; }
  bool Hibernate() override {
    ++hibernateCalls;
    calls += "hibernate ";
    return hibernateWorks;
  }
  bool ResumedAutomatically() override { return resumedAutomatically; }
  bool EnableShutdownPrivilege() override {
    calls += "privilege ";
    return privilege;
  }
  ShutdownRequest RequestShutdown() override {
    ++shutdownCalls;
    calls += "shutdown ";
    return shutdown;
  }
  std::uint32_t LastShutdownError() const override { return 1115; }

  int keepAwakeCalls = 0;
  int hibernateCalls = 0;
  int shutdownCalls = 0;
  bool hibernateWorks = true;
  bool resumedAutomatically = false;
  bool privilege = true;
  ShutdownRequest shutdown = ShutdownRequest::kStarted;
  std::string calls;  // in the order they were made
};

TEST(PowerNotice, CountsThirtySecondsThenCarriesOutTheAction) {
  PowerNotice notice;
  EXPECT_FALSE(notice.Start(PowerAction::kNone));
  EXPECT_FALSE(notice.Active());

  const auto texts = notice.Start(ChoosePowerAction(false, true));
  ASSERT_TRUE(texts);
  EXPECT_EQ(texts->title, L"Shutdown");
  EXPECT_EQ(texts->label, L"Shutdown in");
  EXPECT_EQ(texts->cancelButton, L"Cancel Shutdown");
  EXPECT_EQ(texts->explanation, L"unless you select Cancel Shutdown");
  EXPECT_EQ(texts->count, L"30");

  std::vector<std::wstring> counts;
  for (int i = 0; i < 29; ++i) {
    const PowerNoticeStep step = notice.Tick();
    ASSERT_TRUE(step.count);
    EXPECT_FALSE(step.finished);
    counts.push_back(*step.count);
  }
  EXPECT_EQ(counts.front(), L"29");
  EXPECT_EQ(counts[20], L"09");
  EXPECT_EQ(counts.back(), L"01");
  const PowerNoticeStep last = notice.Tick();
  EXPECT_FALSE(last.count);
  EXPECT_TRUE(last.finished);
  EXPECT_EQ(last.carryOut, PowerAction::kShutdown);
  EXPECT_FALSE(notice.Active());
  EXPECT_EQ(notice.Tick().carryOut, PowerAction::kNone);  // a late timer message does nothing
}

TEST(PowerNotice, HibernationWinsAndCancelLeavesTheComputerAlone) {
  PowerNotice notice;
  const auto texts = notice.Start(ChoosePowerAction(true, true));
  ASSERT_TRUE(texts);
  EXPECT_EQ(texts->title, L"Hibernate");
  EXPECT_EQ(texts->label, L"Hibernate in");
  EXPECT_EQ(texts->cancelButton, L"Cancel Hibernate");
  EXPECT_EQ(texts->explanation, L"unless you select Cancel Hibernate");
  for (int i = 0; i < 10; ++i) notice.Tick();
  notice.Cancel();
  EXPECT_FALSE(notice.Active());
  for (int i = 0; i < 40; ++i) EXPECT_EQ(notice.Tick().carryOut, PowerAction::kNone);
}

TEST(PowerAction, HibernationFailuresAndAutomaticResumeAreReported) {
  test::ScopedMemoryLog log;
  log.clock.utc = {2024, 6, 1, 4, 5, 6, 0};
  FakePowerControl power;
  EXPECT_FALSE(CarryOutPowerAction(PowerAction::kHibernate, power));
  EXPECT_EQ(log.Text(), L"");
  power.resumedAutomatically = true;
  EXPECT_FALSE(CarryOutPowerAction(PowerAction::kHibernate, power));
  power.hibernateWorks = false;
  EXPECT_FALSE(CarryOutPowerAction(PowerAction::kHibernate, power));
  EXPECT_EQ(power.hibernateCalls, 3);
  EXPECT_EQ(log.Text(),
            L"\r\n04:05:06 (UTC)\r\n\r\nSystem resumed automatically rather than by user action\r\n"
            L"\r\n04:05:06 (UTC)\r\n\r\nUnable to create hibernate the computer.  Check user privileges.\r\n");
}

TEST(PowerAction, BothActionsEnableTheShutdownPrivilegeFirstAndNeedIt) {
  test::ScopedMemoryLog log;
  log.clock.utc = {2024, 6, 1, 4, 5, 6, 0};
  FakePowerControl power;
  CarryOutPowerAction(PowerAction::kHibernate, power);
  EXPECT_EQ(power.calls, "privilege hibernate ");
  power.calls.clear();
  CarryOutPowerAction(PowerAction::kShutdown, power);
  EXPECT_EQ(power.calls, "privilege shutdown ");
  power.calls.clear();
  power.privilege = false;
  EXPECT_FALSE(CarryOutPowerAction(PowerAction::kHibernate, power));
  EXPECT_EQ(power.calls, "privilege ");
  EXPECT_EQ(log.Text(), L"\r\n04:05:06 (UTC)\r\nCannot adjust privilege to hibernate computer");
}

TEST(PowerAction, OnlyAStartedShutdownEndsTheProgram) {
  test::ScopedMemoryLog log;
  log.clock.utc = {2024, 6, 1, 4, 5, 6, 0};
  FakePowerControl power;
  EXPECT_TRUE(CarryOutPowerAction(PowerAction::kShutdown, power));
  power.shutdown = ShutdownRequest::kPrivilegeDenied;
  EXPECT_FALSE(CarryOutPowerAction(PowerAction::kShutdown, power));
  power.shutdown = ShutdownRequest::kOtherUsersLoggedOn;
  EXPECT_FALSE(CarryOutPowerAction(PowerAction::kShutdown, power));
  power.shutdown = ShutdownRequest::kFailed;
  EXPECT_FALSE(CarryOutPowerAction(PowerAction::kShutdown, power));
  power.privilege = false;
  EXPECT_FALSE(CarryOutPowerAction(PowerAction::kShutdown, power));
  EXPECT_EQ(power.shutdownCalls, 4);  // no request without the privilege
  EXPECT_FALSE(CarryOutPowerAction(PowerAction::kNone, power));
  EXPECT_EQ(power.hibernateCalls, 0);
  EXPECT_EQ(log.Text(),
            L"\r\n04:05:06 (UTC)\r\nInsufficient user privilege to programmatically shut down computer"
            L"\r\n04:05:06 (UTC)\r\nCannot shut down computer - other users logged on"
            L"\r\n04:05:06 (UTC)\r\nWARNING: cannot shut down computer - error code 1115\r\n"
            L"\r\n04:05:06 (UTC)\r\nCannot adjust privilege to shut down computer");
}

class FakePowerNoticeView final : public PowerNoticeView {
 public:
  void SetTitle(std::wstring_view text) override { title = text; }
  void SetLabel(std::wstring_view text) override { label = text; }
  void SetCount(std::wstring_view text) override { count = text; }
  void SetExplanation(std::wstring_view text) override { explanation = text; }
  void SetCancelText(std::wstring_view text) override { cancel = text; }
  void StartTimer() override { timer = true; }
  void StopTimer() override { timer = false; }
  void Show() override { shown = true; }
  void Hide() override { shown = false; }
  std::wstring title, label, count, explanation, cancel;
  bool timer = false;
  bool shown = false;
};

class PowerNoticeWindow : public ::testing::Test {
 protected:
  void Tick(int times) {
    for (int i = 0; i < times; ++i) controller.OnTimer();
  }
  test::ScopedMemoryLog log;
  FakePowerControl power;
  FakePowerNoticeView view;
  CommonState state;
  PowerNoticeController controller{view, power, state};
};

TEST_F(PowerNoticeWindow, ShutdownCountsDownThenEndsTheProgram) {
  controller.Start(PowerAction::kShutdown);
  EXPECT_TRUE(view.shown);
  EXPECT_TRUE(view.timer);
  EXPECT_EQ(view.title, L"Shutdown");
  EXPECT_EQ(view.label, L"Shutdown in");
  EXPECT_EQ(view.cancel, L"Cancel Shutdown");
  EXPECT_EQ(view.explanation, L"unless you select Cancel Shutdown");
  EXPECT_EQ(view.count, L"30");
  Tick(21);
  EXPECT_EQ(view.count, L"09");
  Tick(8);
  EXPECT_EQ(view.count, L"01");
  EXPECT_EQ(power.shutdownCalls, 0);
  Tick(1);
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(view.timer);
  EXPECT_EQ(power.shutdownCalls, 1);
  EXPECT_TRUE(state.exit.Requested());
}

TEST_F(PowerNoticeWindow, HibernationCountsDownAndTheProgramRunsOn) {
  controller.Start(PowerAction::kHibernate);
  EXPECT_EQ(view.title, L"Hibernate");
  EXPECT_EQ(view.label, L"Hibernate in");
  EXPECT_EQ(view.cancel, L"Cancel Hibernate");
  EXPECT_EQ(view.explanation, L"unless you select Cancel Hibernate");
  Tick(30);
  EXPECT_FALSE(view.shown);
  EXPECT_EQ(power.hibernateCalls, 1);
  EXPECT_FALSE(state.exit.Requested());
}

TEST_F(PowerNoticeWindow, CancelLeavesTheComputerRunning) {
  controller.Start(PowerAction::kHibernate);
  Tick(5);
  controller.OnCancel();
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(view.timer);
  Tick(40);  // late timer messages
  EXPECT_EQ(power.hibernateCalls, 0);
  EXPECT_EQ(power.shutdownCalls, 0);
  EXPECT_FALSE(state.exit.Requested());
  EXPECT_EQ(log.Text(), L"");
}

}  // namespace
}  // namespace zuna
