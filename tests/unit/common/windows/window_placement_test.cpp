#include "common/windows/window_placement.h"

#include <gtest/gtest.h>

#include "support/memory_log.h"

namespace zuna {
namespace {

const Rect kWork{0, 0, 1366, 768};

TEST(Placement, PreferencesRelativeToAReferenceAndClamped) {
  const Rect ref{700, 100, 1100, 400};
  EXPECT_EQ(DeterminePositionSettings(300, 200, 0, ref, kWork), (Point{400, 100}));
  EXPECT_EQ(DeterminePositionSettings(300, 200, 1, ref, kWork), (Point{1066, 100}));  // clamped at the right
  EXPECT_EQ(DeterminePositionSettings(300, 200, 2, ref, kWork), (Point{400, 200}));
  EXPECT_EQ(DeterminePositionSettings(300, 200, 3, ref, kWork), (Point{1066, 200}));
  EXPECT_EQ(DeterminePositionSettings(636, 230, 4, ref, kWork), (Point{464, 400}));
  EXPECT_EQ(DeterminePositionSettings(800, 200, 0, ref, kWork), (Point{0, 100}));    // negative left
  EXPECT_EQ(DeterminePositionSettings(300, 500, 4, ref, kWork), (Point{800, 268}));  // below the bottom
}

TEST(Placement, UnknownPreferenceIsALogicError) {
  test::ScopedMemoryLog m;
  EXPECT_FALSE(DeterminePositionSettings(10, 10, 5, kWork, kWork).has_value());
  EXPECT_NE(m.Text().find(L"Logic error: called ZunaCommon::DeterminePositionSettings with an unimplemented "
                          L"position preference\r\n"),
            std::wstring::npos);
}

TEST(Placement, AvoidingTheMainWindowTriesTheCornersInTurn) {
  const int w = 400, h = 300;
  // The main window at the top left: the preferred spot (0, 0) overlaps, the top-right corner is free.
  EXPECT_EQ(AvoidMainWindow({0, 0}, w, h, {0, 0, 640, 480}, kWork), (Point{966, 0}));
  // Main window at the top right too: next the bottom-left corner.
  EXPECT_EQ(AvoidMainWindow({0, 0}, w, h, {0, 0, 1366, 400}, kWork), (Point{0, 468}));
  // Everything covered: (0, 0).
  EXPECT_EQ(AvoidMainWindow({500, 200}, w, h, kWork, kWork), (Point{0, 0}));
  // Touching edges (within the 7 and 4 pixel margins) is not overlapping.
  EXPECT_FALSE(WindowsOverlap({0, 0, 400, 300}, {393, 296, 800, 600}));
  EXPECT_TRUE(WindowsOverlap({0, 0, 400, 300}, {385, 290, 800, 600}));
}

TEST(Placement, MovesAreRecordedOnlyWhenTheUserMakesThem) {
  PlacementTable table;
  int window = 0;
  PlacementEntry* e = table.Register(&window, L"MessageWindowPosition", 600, 467);
  table.RecordMove(&window, {10, 20, 610, 487}, /*startupInProgress=*/true);
  EXPECT_FALSE(e->currentLeftSet);
  table.RecordMove(&window, {10, 20, 610, 487}, false);  // moved by program code
  EXPECT_TRUE(e->currentLeftSet);
  EXPECT_FALSE(e->movedByUser);
  table.MarkMoving(&window);
  table.RecordMove(&window, {-32000, -32000, -31840, -31972}, false);  // minimised
  EXPECT_EQ(e->currentRect.left, 10);
  table.RecordMove(&window, {-50, 30, 550, 497}, false);  // dragged onto a left monitor
  EXPECT_TRUE(e->movedByUser);
  EXPECT_EQ(e->currentRect, (Rect{-50, 30, 550, 497}));
  table.RecordSize(&window, 700, 500);
  EXPECT_EQ(e->currentRect, (Rect{-50, 30, 650, 530}));
}

TEST(Placement, TableHoldsSixtyFourEntries) {
  PlacementTable table;
  static int windows[65];
  for (int i = 0; i < 64; ++i) ASSERT_NE(table.Register(&windows[i], L"W" + std::to_wstring(i), 1, 1), nullptr);
  EXPECT_EQ(table.Register(&windows[64], L"W64", 1, 1), nullptr);
  EXPECT_EQ(table.FindKey(L"W63")->window, &windows[63]);
}

TEST(Placement, ChoosePlacementPrefersTheUsersAndTheFilesPosition) {
  PlacementTable table;
  static int window;
  PlacementEntry* e = table.Register(&window, L"CrosshairsWindowPosition", 400, 400);
  const Rect main{0, 0, 656, 540};
  // Nothing saved: left of the work area (clamped to 0), which overlaps the main window, so the
  // top-right corner.
  EXPECT_EQ(ChoosePlacement(e, 400, 400, 0, nullptr, kWork, &main), (Point{966, 0}));
  // With a reference window the main window is not avoided.
  const Rect log{700, 100, 1300, 567};
  EXPECT_EQ(ChoosePlacement(e, 400, 400, 0, &log, kWork, &main), (Point{300, 100}));
  e->currentRect = {50, 60, 450, 460};
  e->currentLeftSet = true;
  e->movedByUser = true;
  EXPECT_EQ(ChoosePlacement(e, 400, 400, 0, nullptr, kWork, &main), (Point{50, 60}));
  e->movedByUser = false;
  e->loadedFromFile = true;
  EXPECT_EQ(ChoosePlacement(e, 400, 400, 4, &log, kWork, &main), (Point{50, 60}));
  test::ScopedMemoryLog m;
  e->loadedFromFile = false;
  EXPECT_FALSE(ChoosePlacement(e, 400, 400, 7, nullptr, kWork, &main).has_value());
}

// A main window that grew from its top-left corner, and the controls window the user must reach.
TEST(Placement, AResizedWindowComesBackIntoTheWorkAreaAndClearOfTheControls) {
  const Rect work{0, 0, 1600, 900};
  const auto At = [](Point p) { return ViewPlaces{p, std::nullopt}; };
  // Grown past the right edge: moved left just enough.
  EXPECT_EQ(KeepInView({957, 0, 1693, 530}, work, nullptr), At({864, 0}));
  EXPECT_EQ(KeepInView({100, 50, 836, 580}, work, nullptr), At({100, 50}));
  // Moved left it would cover the controls: the nearest side of them that has room, here above.
  const Rect controls{1100, 350, 1400, 500};
  EXPECT_EQ(KeepInView({1300, 100, 1700, 400}, work, &controls), At({1200, 50}));
  // No side of the controls has room for it: it stays inside the work area and the controls go to
  // the nearest side of it instead, here below.
  const Rect under{318, 467, 954, 697};
  EXPECT_EQ(KeepInView({957, 0, 1693, 530}, work, &under), (ViewPlaces{{864, 0}, Point{318, 530}}));
  // A work area that does not begin at the screen's corner.
  EXPECT_EQ(KeepInView({-20, 0, 380, 300}, {40, 30, 1640, 930}, nullptr), At({40, 30}));
  EXPECT_FALSE(NearestSpotBeside({0, 0, 1600, 900}, {0, 0, 10, 10}, work).has_value());
}

}  // namespace
}  // namespace zuna
