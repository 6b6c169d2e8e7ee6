#include "capture/options/file_options_controller.h"

#include <array>
#include <cwctype>

#include "capture/options/capture_option_keys.h"
#include "capture/options/filter_name_characters.h"
#include "common/log/user_messages_log.h"
#include "common/options/common_option_keys.h"

namespace zuna {
namespace {

constexpr std::array<std::wstring_view, 5> kEditedKeys{kVideoNamePrefixKey, kLogfileNamePrefixKey,
                                                       kEventFileGlobalPrefixKey, kVideoDirectoryKey,
                                                       kUserMessagesDirectoryKey};

std::wstring_view KeyOf(int control) {
  switch (control) {
    case kVideoPrefixEdit:
      return kVideoNamePrefixKey;
    case kLogPrefixEdit:
      return kLogfileNamePrefixKey;
    case kEventPrefixEdit:
      return kEventFileGlobalPrefixKey;
    case kVideoFolderText:
      return kVideoDirectoryKey;
    default:
      return kUserMessagesDirectoryKey;
  }
}

void SetSaveValue(OptionTables& options, std::wstring_view key, std::wstring_view value) {
  if (TextOption* option = options.FindText(key)) option->saveValue = value;
}

}  // namespace

std::wstring ExampleFileName(std::wstring_view prefix, bool dateTimeAtEnd, std::wstring_view extension) {
  std::wstring name;
  if (dateTimeAtEnd) {
    name = prefix.empty() ? L"" : std::wstring(prefix) + L"_";
    name += L"mm_dd_yyyy_hh_mm_ss";
  } else {
    name = L"yyyy_mm_dd_hh_mm_ss";
    if (!prefix.empty()) name += L"_" + std::wstring(prefix);
  }
  return name + std::wstring(extension);
}

void FileOptionsController::Fill() {
  const bool atEnd = p_.options.Boolean(kDateTimeAtEndKey);
  p_.view.SetText(kVideoPrefixEdit, p_.options.Text(kVideoNamePrefixKey));
  p_.view.SetText(kLogPrefixEdit, p_.options.Text(kLogfileNamePrefixKey));
  p_.view.SetText(kEventPrefixEdit, p_.options.Text(kEventFileGlobalPrefixKey));
  p_.view.SetText(kVideoFolderText, p_.options.Text(kVideoDirectoryKey));
  p_.view.SetText(kLogFolderText, p_.options.Text(kUserMessagesDirectoryKey));
  p_.view.SetText(kVideoPrefixLabel, atEnd ? L"Prefix" : L"Postfix");
  p_.view.SetText(kLogPrefixLabel, atEnd ? L"Prefix" : L"Postfix");
  p_.view.SetText(kEventPrefixLabel,
                  atEnd ? L"Event file global prefix (12 chars max):" : L"Event file global postfix (12 chars max):");
  ShowExamples();
}

void FileOptionsController::ShowExamples() {
  const bool atEnd = p_.options.Boolean(kDateTimeAtEndKey);
  p_.view.SetText(kVideoExampleText, ExampleFileName(p_.view.Text(kVideoPrefixEdit), atEnd, L".avi"));
  p_.view.SetText(kLogExampleText, ExampleFileName(p_.view.Text(kLogPrefixEdit), atEnd, L".txt"));
}

void FileOptionsController::OnPrefixChanged(int edit) {
  const std::size_t limit = edit == kEventPrefixEdit ? kMaxGlobalPrefixLength : kMaxNamePrefixLength;
  std::wstring text = p_.view.Text(edit).substr(0, limit);
  if (FilterNameCharacters(text, false)) {
    p_.view.SetText(edit, text);
    PostUnstampedMessage(kAllowedCharactersMessage);
  }
  ShowExamples();
  SetSaveValue(p_.options, KeyOf(edit), text);
}

void FileOptionsController::OnHostName() {
  std::wstring name = f_.computerName ? f_.computerName() : std::wstring();
  if (FilterNameCharacters(name, false)) PostUnstampedMessage(kComputerNameFilteredMessage);
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
  name = name.substr(0, kMaxGlobalPrefixLength);
  p_.view.SetText(kEventPrefixEdit, name);
  SetSaveValue(p_.options, kEventFileGlobalPrefixKey, name);
}

void FileOptionsController::StoreFolder(int folderText, std::wstring_view folder) {
  p_.view.SetText(folderText, folder);
  SetSaveValue(p_.options, KeyOf(folderText), folder);
}

void FileOptionsController::OnSelectFolder(int button) {
  const auto picked = f_.picker.PickFolder();
  if (!picked) return;
  const auto folder = PickedFolderText(*picked);
  if (!folder) return;
  StoreFolder(button == kVideoSelectFolderButton ? kVideoFolderText : kLogFolderText, *folder);
}

void FileOptionsController::OnUseDefault(int button) {
  const std::wstring program = f_.programFolder ? f_.programFolder() : std::wstring();
  if (button == kVideoUseDefaultButton) {
    StoreFolder(kVideoFolderText, program + L"VideoFiles\\");
  } else {
    StoreFolder(kLogFolderText, program + L"MessageFilesVC\\");
  }
}

void FileOptionsController::OnSave() {
  for (auto key : kEditedKeys) {
    if (TextOption* option = p_.options.FindText(key)) option->value = option->saveValue;
  }
  Close();
  SaveAndReport(kFileOptionsSavedMessage);
}

// Edits left unsaved must not reach the file with the next save of another window.
void FileOptionsController::Cancel() {
  for (auto key : kEditedKeys) {
    if (TextOption* option = p_.options.FindText(key)) option->saveValue = option->value;
  }
  Close();
}

}  // namespace zuna
