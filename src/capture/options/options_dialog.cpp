#include "capture/options/options_dialog.h"

#include "capture/options/capture_options.h"

namespace zuna {

void OptionsDialog::Open() {
  Fill();
  ShowOpened();
}

void OptionsDialog::SaveAndReport(std::wstring_view confirmation) {
  const bool saved = p_.save ? p_.save() : false;
  CaptureOptions::ReportSave(saved, confirmation);
}

}  // namespace zuna
