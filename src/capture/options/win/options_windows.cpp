#include "capture/options/win/options_windows.h"

#include <commctrl.h>

namespace zuna {
namespace {

std::wstring ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

}  // namespace

OptionsDialogParts OptionsWindows::DialogParts(DialogWindow& window) {
  return {window.View(), p_.common.Common().Options(), [this] { return p_.options.SaveCaptureOptions(); }};
}

bool OptionsWindows::Create() {
  return CreateMiscellaneous() && CreatePerformance() && CreateFileOptions() && CreateDuration() &&
         CreateEventPending() && CreateCodecSelector();
}

bool OptionsWindows::CreateMiscellaneous() {
  if (!misc_.Create(p_.common, p_.font, L"Miscellaneous Options", 400, 300)) return false;
  int y = 15;
  for (const auto& box : kMiscellaneousBoxes) {
    misc_.AddCheckBox(std::wstring(box.label).c_str(), box.id, 20, y, 330);
    y += 30;
  }
  misc_.AddButton(L"Save", kMiscellaneousSaveButton, 60, y + 10);
  misc_.AddButton(L"Cancel", kMiscellaneousCancelButton, 200, y + 10);
  misc_.AddHelpButton(HelpPage::kMiscellaneousOptions, 340, y + 9,
                      L"Creating miscellaneous options help button failed - help for window not available\r\n");
  miscController_ = std::make_unique<MiscellaneousOptionsController>(DialogParts(misc_));
  miscController_->SetMenuCheck([this](bool on) { p_.checkMenuItem(p_.miscellaneousId, on); });
  MiscellaneousOptionsController& c = *miscController_;
  misc_.SetHandlers({[&c](int id, int code) {
                       if (code != BN_CLICKED) return;
                       if (id == kMiscellaneousSaveButton) {
                         c.OnSave();
                       } else if (id == kMiscellaneousCancelButton) {
                         c.Cancel();
                       } else {
                         c.OnBoxClicked();
                       }
                     },
                     [&c] { c.Cancel(); }});
  return true;
}

bool OptionsWindows::CreatePerformance() {
  if (!performance_.Create(p_.common, p_.font, L"Performance Options", 380, 260)) return false;
  performance_.Add(L"BUTTON", L"Video Display", BS_GROUPBOX, 0, 10, 8, 345, 115);
  performance_.AddRadio(L"Turn off display while recording", kDisplayOffRadio, 25, 30, 310);
  performance_.AddRadio(L"Remove display filters while recording", kRemoveFiltersRadio, 25, 60, 310);
  performance_.AddRadio(L"No display modifications", kNoDisplayChangeRadio, 25, 90, 310);
  performance_.AddCheckBox(L"Timer off when recording starts", kTimerOffBox, 25, 135, 310);
  performance_.AddButton(L"Save", kPerformanceSaveButton, 50, 175);
  performance_.AddButton(L"Cancel", kPerformanceCancelButton, 180, 175);
  performance_.AddHelpButton(HelpPage::kPerformanceOptions, 315, 174,
                             L"Creating performance options help button failed - help for window not available\r\n");
  performanceController_ =
      std::make_unique<PerformanceOptionsController>(DialogParts(performance_), p_.common.Common().State());
  performanceController_->SetMenuCheck([this](bool on) { p_.checkMenuItem(p_.performanceId, on); });
  PerformanceOptionsController& c = *performanceController_;
  performance_.SetHandlers({[&c](int id, int code) {
                              if (code != BN_CLICKED) return;
                              if (id == kPerformanceSaveButton) {
                                c.OnSave();
                              } else if (id == kPerformanceCancelButton) {
                                c.Cancel();
                              } else if (id == kTimerOffBox) {
                                c.OnTimerOffClicked();
                              } else {
                                c.OnDisplayChoice(id);
                              }
                            },
                            [&c] { c.Cancel(); }});
  return true;
}

// A group of File Options: example name, prefix edit, folder button with its path, "Use Default".
// The controls' ids follow the video group's order from `first` on.
void OptionsWindows::AddFileGroup(int top, const wchar_t* title, int first) {
  DialogWindow& w = files_;
  w.Add(L"BUTTON", title, BS_GROUPBOX, 0, 10, top, 540, 165);
  w.AddLabel(L"File name:", 25, top + 25, 80);
  w.AddLabel(L"", 110, top + 25, 300, first);  // example
  w.AddLabel(L"Prefix", 25, top + 55, 80, first + 1);
  HWND edit = w.Add(L"EDIT", L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, first + 2, 110, top + 53, 220, 24);
  if (edit != nullptr) SendMessageW(edit, EM_LIMITTEXT, kMaxNamePrefixLength, 0);
  w.AddIconButton(L"Select\r\nFolder", p_.folderIcon, first + 3, 25, top + 90, 70, 50);
  w.AddHoverPath(first + 4, 110, top + 104, 360);
  w.AddButton(L"Use Default", first + 5, 110, top + 132, 100, 26);
}

bool OptionsWindows::CreateFileOptions() {
  if (!files_.Create(p_.common, p_.font, L"File Options", 580, 520)) return false;
  AddFileGroup(8, L" Video", kVideoExampleText);
  AddFileGroup(183, L" User Messages Log", kLogExampleText);
  files_.AddLabel(L"Event file global prefix (12 chars max):", 15, 365, 290, kEventPrefixLabel);
  HWND global = files_.Add(L"EDIT", L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, kEventPrefixEdit, 310, 363, 130, 24);
  if (global != nullptr) SendMessageW(global, EM_LIMITTEXT, kMaxGlobalPrefixLength, 0);
  files_.AddButton(L"Host Name", kHostNameButton, 450, 361, 100, 28);
  files_.AddButton(L"Save", kFileOptionsSaveButton, 130, 420);
  files_.AddButton(L"Cancel", kFileOptionsCancelButton, 300, 420);
  files_.AddHelpButton(HelpPage::kFileOptions, 500, 419,
                       L"Creating file options help button failed - help for window not available\r\n");
  filesController_ = std::make_unique<FileOptionsController>(DialogParts(files_),
                                                             FileOptionsParts{picker_, ComputerName, p_.programFolder});
  filesController_->SetMenuCheck([this](bool on) { p_.checkMenuItem(p_.fileId, on); });
  FileOptionsController& c = *filesController_;
  files_.SetHandlers({[&c](int id, int code) {
                        if (id == kVideoPrefixEdit || id == kLogPrefixEdit || id == kEventPrefixEdit) {
                          if (code == EN_CHANGE) c.OnPrefixChanged(id);
                          return;
                        }
                        if (code != BN_CLICKED) return;
                        if (id == kVideoSelectFolderButton || id == kLogSelectFolderButton) c.OnSelectFolder(id);
                        if (id == kVideoUseDefaultButton || id == kLogUseDefaultButton) c.OnUseDefault(id);
                        if (id == kHostNameButton) c.OnHostName();
                        if (id == kFileOptionsSaveButton) c.OnSave();
                        if (id == kFileOptionsCancelButton) c.Cancel();
                      },
                      [&c] { c.Cancel(); }});
  return true;
}

bool OptionsWindows::CreateDuration() {
  if (!duration_.Create(p_.common, p_.font, L"Default Recording Duration", 430, 170)) return false;
  duration_.AddLabel(L"Default Recording Duration (hh:mm:ss):", 15, 20, 290);
  HWND picker = duration_.Add(DATETIMEPICK_CLASSW, L"", WS_TABSTOP | DTS_TIMEFORMAT | DTS_UPDOWN,
                              kDefaultDurationPicker, 310, 17, 95, 24);
  if (picker != nullptr) SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH':'mm':'ss"));
  duration_.AddButton(L"Save", kDefaultDurationSaveButton, 60, 70);
  duration_.AddButton(L"Cancel", kDefaultDurationCancelButton, 190, 70);
  duration_.AddHelpButton(HelpPage::kDefaultRecordingDuration, 355, 69,
                          L"Creating default duration help button failed - help for window not available\r\n");
  durationController_ = std::make_unique<DefaultDurationController>(DialogParts(duration_), p_.options.Settings());
  durationController_->SetMenuCheck([this](bool on) { p_.checkMenuItem(p_.durationId, on); });
  DefaultDurationController& c = *durationController_;
  duration_.SetHandlers({[&c](int id, int code) {
                           if (code != BN_CLICKED) return;
                           if (id == kDefaultDurationSaveButton) c.OnSave();
                           if (id == kDefaultDurationCancelButton) c.Cancel();
                         },
                         [&c] { c.Cancel(); }});
  return true;
}

bool OptionsWindows::CreateEventPending() {
  if (!pending_.Create(p_.common, p_.font, L"Event Pending Options", 420, 230)) return false;
  pending_.AddRadio(L"Display countdown to start of event recording", kCountdownRadio, 20, 15, 370);
  pending_.AddRadio(L"Display current UTC time", kUtcRadio, 20, 45, 370);
  pending_.AddCheckBox(L"Save selection as application default", kSaveAsDefaultBox, 20, 85, 370);
  pending_.AddButton(L"OK", kEventPendingOkButton, 60, 130);
  pending_.AddButton(L"Cancel", kEventPendingCancelButton, 190, 130);
  pending_.AddHelpButton(HelpPage::kEventPendingOptions, 350, 129,
                         L"Creating event pending help button failed - help for window not available\r\n");
  pending_.View().Check(kCountdownRadio, true);
  pendingController_ = std::make_unique<EventPendingController>(DialogParts(pending_), p_.options.Settings());
  pendingController_->SetMenuCheck([this](bool on) { p_.checkMenuItem(p_.eventPendingId, on); });
  pendingController_->SetCaption(p_.setCountdownCaption);
  EventPendingController& c = *pendingController_;
  pending_.SetHandlers({[&c](int id, int code) {
                          if (code != BN_CLICKED) return;
                          if (id == kCountdownRadio || id == kUtcRadio) c.OnChoice(id);
                          if (id == kSaveAsDefaultBox) c.OnSaveAsDefaultClicked();
                          if (id == kEventPendingOkButton) c.OnOk();
                          if (id == kEventPendingCancelButton) c.Cancel();
                        },
                        [&c] { c.Cancel(); }});
  return true;
}

bool OptionsWindows::CreateCodecSelector() {
  if (!codec_.Create(p_.common, p_.font, L"Codec Selector", 400, 330)) return false;
  codec_.AddLabel(L"Select codec from list below for", 15, 10, 360);
  codec_.AddLabel(L"device ", 15, 32, 50);
  codec_.AddLabel(L"", 65, 32, 310, kCodecDeviceText);
  HWND list = codec_.Add(WC_LISTVIEWW, L"",
                         WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                         kCodecList, 15, 60, 355, 120);
  if (list != nullptr) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 330;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  }
  codec_.AddCheckBox(L"Save selection in options file", kSaveSelectionBox, 15, 190, 300);
  codec_.AddButton(L"OK", kCodecOkButton, 50, 230);
  codec_.AddButton(L"Close", kCodecCloseButton, 180, 230);
  codec_.AddHelpButton(HelpPage::kCodecSelect, 335, 229,
                       L"Creating select codec help button failed - help for window not available\r\n");
  codecController_ = std::make_unique<CodecSelectorController>(
      DialogParts(codec_), CodecSelectorParts{p_.options.Nodes(), p_.currentDevice, p_.codecNames});
  codecController_->SetMenuCheck([this](bool on) { p_.checkMenuItem(p_.codecId, on); });
  CodecSelectorController& c = *codecController_;
  codec_.SetHandlers({[&c](int id, int code) {
                        if (id == kCodecList && code == DialogWindow::kSelectionChanged) c.OnSelectionChanged();
                        if (code != BN_CLICKED) return;
                        if (id == kSaveSelectionBox) c.OnSaveBoxClicked();
                        if (id == kCodecOkButton) c.OnOk();
                        if (id == kCodecCloseButton) c.Cancel();
                      },
                      [&c] { c.Cancel(); }});
  return true;
}

OptionsDialog* OptionsWindows::DialogOf(unsigned id) const {
  if (id == p_.miscellaneousId) return miscController_.get();
  if (id == p_.performanceId) return performanceController_.get();
  if (id == p_.fileId) return filesController_.get();
  if (id == p_.durationId) return durationController_.get();
  if (id == p_.eventPendingId) return pendingController_.get();
  if (id == p_.codecId) return codecController_.get();
  return nullptr;
}

bool OptionsWindows::OnCommand(unsigned id) {
  OptionsDialog* dialog = DialogOf(id);
  if (dialog == nullptr) return false;
  dialog->Toggle();
  return true;
}

bool OptionsWindows::IsOpen(unsigned id) const {
  const OptionsDialog* dialog = DialogOf(id);
  return dialog != nullptr && dialog->IsOpen();
}

}  // namespace zuna
