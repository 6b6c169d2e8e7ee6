#include "playback/options/playback_options_controller.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fake_window_view.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

using PO = PlaybackOptionsController;

class PlaybackOptionsControllerTest : public ::testing::Test {
 protected:
  PlaybackOptionsControllerTest() {
    common.Log().SetReady(&sink);
    common.Options().RegisterBoolean(L"DateTimeAtEnd");
    common.Options().RegisterBoolean(L"DisableMagnifyClamp");
    ProgramCallbacks callbacks;
    callbacks.saveOptionsFile = [this] {
      // What the writer would write: the values to be saved.
      written.push_back(common.Options().FindBoolean(L"DateTimeAtEnd")->saveValue);
      return saveWorks;
    };
    common.SetProgramCallbacks(std::move(callbacks));
    window.Initialize();
  }

  void Click(int box) {
    view.Click(box);
    window.OnBoxClicked();
  }
  bool InEffect(const wchar_t* key) { return common.Options().FindBoolean(key)->value; }
  bool Pending(const wchar_t* key) { return common.Options().FindBoolean(key)->saveValue; }

  test::FakeClock clock;
  test::MemorySink sink;
  ZunaCommon common{ProgramKind::kPlayback, clock, {L"C:\\Z\\", L"C:\\Z\\", L""}};
  test::FakeWindowView view;
  std::vector<bool> checks;
  std::vector<bool> written;
  int magnifyClosed = 0;
  bool saveWorks = true;
  PO window{common, view, {[this](bool on) { checks.push_back(on); }, [this] { ++magnifyClosed; }}};
};

TEST_F(PlaybackOptionsControllerTest, OpensWithTheValuesInEffectAndSaveDisabled) {
  common.Options().SetBoolean(L"DateTimeAtEnd", true);
  window.Toggle();
  EXPECT_TRUE(view.shown);
  EXPECT_TRUE(view.IsChecked(PO::kDateTimeAtEnd));
  EXPECT_FALSE(view.IsChecked(PO::kDisableMagnifyClamp));
  EXPECT_FALSE(view.IsEnabled(PO::kSave));
  EXPECT_EQ(view.Text(PO::kDisableMagnifyClamp), L" Disable Maximum Magnify Restrictions");
  window.Toggle();
  EXPECT_FALSE(view.shown);
  EXPECT_EQ(checks, (std::vector<bool>{true, false}));
}

TEST_F(PlaybackOptionsControllerTest, CheckingAndUncheckingTheSameBoxLeavesSaveDisabled) {
  window.Open();
  Click(PO::kDateTimeAtEnd);
  EXPECT_TRUE(view.IsEnabled(PO::kSave));
  EXPECT_TRUE(Pending(L"DateTimeAtEnd"));
  EXPECT_FALSE(InEffect(L"DateTimeAtEnd"));
  Click(PO::kDateTimeAtEnd);
  EXPECT_FALSE(view.IsEnabled(PO::kSave));
}

TEST_F(PlaybackOptionsControllerTest, CancelDropsThePendingValues) {
  window.Open();
  Click(PO::kDateTimeAtEnd);
  window.OnCancel();
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(Pending(L"DateTimeAtEnd"));
  EXPECT_TRUE(written.empty());
  window.Open();
  EXPECT_FALSE(view.IsChecked(PO::kDateTimeAtEnd));
}

TEST_F(PlaybackOptionsControllerTest, SaveWritesThePendingValuesAndPutsThemInEffect) {
  common.Options().FindBoolean(L"DateTimeAtEnd")->readFromFile = true;
  window.Open();
  Click(PO::kDateTimeAtEnd);
  window.OnSave();
  EXPECT_EQ(written, (std::vector<bool>{true}));
  EXPECT_TRUE(InEffect(L"DateTimeAtEnd"));
  EXPECT_FALSE(common.Options().FindBoolean(L"DateTimeAtEnd")->readFromFile);
  EXPECT_FALSE(view.shown);
  EXPECT_EQ(magnifyClosed, 0);
  common.Log().Drain();
  EXPECT_NE(sink.text.find(L"Miscellaneous option values saved in playback options file\r\n"), std::wstring::npos);
}

TEST_F(PlaybackOptionsControllerTest, AChangedMagnifyRuleClosesTheMagnifierOnSaveFromThenOn) {
  window.Open();
  Click(PO::kDisableMagnifyClamp);
  Click(PO::kDisableMagnifyClamp);  // back as it was, but the mark stays
  EXPECT_TRUE(window.MagnifyRuleChanged());
  Click(PO::kDateTimeAtEnd);
  saveWorks = false;  // the values still take effect
  window.OnSave();
  EXPECT_EQ(magnifyClosed, 1);
  EXPECT_TRUE(InEffect(L"DateTimeAtEnd"));
  EXPECT_FALSE(InEffect(L"DisableMagnifyClamp"));
}

}  // namespace
}  // namespace zuna
