#include "common/windows/toggled_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_window_view.h"

namespace zuna {
namespace {

// A window whose menu command on the open window can be a Cancel, as the options dialogs have it.
class Window final : public ToggledWindow {
 public:
  Window(WindowView& view, bool cancelOnDismiss) : ToggledWindow(view), cancelOnDismiss_(cancelOnDismiss) {}
  void Open() override {
    steps.push_back("fill");
    ShowOpened();
  }
  void Close() { HideClosed(); }
  std::vector<std::string> steps;

 private:
  void Dismiss() override {
    if (cancelOnDismiss_) steps.push_back("cancel");
    HideClosed();
  }
  bool cancelOnDismiss_;
};

TEST(ToggledWindow, TheMenuCommandOpensAndClosesAndTheCheckMarkFollows) {
  test::FakeWindowView view;
  Window window(view, false);
  std::vector<bool> checks;
  window.SetMenuCheck([&](bool on) { checks.push_back(on); });

  window.Toggle();
  EXPECT_TRUE(window.IsOpen());
  EXPECT_TRUE(view.shown);
  window.Toggle();
  EXPECT_FALSE(window.IsOpen());
  EXPECT_FALSE(view.shown);
  window.Toggle();
  window.Close();  // the window's own close
  EXPECT_FALSE(window.IsOpen());
  EXPECT_FALSE(view.shown);

  EXPECT_EQ(checks, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(window.steps, (std::vector<std::string>{"fill", "fill"}));
}

TEST(ToggledWindow, AWindowWithoutAMenuItemAndOneThatCancelsOnTheMenuCommand) {
  test::FakeWindowView view;
  Window window(view, true);
  window.Toggle();
  window.Toggle();
  EXPECT_FALSE(window.IsOpen());
  EXPECT_FALSE(view.shown);
  EXPECT_EQ(window.steps, (std::vector<std::string>{"fill", "cancel"}));
}

}  // namespace
}  // namespace zuna
