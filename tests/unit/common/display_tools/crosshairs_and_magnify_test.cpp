#include <gtest/gtest.h>

#include <vector>

#include "common/display_tools/crosshairs_controller.h"
#include "common/display_tools/magnify_controller.h"
#include "display_tools/display_tools_fixture.h"

namespace zuna {
namespace {

using test::DisplayToolsTest;
using CH = CrosshairsController;

// Ticks only when the test says so.
class FakeRepeatTimer final : public RepeatTimer {
 public:
  void Start(int milliseconds) override { armed.push_back(milliseconds); }
  void Stop() override { armed.push_back(0); }
  std::vector<int> armed;  // 0 for a stop
};

class CrosshairsTest : public DisplayToolsTest {
 protected:
  CrosshairsTest() {
    common.State().geometry.NewVideo({720, 480});
    tool.Initialize();
  }
  FakeRepeatTimer timer;
  CH tool{common, view, timer};
};

TEST_F(CrosshairsTest, OpensAtTheCentre) {
  tool.Open();
  EXPECT_EQ(tool.Row(), 240);
  EXPECT_EQ(tool.Column(), 360);
  EXPECT_EQ(view.Text(CH::kRowText), L"240");
  EXPECT_EQ(view.Text(CH::kColumnText), L"360");
  EXPECT_EQ(view.Text(CH::kLabel), L"Crosshairs Intensity");
}

TEST_F(CrosshairsTest, IntensityRangeFollowsThePictureFormat) {
  tool.SetIntensityFormat(IntensityFormat::kYuy2);
  EXPECT_EQ(view.sliders[CH::kSlider].minimum, 55);
  EXPECT_EQ(view.sliders[CH::kSlider].maximum, 235);
  EXPECT_EQ(common.State().crosshairIntensity, 145);
  view.SetSliderPosition(CH::kSlider, 300);  // a trackbar keeps its thumb in range
  tool.OnSliderMoved();
  EXPECT_EQ(common.State().crosshairIntensity, 235);
  tool.SetIntensityFormat(IntensityFormat::kRgb);
  EXPECT_EQ(common.State().crosshairIntensity, 152);
  tool.SetIntensityFormat(IntensityFormat::kOther);
  EXPECT_EQ(view.sliders[CH::kSlider].maximum, 0);
}

TEST_F(CrosshairsTest, ArrowsMoveOnePixelWithinThePicture) {
  tool.Open();
  tool.OnArrowKey(ArrowDirection::kUp);
  tool.OnArrowKey(ArrowDirection::kLeft);
  EXPECT_EQ(view.Text(CH::kRowText), L"239");
  EXPECT_EQ(view.Text(CH::kColumnText), L"359");
  common.State().crosshairRow = 0;
  common.State().crosshairColumn = 719;
  tool.OnArrowKey(ArrowDirection::kUp);
  tool.OnArrowKey(ArrowDirection::kRight);
  EXPECT_EQ(tool.Row(), 0);
  EXPECT_EQ(tool.Column(), 719);
  common.State().crosshairRow = 479;
  tool.OnArrowKey(ArrowDirection::kDown);
  EXPECT_EQ(tool.Row(), 479);
  tool.OnCentreRow();
  tool.OnCentreColumn();
  EXPECT_EQ(view.Text(CH::kRowText), L"240");
  EXPECT_EQ(view.Text(CH::kColumnText), L"360");
}

TEST_F(CrosshairsTest, AHeldArrowRepeatsAfter800ThenEvery50Milliseconds) {
  tool.Open();
  tool.OnArrowPressed(ArrowDirection::kRight);
  EXPECT_EQ(tool.Column(), 361);
  EXPECT_EQ(timer.armed, (std::vector<int>{800}));
  tool.OnRepeatTick();
  tool.OnRepeatTick();
  tool.OnRepeatTick();
  EXPECT_EQ(tool.Column(), 364);
  EXPECT_EQ(timer.armed, (std::vector<int>{800, 50, 50, 50}));
  tool.OnArrowReleased();
  tool.OnRepeatTick();  // a tick already on its way after the release moves nothing
  EXPECT_EQ(tool.Column(), 364);
  EXPECT_EQ(timer.armed.back(), 0);
  EXPECT_EQ(refreshes, 4);
}

TEST_F(CrosshairsTest, ClosingStopsTheRepeatAndReopeningCentresAgain) {
  tool.Open();
  tool.OnArrowPressed(ArrowDirection::kDown);
  tool.Close();
  EXPECT_EQ(timer.armed.back(), 0);
  tool.Open();
  EXPECT_EQ(tool.Row(), 240);
}

TEST(MagnifySizes, IntegerSizesOfTheSixChoices) {
  EXPECT_EQ(MagnifiedSize(640, 480, 4), (DisplaySize{960, 720}));
  EXPECT_EQ(MagnifiedSize(640, 480, 2), (DisplaySize{480, 360}));
  EXPECT_EQ(MagnifiedSize(640, 480, 0), (DisplaySize{160, 120}));
  EXPECT_EQ(MagnifiedSize(640, 480, 1), (DisplaySize{320, 240}));
  EXPECT_EQ(MagnifiedSize(640, 480, 3), (DisplaySize{640, 480}));
  EXPECT_EQ(MagnifiedSize(641, 481, 5), (DisplaySize{1282, 962}));
  EXPECT_EQ(MagnifiedSize(721, 481, 2), (DisplaySize{540, 360}));
}

TEST(MagnifySizes, TheChoiceOfAFittedDisplay) {
  EXPECT_EQ(MagnifyChoiceForDisplay(1920, 1080, 960, 540), 1);
  EXPECT_EQ(MagnifyChoiceForDisplay(1920, 1080, 1440, 810), 2);
  EXPECT_EQ(MagnifyChoiceForDisplay(640, 480, 640, 480), kMagnifyNone);
  EXPECT_EQ(MagnifyChoiceForDisplay(640, 480, 500, 400), kMagnifyNone);
}

// A 1600 x 900 work area less a frame of 16 x 58.
TEST(MagnifySizes, ATooBigVideoTakesTheLargestReducedStepThatFits) {
  EXPECT_EQ(ReducedMagnifyChoice(720, 480, 1584, 842), kMagnifyNone);    // fits
  EXPECT_EQ(ReducedMagnifyChoice(1280, 1024, 1584, 842), 2);             // 842 >= 768
  EXPECT_EQ(ReducedMagnifyChoice(1920, 1200, 1584, 842), 1);             // 600 <= 842 < 900
  EXPECT_EQ(ReducedMagnifyChoice(2560, 1920, 1584, 842), 0);             // the height decides: 480 <= 842 < 960
  EXPECT_EQ(ReducedMagnifyChoice(2400, 600, 1584, 842), 1);              // the width decides: 1200 <= 1584 < 1800
  EXPECT_EQ(ReducedMagnifyChoice(8000, 6000, 1584, 842), kMagnifyNone);  // not even a quarter fits
}

TEST(MagnifySizes, ClampByTheTighterDimension) {
  // A 720-wide video never takes x 0.25; on 1920 x 1080 everything else fits.
  auto a = MagnifyChoicesAllowed(720, 480, 1920, 1080, 16, 60);
  EXPECT_EQ(a, (std::array<bool, 6>{false, true, true, true, true, true}));
  // The width decides for a wide video: 1350 columns take it at its own size, not at x 1.5.
  a = MagnifyChoicesAllowed(1280, 480, 1366, 768, 16, 60);
  EXPECT_EQ(a, (std::array<bool, 6>{true, true, true, true, false, false}));
  // Height tighter: 1366 x 768 with a 640 x 480 video leaves 708 rows: no x 1.5, no x 2.0.
  a = MagnifyChoicesAllowed(640, 480, 1366, 768, 16, 60);
  EXPECT_EQ(a, (std::array<bool, 6>{false, true, true, true, false, false}));
  // Wider than 1000: x 0.25 is offered.
  a = MagnifyChoicesAllowed(1920, 1080, 1366, 768, 16, 60);
  EXPECT_EQ(a, (std::array<bool, 6>{true, true, false, false, false, false}));
}

class MagnifyTest : public DisplayToolsTest {
 protected:
  MagnifyTest() {
    common.Options().RegisterBoolean(L"DisableMagnifyClamp");
    common.State().geometry.NewVideo({720, 480});
    tool.Initialize();
  }
  MagnifyController tool{common, view, [] { return MagnifyRoom{1366, 768, 16, 60}; }};
};

TEST_F(MagnifyTest, ShowingClampsUnlessTheOptionSaysNot) {
  tool.Open();
  EXPECT_FALSE(view.IsEnabled(0));
  EXPECT_FALSE(view.IsEnabled(5));
  EXPECT_TRUE(view.IsChecked(kMagnifyNone));
  EXPECT_EQ(view.Text(1), L" x 0.5");
  tool.Close();
  common.Options().SetBoolean(L"DisableMagnifyClamp", true);
  tool.Open();
  EXPECT_TRUE(view.IsEnabled(0));
  EXPECT_TRUE(view.IsEnabled(5));
}

TEST_F(MagnifyTest, AChoiceResizesTheDisplayAndClosingKeepsIt) {
  common.State().geometry.NewVideo({640, 480});
  tool.Open();
  tool.OnChoice(4);
  ASSERT_EQ(sizeNotices.size(), 1u);
  EXPECT_EQ(sizeNotices[0].width, 960);
  EXPECT_EQ(sizeNotices[0].height, 720);
  EXPECT_TRUE(sizeNotices[0].magnifying);
  EXPECT_FALSE(common.State().magnifyChangeInProgress);
  EXPECT_TRUE(view.IsChecked(4));
  EXPECT_FALSE(view.IsChecked(kMagnifyNone));
  tool.Close();
  EXPECT_EQ(common.State().geometry.MagnifyChoice(), 4);
  EXPECT_EQ(common.State().geometry.Display(), (VideoSize{960, 720}));
}

TEST_F(MagnifyTest, WithoutAVideoAChoiceIsKeptButNothingIsResized) {
  common.State().geometry.Clear();
  tool.Open();
  tool.OnChoice(1);
  EXPECT_EQ(common.State().geometry.MagnifyChoice(), 1);
  EXPECT_TRUE(sizeNotices.empty());
}

// A click lands on the picture's pixel under it at any magnification: window pixel centres map to
// picture coordinates, so a star's pixel is found whether the picture is enlarged or reduced.
TEST(DisplayGeometry, AWindowPointIsThePicturePointUnderIt) {
  DisplayGeometry geometry;
  geometry.NewVideo({640, 480});
  EXPECT_DOUBLE_EQ(geometry.PictureAt(100, 50)->x, 100.0);
  geometry.Magnify(5, {1280, 960});
  EXPECT_DOUBLE_EQ(geometry.PictureAt(201, 101)->x, 100.25);
  EXPECT_DOUBLE_EQ(geometry.PictureAt(201, 101)->y, 50.25);
  geometry.Magnify(1, {320, 240});
  EXPECT_DOUBLE_EQ(geometry.PictureAt(50, 25)->x, 100.5);
  geometry.Clear();
  EXPECT_FALSE(geometry.PictureAt(0, 0).has_value());
}

}  // namespace
}  // namespace zuna
