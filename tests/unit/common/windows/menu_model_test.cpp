#include "common/windows/menu_model.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

TEST(MenuModel, PathsFindItemsWhoseTextsHoldSlashes) {
  MenuModel menu;
  MenuItem& display = menu.AddPopup(L"Display");
  MenuModel::AddItem(display, L"Brightness", 7);
  MenuModel::AddItem(display, L"Brightness/Contrast...", 8);
  MenuItem& options = menu.AddPopup(L"Options");
  MenuItem& recording = MenuModel::AddItem(options, L"Recording Options", 0);
  MenuModel::AddItem(recording, L"File...", 9).enabled = false;
  EXPECT_EQ(menu.FindByPath(L"Display/Brightness/Contrast...")->id, 8u);
  EXPECT_EQ(menu.FindByPath(L"Display/Brightness")->id, 7u);
  EXPECT_EQ(menu.FindByPath(L"Options/Recording Options/File...")->id, 9u);
  EXPECT_EQ(menu.FindChain(L"Options/Recording Options/File...").size(), 3u);
  EXPECT_EQ(menu.FindByPath(L"Options/File..."), nullptr);
  EXPECT_EQ(menu.FindByPath(L"Display/Brightness/"), nullptr);
  EXPECT_FALSE(menu.IsEnabled(9));
  menu.Check(8, true);
  EXPECT_TRUE(menu.IsChecked(8));
  EXPECT_EQ(menu.Describe(),
            L"Display|0|1|0\nDisplay/Brightness|7|1|0\nDisplay/Brightness/Contrast...|8|1|1\nOptions|0|1|0\n"
            L"Options/Recording Options|0|1|0\nOptions/Recording Options/File...|9|0|0\n");
}

}  // namespace
}  // namespace zuna
