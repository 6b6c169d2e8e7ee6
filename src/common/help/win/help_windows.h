#pragma once
// The built-in help documents: one read-only text window per document, hidden, never destroyed.
#include <windows.h>

#include <array>

#include "common/foundation/zuna_common.h"
#include "common/help/help_documents.h"
#include "common/help/help_page.h"

namespace zuna {

class HelpWindows {
 public:
  HelpWindows(ZunaCommon& common, HINSTANCE instance, HICON largeIcon, HICON smallIcon);

  // Registers "Help Class N" and creates the window; false when it could not be created (the
  // caller posts its own warning). A text control failure is fatal and also returns false.
  bool Create(HelpPage page) { return Create(HelpNumber(page)); }
  bool Create(int id);
  bool Exists(int id) const { return Valid(id) && windows_[static_cast<std::size_t>(id)].window != nullptr; }

  void Show(HelpPage page, HWND owner, bool atOrigin) { Show(HelpNumber(page), owner, atOrigin); }
  void Show(int id, HWND owner, bool atOrigin);
  void Hide(int id);
  // The Help menu commands: hide a shown document, else show it at the origin.
  void Toggle(HelpPage page, HWND owner) { Toggle(HelpNumber(page), owner); }
  // The numbered forms serve the main windows' callers that do not name their pages yet.
  void Toggle(int id, HWND owner);
  bool Shown(int id) const { return Valid(id) && windows_[static_cast<std::size_t>(id)].shown; }
  unsigned CloseCommand() const { return closeCommand_; }
  HWND Window(int id) const { return Valid(id) ? windows_[static_cast<std::size_t>(id)].window : nullptr; }

 private:
  struct HelpWindow {
    HWND window = nullptr;
    HWND text = nullptr;
    bool shown = false;
  };
  static bool Valid(int id) { return id >= 0 && id < kHelpDocumentCount; }
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  int IdOf(HWND window) const;
  void SetHelpText(int id);

  ZunaCommon& common_;
  HINSTANCE instance_;
  HICON largeIcon_;
  HICON smallIcon_;
  unsigned closeCommand_;
  std::array<HelpWindow, kHelpDocumentCount> windows_{};
};

}  // namespace zuna
