#include "capture/setup/win/device_properties_window.h"

#include <commctrl.h>

namespace zuna {
namespace {

constexpr int kNarrowWidth = 440;
constexpr int kWideWidth = 640;
constexpr int kHeight = 500;
constexpr const wchar_t* kPropertyNames[kPropertySlots] = {L"Brightness", L"Contrast",  L"Hue",
                                                           L"Saturation", L"Sharpness", L"Gain"};

HWND AddList(DialogWindow& window, int id, int y, int height, bool multiple) {
  HWND list = window.Add(
      WC_LISTVIEWW, L"",
      WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | (multiple ? 0 : LVS_SINGLESEL), id,
      multiple ? 15 : 445, y, multiple ? 290 : 165, height);
  if (list == nullptr) return nullptr;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = multiple ? 265 : 140;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  return list;
}

}  // namespace

bool DevicePropertiesWindow::Create(CommonWindows& common, HFONT font, Parts parts) {
  if (!window_.Create(common, font, L"Video Device Properties", kNarrowWidth, kHeight)) return false;
  if (!CreateRemovalWindow(common, font, parts)) return false;
  DialogWindow& w = window_;
  w.AddLabel(L"Video standard:", 15, 12, 125);
  w.AddLabel(L"", 145, 12, 150, kStandardText);
  w.AddLabel(L"Frame rate:", 15, 36, 125);
  w.AddLabel(L"", 145, 36, 150, kFrameRateText);
  AddPropertyRows();
  AddFormatLists();
  w.AddButton(L"Set Default Values", kSetDefaultValuesButton, 15, 310, 150);
  w.AddButton(L"Switch Standard", kSwitchStandardButton, 185, 310, 150);
  w.AddCheckBox(L"Save Device Configuration", kSaveConfigurationBox, 15, 355, 330);
  w.AddCheckBox(L"Remove Device Configurations from Options...", kRemoveConfigurationsBox, 15, 380, 360);
  w.AddButton(L"Save", kDevicePropertiesSaveButton, 60, 420);
  w.AddButton(L"Cancel", kDevicePropertiesCancelButton, 190, 420);
  w.AddHelpButton(HelpPage::kVideoDeviceProperties, 385, 419,
                  L"Creating device properties help button failed - help for window not available\r\n");
  controller_ = std::make_unique<DevicePropertiesController>(DevicePropertiesParts{
      w.View(), parts.devices, parts.nodes, parts.save, std::move(parts.stopCamera), std::move(parts.startCamera),
      [this] {
        return MessageBoxW(window_.Window(), kStandardSwitchQuestion.data(), L"Attention", MB_ICONWARNING | MB_YESNO) ==
               IDYES;
      },
      [this](bool digital) { ShowFormatLists(digital); }, std::move(parts.formatChanged),
      std::move(parts.closeCrosshairs), [this] { removalController_->Toggle(); }});
  DevicePropertiesController& c = *controller_;
  w.SetHandlers({[&c](int id, int code) {
                   if (code == DialogWindow::kSliderMoved) c.OnSlider(id - kPropertySlider);
                   if (id == kFrameRateList && code == DialogWindow::kSelectionChanged) c.OnFrameRateSelected();
                   if (id == kFrameSizeList && code == DialogWindow::kSelectionChanged) c.OnFrameSizeSelected();
                   if (code != BN_CLICKED) return;
                   if (id == kSetDefaultValuesButton) c.OnSetDefaultValues();
                   if (id == kSwitchStandardButton) c.OnSwitchStandard();
                   if (id == kSaveConfigurationBox || id == kRemoveConfigurationsBox) c.OnBoxClicked(id);
                   if (id == kDevicePropertiesSaveButton) c.OnSave();
                   if (id == kDevicePropertiesCancelButton) c.Cancel();
                 },
                 [&c] { c.Close(); }});
  return true;
}

void DevicePropertiesWindow::AddPropertyRows() {
  for (int slot = 0; slot < static_cast<int>(kPropertySlots); ++slot) {
    const int y = 68 + slot * 38;
    window_.AddLabel(kPropertyNames[slot], 15, y + 5, 95, kPropertyLabel + slot);
    window_.Add(TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, kPropertySlider + slot, 110, y, 300, 32);
  }
}

// The size list comes first, so that it is the window's first list.
void DevicePropertiesWindow::AddFormatLists() {
  sizeLabel_ = window_.AddLabel(L"Frame size:", 445, 12, 160);
  AddList(window_, kFrameSizeList, 36, 170, false);
  rateLabel_ = window_.AddLabel(L"Frame rate:", 445, 222, 160);
  AddList(window_, kFrameRateList, 246, 120, false);
}

void DevicePropertiesWindow::ShowFormatLists(bool digital) {
  const int show = digital ? SW_SHOW : SW_HIDE;
  for (HWND label : {sizeLabel_, rateLabel_}) {
    if (label != nullptr) ShowWindow(label, show);
  }
  window_.View().ShowControl(kFrameSizeList, digital);
  window_.View().ShowControl(kFrameRateList, digital);
  SetWindowPos(window_.Window(), nullptr, 0, 0, digital ? kWideWidth : kNarrowWidth, kHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool DevicePropertiesWindow::CreateRemovalWindow(CommonWindows& common, HFONT font, Parts& parts) {
  if (!removal_.Create(common, font, L"Remove Device Configurations", 340, 310)) return false;
  removal_.AddLabel(L"Saved device configurations:", 15, 10, 290);
  AddList(removal_, kConfigurationList, 34, 170, true);
  removal_.AddButton(L"Remove", kRemoveConfigurationsButton, 115, 220);
  removalController_ = std::make_unique<ConfigurationRemovalController>(
      ConfigurationRemovalParts{removal_.View(), parts.nodes, parts.save, [this] {
                                  if (controller_) controller_->OnConfigurationsChanged();
                                }});
  ConfigurationRemovalController& c = *removalController_;
  removal_.SetHandlers({[&c](int id, int code) {
                          if (id == kConfigurationList && code == DialogWindow::kSelectionChanged) {
                            c.OnSelectionChanged();
                          }
                          if (id == kRemoveConfigurationsButton && code == BN_CLICKED) c.OnRemove();
                        },
                        [&c] { c.Close(); }});
  return true;
}

}  // namespace zuna
