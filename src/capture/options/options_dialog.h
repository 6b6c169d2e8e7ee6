#pragma once
// What every options dialog shares: the options it edits, the save of the whole options file and
// the check mark of its menu item.
#include <functional>

#include "common/options/option_tables.h"
#include "common/windows/toggled_window.h"
#include "common/windows/window_view.h"

namespace zuna {

struct OptionsDialogParts {
  WindowView& view;
  OptionTables& options;
  std::function<bool()> save;  // rewrites the options file; false when it could not be written
};

// Opened from a checked menu item; the menu command on an open dialog is its Cancel.
class OptionsDialog : public ToggledWindow {
 public:
  explicit OptionsDialog(OptionsDialogParts parts) : ToggledWindow(parts.view), p_(std::move(parts)) {}

  // Fills the controls, then shows the window and checks the menu item.
  void Open() final;
  // The window's Cancel button and close box.
  virtual void Cancel() { Close(); }

 protected:
  virtual void Fill() = 0;
  void Close() { HideClosed(); }
  // Saves the file and posts `confirmation`, or the warning when the file could not be written.
  void SaveAndReport(std::wstring_view confirmation);

  OptionsDialogParts p_;

 private:
  void Dismiss() final { Cancel(); }
};

}  // namespace zuna
