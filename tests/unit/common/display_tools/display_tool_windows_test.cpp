#include <gtest/gtest.h>

#include "common/display_tools/brightness_contrast_controller.h"
#include "common/display_tools/pixel_saturation_controller.h"
#include "display_tools/display_tools_fixture.h"

namespace zuna {
namespace {

using test::DisplayToolsTest;
using BC = BrightnessContrastController;
using PS = PixelSaturationController;

TEST_F(DisplayToolsTest, OpeningAndClosingSwitchTheToolAndTellTheProgram) {
  BC tool(common, view, nullptr);
  tool.Initialize();
  EXPECT_EQ(tool.Toggle(), kOk);
  EXPECT_TRUE(view.shown);
  EXPECT_TRUE(common.State().displayToolOn[kToolBrightnessContrast]);
  tool.Toggle();
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(common.State().displayToolOn[kToolBrightnessContrast]);
  tool.Close();  // already closed: nothing more
  EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{1, true}, {1, false}}));
}

TEST_F(DisplayToolsTest, ClosingWithoutAProgramCallbackIsALogicError) {
  common.SetProgramCallbacks({});
  PS tool(common, view);
  tool.Open();
  EXPECT_EQ(tool.Close(), kFail);
  EXPECT_NE(LogText().find(L"Logic error: attempt to close common window with 0 function pointer\r\n"),
            std::wstring::npos);
}

TEST_F(DisplayToolsTest, BrightnessAndContrastSlidersApplyAtOnceAndRefreshThePausedPicture) {
  std::vector<std::pair<int, int>> applied;
  BC tool(common, view, [&](int b, int c) { applied.emplace_back(b, c); });
  tool.Initialize();
  EXPECT_EQ(view.sliders[BC::kBrightnessSlider].maximum, 100);
  EXPECT_EQ(view.sliders[BC::kContrastSlider].tickFrequency, 25);
  tool.Open();  // the current positions go to the graph on opening
  view.SetSliderPosition(BC::kBrightnessSlider, 80);
  tool.OnSliderMoved(BC::kBrightnessSlider);
  EXPECT_EQ(applied, (std::vector<std::pair<int, int>>{{50, 50}, {80, 50}}));
  EXPECT_EQ(refreshes, 1);
  refreshResult = kFail;
  tool.OnSliderMoved(BC::kContrastSlider);
  EXPECT_NE(LogText().find(L"WARNING: cannot set brightness / contrast value\r\n"), std::wstring::npos);
}

TEST_F(DisplayToolsTest, PixelSaturationOpensAtTheSavedValue) {
  common.Options().RegisterText(L"PixelSaturationValue", L"180");
  PS tool(common, view);
  tool.Initialize();
  EXPECT_EQ(view.sliders[PS::kSlider].minimum, 50);
  EXPECT_EQ(view.sliders[PS::kSlider].maximum, 255);
  EXPECT_EQ(view.sliders[PS::kSlider].tickFrequency, 10);
  EXPECT_EQ(view.Text(PS::kLabel), L"Set pixel saturation value, range 50 to 255");
  tool.Open();
  EXPECT_EQ(common.State().saturationLevel, 180);
  EXPECT_EQ(view.SliderPosition(PS::kSlider), 180);
  EXPECT_FALSE(view.IsEnabled(PS::kSave));
  view.SetSliderPosition(PS::kSlider, 120);
  tool.OnSliderMoved();
  EXPECT_EQ(common.State().saturationLevel, 120);
  EXPECT_EQ(refreshes, 1);
}

TEST_F(DisplayToolsTest, PixelSaturationValueThatIsNoLevelReadsAs255) {
  common.Options().RegisterText(L"PixelSaturationValue");
  for (const auto& [text, level] : std::vector<std::pair<std::wstring, int>>{
           {L"-1", 255}, {L"", 255}, {L"abc", 255}, {L"900", 255}, {L"50", 50}, {L"20", 50}, {L"200", 200}}) {
    common.Options().SetText(L"PixelSaturationValue", text);
    EXPECT_EQ(SaturationLevelFromOption(common.Options()), level) << text;
  }
}

TEST_F(DisplayToolsTest, ClosingPixelSaturationInTheCaptureProgramGoesBackTo255) {
  ZunaCommon capture(ProgramKind::kCapture, clock, {L"C:\\Z\\", L"C:\\Z\\", L""});
  capture.Options().RegisterText(L"PixelSaturationValue", L"100");
  PS tool(capture, view);
  tool.Initialize();
  capture.SetProgramCallbacks(ProgramCallbacks{[](int, bool) { return kOk; }, nullptr, nullptr, nullptr});
  tool.Open();
  EXPECT_EQ(capture.State().saturationLevel, 100);
  tool.Close();
  EXPECT_EQ(capture.State().saturationLevel, 255);
}

TEST_F(DisplayToolsTest, PixelSaturationBoxesAreExclusiveAndEnableSave) {
  PS tool(common, view);
  tool.Initialize();
  tool.Open();
  view.Click(PS::kUseAsDefault);
  tool.OnBoxClicked(PS::kUseAsDefault);
  EXPECT_TRUE(view.IsEnabled(PS::kSave));
  view.Click(PS::kRemoveDefault);
  tool.OnBoxClicked(PS::kRemoveDefault);
  EXPECT_FALSE(view.IsChecked(PS::kUseAsDefault));
  EXPECT_TRUE(view.IsEnabled(PS::kSave));
  view.Click(PS::kRemoveDefault);
  tool.OnBoxClicked(PS::kRemoveDefault);
  EXPECT_FALSE(view.IsEnabled(PS::kSave));
}

TEST_F(DisplayToolsTest, PixelSaturationSaveKeepsTheSliderValue) {
  common.Options().RegisterText(L"PixelSaturationValue", L"255");
  PS tool(common, view);
  tool.Initialize();
  tool.Open();
  view.SetSliderPosition(PS::kSlider, 200);
  tool.OnSliderMoved();
  view.Click(PS::kUseAsDefault);
  tool.OnBoxClicked(PS::kUseAsDefault);
  tool.OnSave();
  EXPECT_EQ(common.Options().Text(L"PixelSaturationValue"), L"200");
  EXPECT_EQ(common.State().saturationLevel, 200);
  EXPECT_EQ(saves, 1);
  EXPECT_FALSE(view.IsChecked(PS::kUseAsDefault));
  EXPECT_FALSE(view.IsEnabled(PS::kSave));
  EXPECT_NE(LogText().find(L"Pixel saturation value saved in options file\r\n"), std::wstring::npos);
}

TEST_F(DisplayToolsTest, PixelSaturationSaveWithRemoveGoesBackTo255) {
  common.Options().RegisterText(L"PixelSaturationValue", L"150");
  PS tool(common, view);
  tool.Initialize();
  tool.Open();
  view.Click(PS::kRemoveDefault);
  tool.OnBoxClicked(PS::kRemoveDefault);
  tool.OnSave();
  EXPECT_EQ(common.State().saturationLevel, 255);
  EXPECT_EQ(view.SliderPosition(PS::kSlider), 255);
  EXPECT_EQ(common.Options().Text(L"PixelSaturationValue"), L"255");
  EXPECT_EQ(saves, 1);
  EXPECT_NE(LogText().find(L"Pixel saturation removed from options file\r\n"), std::wstring::npos);
  tool.OnSave();  // nothing checked: nothing written
  EXPECT_EQ(saves, 1);
}

}  // namespace
}  // namespace zuna
