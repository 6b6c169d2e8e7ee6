#include "capture/options/options_dialog.h"

#include "capture/options/capture_options.h"

namespace zuna {

void OptionsDialog::Toggle() {
  if (open_) {
    Cancel();
  } else {
    Open();
  }
}

void OptionsDialog::Open() {
  Fill();
  open_ = true;
  if (menuCheck_) menuCheck_(true);
  p_.view.Show();
}

void OptionsDialog::Close() {
  open_ = false;
  if (menuCheck_) menuCheck_(false);
  p_.view.Hide();
}

void OptionsDialog::SaveAndReport(std::wstring_view confirmation) {
  const bool saved = p_.save ? p_.save() : false;
  CaptureOptions::ReportSave(saved, confirmation);
}

}  // namespace zuna
