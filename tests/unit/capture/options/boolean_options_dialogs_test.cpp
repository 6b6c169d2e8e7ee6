#include <gtest/gtest.h>

#include "capture/options/miscellaneous_options_controller.h"
#include "capture/options/performance_options_controller.h"
#include "options_dialog_fixture.h"

namespace zuna {
namespace {

class MiscellaneousOptions : public test::OptionsDialogFixture {
 protected:
  MiscellaneousOptions() {
    misc.SetMenuCheck([this](bool on) { menuChecked = on; });
  }
  void Click(int box, bool on) {
    view.Check(box, on);
    misc.OnBoxClicked();
  }
  MiscellaneousOptionsController misc{Parts()};
};

TEST_F(MiscellaneousOptions, OpensWithTheValuesInUseAndSaveDisabled) {
  options.SetBoolean(kAutostartGpsKey, true);
  options.SetBoolean(kDisableMagnifyClampKey, true);
  misc.Toggle();
  EXPECT_TRUE(view.shown);
  EXPECT_TRUE(menuChecked);
  EXPECT_TRUE(view.IsChecked(kAutostartGpsBox));
  EXPECT_TRUE(view.IsChecked(kDisableMagnifyClampBox));
  EXPECT_FALSE(view.IsChecked(kRecordButtonsSpaceBox));
  EXPECT_FALSE(view.IsEnabled(kMiscellaneousSaveButton));
  misc.Toggle();
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(menuChecked);
}

TEST_F(MiscellaneousOptions, EventBeepTicksTheStartStopBeepButClearingItDoesNot) {
  misc.Open();
  Click(kEventBeepBox, true);
  EXPECT_TRUE(view.IsChecked(kStartStopBeepBox));
  EXPECT_TRUE(SaveValue(kEnableStartStopBeepKey));
  EXPECT_TRUE(SaveValue(kEnableEventBeepKey));
  Click(kEventBeepBox, false);
  EXPECT_TRUE(view.IsChecked(kStartStopBeepBox));
  EXPECT_FALSE(SaveValue(kEnableEventBeepKey));
}

TEST_F(MiscellaneousOptions, SaveIsEnabledOnlyWhileABoxDiffers) {
  misc.Open();
  Click(kDateTimeAtEndBox, true);
  EXPECT_TRUE(view.IsEnabled(kMiscellaneousSaveButton));
  Click(kDateTimeAtEndBox, false);
  EXPECT_FALSE(view.IsEnabled(kMiscellaneousSaveButton));
}

TEST_F(MiscellaneousOptions, SaveMakesTheBoxesTheValuesInUseAndAppliesTheMagnifySetting) {
  misc.Open();
  Click(kDateTimeAtEndBox, true);
  Click(kDisableMagnifyClampBox, true);
  misc.OnSave();
  EXPECT_EQ(saves, 1);
  EXPECT_TRUE(options.Boolean(kDateTimeAtEndKey));
  EXPECT_TRUE(options.Boolean(kDisableMagnifyClampKey));
  EXPECT_EQ(Count(kMiscellaneousSavedMessage), 1);
  EXPECT_FALSE(view.IsEnabled(kMiscellaneousSaveButton));
}

TEST_F(MiscellaneousOptions, AFailedSaveWarnsAndKeepsTheValuesForThisRun) {
  saveWorks = false;
  misc.Open();
  Click(kRecordButtonsSpaceBox, true);
  misc.OnSave();
  EXPECT_EQ(Count(L"WARNING: cannot save ZUNA_options_capture.txt"), 1);
  EXPECT_TRUE(options.Boolean(kRecordButtonsSpaceKey));
}

TEST_F(MiscellaneousOptions, CancelTakesTheTicksBack) {
  misc.Open();
  Click(kAutostartGpsBox, true);
  misc.Cancel();
  EXPECT_FALSE(SaveValue(kAutostartGpsKey));
  EXPECT_FALSE(options.Boolean(kAutostartGpsKey));
  EXPECT_EQ(saves, 0);
  EXPECT_FALSE(menuChecked);
}

class PerformanceOptions : public test::OptionsDialogFixture {
 protected:
  CommonState state;
  PerformanceOptionsController performance{Parts(), state};
};

TEST_F(PerformanceOptions, OpensOnTheFirstDisplayChoiceThatIsSet) {
  options.SetBoolean(kRemoveFiltersWhileRecordingKey, true);
  options.SetBoolean(kTimerOffWhileRecordingKey, true);
  performance.Open();
  EXPECT_FALSE(view.IsChecked(kDisplayOffRadio));
  EXPECT_TRUE(view.IsChecked(kRemoveFiltersRadio));
  EXPECT_FALSE(view.IsChecked(kNoDisplayChangeRadio));
  EXPECT_TRUE(view.IsChecked(kTimerOffBox));
  options.SetBoolean(kDisplayOffWhileRecordingKey, true);
  performance.Open();
  EXPECT_TRUE(view.IsChecked(kDisplayOffRadio));
  EXPECT_FALSE(view.IsChecked(kRemoveFiltersRadio));
}

TEST_F(PerformanceOptions, ChoicesActAtOnceAndSaveKeepsThem) {
  performance.Open();
  performance.OnDisplayChoice(kDisplayOffRadio);
  view.Check(kTimerOffBox, true);
  performance.OnTimerOffClicked();
  EXPECT_TRUE(state.displayOffWhileRecording);
  EXPECT_FALSE(state.removeFiltersWhileRecording);
  EXPECT_TRUE(state.timerOffWhileRecording);
  performance.OnDisplayChoice(kRemoveFiltersRadio);
  EXPECT_FALSE(state.displayOffWhileRecording);
  EXPECT_TRUE(state.removeFiltersWhileRecording);
  EXPECT_TRUE(SaveValue(kRemoveFiltersWhileRecordingKey));
  performance.OnSave();
  EXPECT_EQ(Count(kPerformanceSavedMessage), 1);
  EXPECT_FALSE(performance.IsOpen());
  // A later Cancel keeps what was saved.
  performance.Open();
  performance.OnDisplayChoice(kNoDisplayChangeRadio);
  EXPECT_FALSE(state.removeFiltersWhileRecording);
  performance.Cancel();
  EXPECT_TRUE(state.removeFiltersWhileRecording);
  EXPECT_TRUE(state.timerOffWhileRecording);
  EXPECT_TRUE(SaveValue(kRemoveFiltersWhileRecordingKey));
}

TEST_F(PerformanceOptions, CancelRestoresTheFlagsAndTheValuesToSave) {
  performance.Open();
  performance.OnDisplayChoice(kDisplayOffRadio);
  performance.Cancel();
  EXPECT_FALSE(state.displayOffWhileRecording);
  EXPECT_FALSE(SaveValue(kDisplayOffWhileRecordingKey));
  EXPECT_EQ(saves, 0);
}

}  // namespace
}  // namespace zuna
