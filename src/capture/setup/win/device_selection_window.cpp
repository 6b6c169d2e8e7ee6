#include "capture/setup/win/device_selection_window.h"

#include <commctrl.h>

namespace zuna {
namespace {

HWND AddList(DialogWindow& window, int id, int y) {
  HWND list = window.Add(WC_LISTVIEWW, L"",
                         WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                         id, 15, y, 360, 90);
  if (list == nullptr) return nullptr;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 335;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  return list;
}

}  // namespace

bool DeviceSelectionWindow::Create(CommonWindows& common, HFONT font,
                                   const std::function<DeviceSelectionParts(WindowView&)>& partsFor) {
  if (!window_.Create(common, font, L"Select Video Device", 410, 420)) return false;
  DialogWindow& w = window_;
  w.AddLabel(L"Video capture devices:", 15, 10, 300);
  AddList(w, kDeviceList, 32);
  w.AddCheckBox(L"Default Device", kDefaultDeviceBox, 15, 130, 160);
  w.AddButton(L"Ignore Device", kIgnoreDeviceButton, 240, 127, 135, 28);
  w.AddLabel(L"Ignored devices:", 15, 170, 300);
  AddList(w, kIgnoredDeviceList, 192);
  w.AddButton(L"Restore Device", kRestoreDeviceButton, 240, 290, 135, 28);
  w.AddButton(L"OK", kDeviceSelectionOkButton, 50, 335);
  w.AddButton(L"Cancel", kDeviceSelectionCancelButton, 180, 335);
  w.AddHelpButton(HelpPage::kVideoDeviceSelect, 335, 334,
                  L"Creating device select help button failed - help for window not available\r\n");
  controller_ = std::make_unique<DeviceSelectionController>(partsFor(w.View()));
  DeviceSelectionController& c = *controller_;
  w.SetHandlers({[&c](int id, int code) {
                   if (id == kDeviceList && code == DialogWindow::kSelectionChanged) c.OnDeviceSelected();
                   if (code != BN_CLICKED) return;
                   if (id == kDefaultDeviceBox) c.OnDefaultDeviceClicked();
                   if (id == kIgnoreDeviceButton) c.OnIgnore();
                   if (id == kRestoreDeviceButton) c.OnRestore();
                   if (id == kDeviceSelectionOkButton) c.OnOk();
                   if (id == kDeviceSelectionCancelButton) c.Cancel();
                 },
                 [&c] { c.Cancel(); }});
  return true;
}

}  // namespace zuna
