#include <gtest/gtest.h>

#include "capture/countdown/countdown_texts.h"
#include "capture/options/default_duration_controller.h"
#include "capture/options/event_pending_controller.h"
#include "options_dialog_fixture.h"

namespace zuna {
namespace {

class DefaultDuration : public test::OptionsDialogFixture {
 protected:
  CaptureSettings settings;
  DefaultDurationController duration{Parts(), settings};
};

TEST_F(DefaultDuration, OpensOnTheDurationInUseAndSavesThePickedOne) {
  duration.Open();
  EXPECT_EQ(view.times[kDefaultDurationPicker].minute, 10);
  view.SetDateTime(kDefaultDurationPicker, CalendarTime{2026, 1, 2, 1, 30, 5, 0});
  duration.OnSave();
  EXPECT_EQ(options.Text(kDefaultDurationKey), L"01:30:05");
  EXPECT_EQ(TextToSave(kDefaultDurationKey), L"01:30:05");
  EXPECT_EQ(settings.defaultDuration.hour, 1);
  EXPECT_EQ(settings.defaultDuration.minute, 30);
  EXPECT_EQ(settings.defaultDuration.year, 1943);
  EXPECT_EQ(Count(kDefaultDurationSavedMessage), 1);
  EXPECT_FALSE(duration.IsOpen());
}

TEST_F(DefaultDuration, APickerWithoutATimeClearsTheOption) {
  options.SetText(kDefaultDurationKey, L"01:30:00");
  settings.defaultDuration.hour = 1;
  duration.Open();
  view.pickerBroken = true;
  duration.OnSave();
  EXPECT_EQ(TextToSave(kDefaultDurationKey), L"");
  EXPECT_EQ(settings.defaultDuration.hour, 0);
  EXPECT_EQ(settings.defaultDuration.minute, 10);
}

TEST_F(DefaultDuration, CancelChangesNothing) {
  duration.Open();
  view.SetDateTime(kDefaultDurationPicker, CalendarTime{2026, 1, 2, 0, 2, 0, 0, 0});
  duration.Cancel();
  EXPECT_EQ(settings.defaultDuration.minute, 10);
  EXPECT_EQ(saves, 0);
}

class EventPending : public test::OptionsDialogFixture {
 protected:
  EventPending() {
    options.SetText(kEventPendingDisplayKey, L"COUNTDOWN");
    pending.SetCaption([this](std::wstring_view text) { caption = text; });
  }
  CaptureSettings settings;
  EventPendingController pending{Parts(), settings};
  std::wstring caption;
};

TEST_F(EventPending, OpensOnTheModeInUseWithTheBoxClearedAndOk) {
  settings.showUtc = true;
  view.Check(kSaveAsDefaultBox, true);
  pending.Open();
  EXPECT_TRUE(view.IsChecked(kUtcRadio));
  EXPECT_FALSE(view.IsChecked(kCountdownRadio));
  EXPECT_FALSE(view.IsChecked(kSaveAsDefaultBox));
  EXPECT_EQ(view.Text(kEventPendingOkButton), L"OK");
}

TEST_F(EventPending, TheChoiceActsAtOnceAndCancelTakesItBack) {
  pending.Open();
  pending.OnChoice(kUtcRadio);
  EXPECT_TRUE(settings.showUtc);
  EXPECT_EQ(options.Text(kEventPendingDisplayKey), L"UTC");
  EXPECT_EQ(caption, kComputerTimeLabel);
  pending.Cancel();
  EXPECT_FALSE(settings.showUtc);
  EXPECT_EQ(options.Text(kEventPendingDisplayKey), L"COUNTDOWN");
  EXPECT_EQ(caption, kCountdownToStartLabel);
  EXPECT_FALSE(pending.IsOpen());
}

TEST_F(EventPending, OkWithoutTheBoxWritesAndPostsNothing) {
  pending.Open();
  pending.OnChoice(kUtcRadio);
  pending.OnOk();
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(log.Text(), L"");
  EXPECT_EQ(TextToSave(kEventPendingDisplayKey), L"COUNTDOWN");
  EXPECT_TRUE(pending.IsOpen());
}

TEST_F(EventPending, TheBoxRenamesOkAndSavesTheChoice) {
  pending.Open();
  pending.OnChoice(kUtcRadio);
  view.Check(kSaveAsDefaultBox, true);
  pending.OnSaveAsDefaultClicked();
  EXPECT_EQ(view.Text(kEventPendingOkButton), L"Save");
  pending.OnOk();
  EXPECT_EQ(TextToSave(kEventPendingDisplayKey), L"UTC");
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(Count(kEventPendingSavedMessage), 1);
  pending.Cancel();
  EXPECT_TRUE(settings.showUtc);
  view.Check(kSaveAsDefaultBox, false);
  pending.OnSaveAsDefaultClicked();
  EXPECT_EQ(view.Text(kEventPendingOkButton), L"OK");
}

}  // namespace
}  // namespace zuna
