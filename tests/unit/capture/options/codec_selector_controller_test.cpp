#include "capture/options/codec_selector_controller.h"

#include <gtest/gtest.h>

#include "options_dialog_fixture.h"

namespace zuna {
namespace {

class CodecSelector : public test::OptionsDialogFixture {
 protected:
  void Choose(int row) {
    view.selection = {row};
    codec.OnSelectionChanged();
  }
  VideoSourceInfo device = MakeVideoSourceInfo(L"ZUNA Synthetic Camera");
  bool hasDevice = true;
  CaptureOptionNodes nodes;
  std::vector<std::wstring> names{L"NONE", L"Lagarith Lossless Codec"};
  CodecSelectorController codec{Parts(),
                                {nodes, [this] { return hasDevice ? &device : nullptr; }, [this] { return names; }}};
};

TEST_F(CodecSelector, OpensWithTheCodecsTheDeviceNameAndItsChoice) {
  device.useCodec = 1;
  codec.Open();
  EXPECT_EQ(view.Text(kCodecDeviceText), L"\"ZUNA Synthetic Camera\"");
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.CellText(kCodecList, 1, 0), L"Lagarith Lossless Codec");
  EXPECT_EQ(view.selection, std::vector<int>{1});
  EXPECT_FALSE(view.IsEnabled(kSaveSelectionBox));
  EXPECT_FALSE(view.IsEnabled(kCodecOkButton));
}

TEST_F(CodecSelector, AChoiceActsAtOnceAndTheBoxFollowsTheSavedChoice) {
  SetCodecChoice(nodes, device.deviceKeyName, 0);
  codec.Open();
  Choose(1);
  EXPECT_EQ(device.useCodec, 1);
  EXPECT_TRUE(device.codecChosen);
  EXPECT_TRUE(view.IsEnabled(kSaveSelectionBox));
  EXPECT_FALSE(view.IsEnabled(kCodecOkButton));
  view.Check(kSaveSelectionBox, true);
  codec.OnSaveBoxClicked();
  EXPECT_TRUE(view.IsEnabled(kCodecOkButton));
  Choose(0);
  EXPECT_FALSE(view.IsEnabled(kSaveSelectionBox));
  EXPECT_FALSE(view.IsChecked(kSaveSelectionBox));
  EXPECT_FALSE(view.IsEnabled(kCodecOkButton));
}

TEST_F(CodecSelector, SavingTwiceKeepsOneChoicePerDevice) {
  for (int i = 0; i < 2; ++i) {
    codec.Open();
    Choose(i == 0 ? 1 : 0);
    view.Check(kSaveSelectionBox, true);
    codec.OnOk();
  }
  ASSERT_EQ(nodes.codecChoices.size(), 1u);
  EXPECT_EQ(nodes.codecChoices[0].useCodec, 0);
  EXPECT_EQ(nodes.codecChoices[0].deviceKeyName, L"ZUNASyntheticCamera");
  EXPECT_EQ(saves, 2);
  EXPECT_EQ(Count(kCodecSavedMessage), 2);
  EXPECT_FALSE(codec.IsOpen());
}

TEST_F(CodecSelector, OkWithoutTheBoxSavesNothing) {
  codec.Open();
  Choose(1);
  codec.OnOk();
  EXPECT_TRUE(nodes.codecChoices.empty());
  EXPECT_EQ(saves, 0);
  EXPECT_FALSE(codec.IsOpen());
}

TEST_F(CodecSelector, AnInvalidIndexIsReportedAndClosesTheWindow) {
  codec.Open();
  Choose(5);
  EXPECT_EQ(Count(kInvalidCodecMessage), 1);
  EXPECT_FALSE(codec.IsOpen());
  EXPECT_EQ(device.useCodec, 0);
  codec.Open();
  view.selection.clear();
  codec.OnOk();
  EXPECT_EQ(Count(kInvalidCodecMessage), 2);
}

}  // namespace
}  // namespace zuna
