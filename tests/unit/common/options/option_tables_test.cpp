#include "common/options/option_tables.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

TEST(OptionTables, LookupIsExactAndSettingChangesBothCopies) {
  OptionTables tables;
  tables.RegisterText(L"VideoDirectory", L"C:\\Video Files\\");
  tables.RegisterBoolean(L"DateTimeAtEnd");
  EXPECT_EQ(tables.Text(L"VideoDirectory"), L"C:\\Video Files\\");
  EXPECT_EQ(tables.FindText(L"videodirectory"), nullptr);
  EXPECT_FALSE(tables.Boolean(L"DateTimeAtEnd"));
  tables.SetBoolean(L"DateTimeAtEnd", true);
  tables.SetText(L"VideoDirectory", L"D:\\");
  EXPECT_TRUE(tables.FindBoolean(L"DateTimeAtEnd")->saveValue);
  EXPECT_EQ(tables.FindText(L"VideoDirectory")->saveValue, L"D:\\");
  EXPECT_EQ(tables.Text(L"NotRegistered"), L"");
}

TEST(OptionTables, CapacitiesAreEnforcedAndPointersStayValid) {
  OptionTables tables;
  TextOption* first = tables.RegisterText(L"First");
  for (int i = 1; i < 64; ++i) ASSERT_NE(tables.RegisterText(L"Key" + std::to_wstring(i)), nullptr);
  EXPECT_EQ(tables.RegisterText(L"OneTooMany"), nullptr);
  EXPECT_EQ(first, tables.FindText(L"First"));

  const std::wstring longKey(100, L'k');
  const std::wstring longValue(2000, L'v');
  BooleanOption* b = tables.RegisterBoolean(longKey);
  EXPECT_EQ(b->key.size(), 63u);
  tables.SetText(L"First", longValue);
  EXPECT_EQ(tables.Text(L"First").size(), 511u);
}

}  // namespace
}  // namespace zuna
