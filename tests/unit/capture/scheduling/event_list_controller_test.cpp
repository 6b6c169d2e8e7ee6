#include "capture/scheduling/event_list_controller.h"

#include <gtest/gtest.h>

#include "capture/scheduling/event_list_rows.h"
#include "capture/scheduling/scheduling_fixture.h"

namespace zuna {
namespace {

class EventListWindow : public ::testing::Test, protected test::SchedulingFixture {
 protected:
  std::vector<std::wstring> ListedNames() const {
    std::vector<std::wstring> names;
    for (const auto& row : listView.rows) names.push_back(row.at(kFileNameColumn));
    return names;
  }
};

TEST_F(EventListWindow, RowsShowTheEventsColumnsAsTheFileHoldsThem) {
  EventFileRecord r = test::DialogRecord(L"2024", L" 5", L" 5", L" 3", L" 4", L" 5", L" 1", L" 2", L" 3");
  r.comment = L"near miss";
  r.shutdown = L"true";
  WriteEventFile(folder / "e.ief", r);
  list.Toggle();
  ASSERT_EQ(listView.rows.size(), 1u);
  EXPECT_EQ(listView.rows[0], (std::vector<std::wstring>{L" MAY  5, 2024", L" 03:04:05", L"01:02:03", L"near miss", L"",
                                                         L"\u2713", L"", L"e.ief"}));
  EXPECT_TRUE(listView.shown);
  EXPECT_TRUE(listMenuChecked);
  EXPECT_FALSE(listView.enabled[kEditButton]);
  EXPECT_FALSE(listView.enabled[kDeleteButton]);
  EXPECT_EQ(listView.texts[kSelectedFileText], L"nothing selected");

  list.Toggle();
  EXPECT_FALSE(listView.shown);
  EXPECT_FALSE(listMenuChecked);
}

TEST_F(EventListWindow, ExpiredEventsAreListedOnlyWhenAsked) {
  WriteEvent("past.ief", L" 4", L"12");  // a day before the clock
  WriteEvent("next.ief", L" 5", L" 4");
  list.Open();
  EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"next.ief"});
  listView.checked[kShowExpiredBox] = true;
  list.OnBoxClicked(kShowExpiredBox);
  EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"next.ief", L"past.ief"}));
  EXPECT_EQ(listView.rows[1][6], L"\u2713");
}

TEST_F(EventListWindow, OrderIsByStartTimeWithTheFileReadLaterFirstAmongEqualStarts) {
  WriteEvent("a.ief", L" 5", L"10");
  WriteEvent("b.ief", L" 5", L"10");
  WriteEvent("c.ief", L" 5", L" 9");
  list.Open();
  EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"b.ief", L"a.ief", L"c.ief"}));  // latest first
  listView.checked[kAscendingBox] = true;
  list.OnBoxClicked(kAscendingBox);
  EXPECT_EQ(ListedNames(), (std::vector<std::wstring>{L"c.ief", L"b.ief", L"a.ief"}));
}

TEST_F(EventListWindow, TheSelectionDecidesTheButtonsAndTheSelectedFileText) {
  WriteEvent("a.ief", L" 5", L"10");
  WriteEvent("b.ief", L" 5", L"11");
  list.Open();
  listView.selection = {1};
  list.OnSelectionChanged();
  EXPECT_EQ(listView.texts[kSelectedFileText], L"a.ief");
  EXPECT_TRUE(listView.enabled[kEditButton]);
  EXPECT_TRUE(listView.enabled[kDeleteButton]);
  listView.selection = {0, 1};
  list.OnSelectionChanged();
  EXPECT_EQ(listView.texts[kSelectedFileText], L"multiple events selected");
  EXPECT_FALSE(listView.enabled[kEditButton]);
  EXPECT_TRUE(listView.enabled[kDeleteButton]);
  listView.selection.clear();
  list.OnSelectionChanged();
  EXPECT_EQ(listView.texts[kSelectedFileText], L"nothing selected");
  EXPECT_FALSE(listView.enabled[kDeleteButton]);
}

TEST_F(EventListWindow, DeleteAsksInTheSingularOrPluralAndNoKeepsTheFiles) {
  for (const char* name : {"a.ief", "b.ief", "c.ief", "d.ief", "e.ief"}) WriteEvent(name, L" 5", L"10");
  list.Open();
  prompt.answer = false;
  listView.selection = {2};
  list.OnDelete();
  listView.selection = {0, 3};
  list.OnDelete();
  EXPECT_EQ(prompt.questions,
            (std::vector<std::wstring>{L"Attention: You are about to delete an event file.  Continue?",
                                       L"Attention: You are about to delete event files.  Continue?"}));
  EXPECT_EQ(FileNames().size(), 5u);
  EXPECT_EQ(rebuilds, 0);
}

TEST_F(EventListWindow, DeletingCancelsThePendingEventAndRebuilds) {
  WriteEvent("a.ief", L" 5", L"10");
  WriteEvent("b.ief", L" 5", L"11");
  pending = true;
  list.Open();
  listView.selection = {0};
  list.OnSelectionChanged();
  list.OnDelete();
  EXPECT_EQ(FileNames(), std::vector<std::string>{"a.ief"});
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(ListedNames(), std::vector<std::wstring>{L"a.ief"});
  EXPECT_FALSE(listView.enabled[kEditButton]);
  EXPECT_FALSE(listView.enabled[kDeleteButton]);

  // Without a pending event nothing is cancelled; the schedule is rebuilt all the same.
  listView.selection = {0};
  list.OnDelete();
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(rebuilds, 2);
  EXPECT_TRUE(FileNames().empty());
}

TEST_F(EventListWindow, AFileThatCannotBeDeletedIsReportedAndTheRestGoesOn) {
  WriteEvent("a.ief", L" 5", L"10");
  list.Open();
  std::filesystem::remove(folder / "a.ief");  // gone behind the list's back
  listView.selection = {0};
  list.OnDelete();
  EXPECT_NE(log.Text().find(L"WARNING: unable to delete one or more selected event files - write protected?\r\n"),
            std::wstring::npos);
  EXPECT_EQ(cancels, 0);
  EXPECT_EQ(rebuilds, 1);
}

}  // namespace
}  // namespace zuna
