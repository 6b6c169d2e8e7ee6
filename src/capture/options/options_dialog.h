#pragma once
// What every options dialog shares: the options it edits, the save of the whole options file and
// the check mark of its menu item.
#include <functional>

#include "common/options/option_tables.h"
#include "common/windows/window_view.h"

namespace zuna {

struct OptionsDialogParts {
  WindowView& view;
  OptionTables& options;
  std::function<bool()> save;  // rewrites the options file; false when it could not be written
};

// Opening and closing from a checked menu item: the open flag, the check mark and the window.
class OptionsDialog {
 public:
  explicit OptionsDialog(OptionsDialogParts parts) : p_(std::move(parts)) {}
  virtual ~OptionsDialog() = default;

  void SetMenuCheck(std::function<void(bool)> check) { menuCheck_ = std::move(check); }
  void Toggle();
  // Fills the controls, then shows the window and checks the menu item.
  void Open();
  // The window's Cancel button and close box.
  virtual void Cancel() { Close(); }
  bool IsOpen() const { return open_; }

 protected:
  virtual void Fill() = 0;
  void Close();
  // Saves the file and posts `confirmation`, or the warning when the file could not be written.
  void SaveAndReport(std::wstring_view confirmation);

  OptionsDialogParts p_;

 private:
  std::function<void(bool)> menuCheck_;
  bool open_ = false;
};

}  // namespace zuna
