#include "common/windows/toggled_window.h"

namespace zuna {

void ToggledWindow::Toggle() {
  if (open_) {
    Dismiss();
  } else {
    Open();
  }
}

void ToggledWindow::ShowOpened() {
  open_ = true;
  if (menuCheck_) menuCheck_(true);
  view_.Show();
}

void ToggledWindow::HideClosed() {
  open_ = false;
  if (menuCheck_) menuCheck_(false);
  view_.Hide();
}

}  // namespace zuna
