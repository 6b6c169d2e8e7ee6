#include <gtest/gtest.h>

#include "capture/countdown/power_control.h"
#include "capture/countdown/power_notice.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

class FakePowerControl final : public PowerControl {
 public:
  void KeepSystemAwake() override { ++keepAwakeCalls; }
  bool Hibernate() override {
    ++hibernateCalls;
    return hibernateWorks;
  }
  bool ResumedAutomatically() override { return resumedAutomatically; }
  bool EnableShutdownPrivilege() override { return privilege; }
  ShutdownRequest RequestShutdown() override {
    ++shutdownCalls;
    return shutdown;
  }

  int keepAwakeCalls = 0;
  int hibernateCalls = 0;
  int shutdownCalls = 0;
  bool hibernateWorks = true;
  bool resumedAutomatically = false;
  bool privilege = true;
  ShutdownRequest shutdown = ShutdownRequest::kStarted;
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

TEST(PowerAction, OnlyAStartedShutdownEndsTheProgram) {
  test::ScopedMemoryLog log;
  log.clock.utc = {2024, 6, 1, 4, 5, 6, 0};
  FakePowerControl power;
  EXPECT_TRUE(CarryOutPowerAction(PowerAction::kShutdown, power));
  power.shutdown = ShutdownRequest::kAccessDenied;
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
            L"\r\n04:05:06 (UTC)\r\nCannot adjust privilege to shut down computer");
}

}  // namespace
}  // namespace zuna
