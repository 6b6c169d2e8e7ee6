#include "common/foundation/zuna_common.h"

#include "common/log/message_file_path.h"
#include "common/text/path_text.h"
#include "common/time/time_zone_report.h"

namespace zuna {

StartFolders FindStartFolders(std::wstring_view currentDirectory,
                              const std::function<bool(const std::wstring&)>& folderExists) {
  StartFolders folders;
  folders.currentDirectory = WithTrailingBackslash(currentDirectory);
  folders.processDirectory = folders.currentDirectory;
  if (folderExists(folders.currentDirectory + L"ZunaVideoIcons")) {
    folders.iconsFolder = folders.currentDirectory + L"ZunaVideoIcons\\";
    return folders;
  }
  std::wstring current(currentDirectory);
  while (!current.empty() && (current.back() == L'\\' || current.back() == L'/')) current.pop_back();
  const std::size_t cut = current.find_last_of(L"\\/");
  if (cut != std::wstring::npos) {
    const std::wstring parent = current.substr(0, cut + 1);
    if (folderExists(parent + L"ZunaVideoIcons")) {
      folders.processDirectory = parent;
      folders.iconsFolder = parent + L"ZunaVideoIcons\\";
    }
  }
  return folders;
}

ZunaCommon::ZunaCommon(ProgramKind kind, const Clock& clock, StartFolders folders)
    : clock_(clock), log_(clock), folders_(std::move(folders)) {
  state_.programKind = kind;
  inDevelopmentTree_ = IsDevelopmentTree(folders_.currentDirectory);
  InstallUserMessagesLog(&log_);
  // The log window's File menu takes the first three identifiers.
  NextIdentifier();
  NextIdentifier();
  NextIdentifier();
}

ZunaCommon::~ZunaCommon() {
  if (InstalledUserMessagesLog() == &log_) InstallUserMessagesLog(nullptr);
}

void ZunaCommon::ReportTimeZone() {
  utcBiasMinutes_ = zuna::ReportTimeZone(clock_);
}

std::wstring ZunaCommon::BuildMessageFilePath() const {
  MessageFilePlace place;
  const bool capture = state_.programKind == ProgramKind::kCapture;
  place.folderOption = options_.Text(capture ? L"UserMessagesDirectory" : L"MessageFileDirectory");
  place.processDirectory = folders_.processDirectory;
  place.inDevelopmentTree = inDevelopmentTree_;
  place.programKind = capture ? 0 : 1;
  place.dateTimeAtEnd = options_.Boolean(L"DateTimeAtEnd");
  return zuna::BuildMessageFilePath(clock_, utcBiasMinutes_, place);
}

bool ZunaCommon::OnSaveMessages() {
  const std::wstring path = BuildMessageFilePath();
  log_.Drain();
  if (!log_.WriteMessagesFile(ToFsPath(path))) {
    log_.Post(L"WARNING: cannot save user messages in log file \"" + path + L"\"\r\n", true);
    return false;
  }
  log_.Post(L"User messages saved in log file \"" + path + L"\"\r\n", true);
  return true;
}

// Messages that could not be saved are kept: clearing them would lose them for good.
void ZunaCommon::OnSaveMessagesAndClear() {
  const std::wstring path = BuildMessageFilePath();
  log_.Drain();
  if (!log_.WriteMessagesFile(ToFsPath(path))) {
    log_.Post(L"WARNING: cannot save user messages in log file \"" + path + L"\"; no message cleared\r\n", true);
    return;
  }
  log_.ClearMessages();
  log_.Post(L"User messages saved in log file \"" + path + L"\" and all messages cleared\r\n", true);
}

void ZunaCommon::OnClearMessages() {
  log_.ClearMessages();
}

Status ZunaCommon::DisplayToolChanged(int tool, bool shown) const {
  if (!callbacks_.onDisplayToolChanged) {
    PostStampedMessage(L"Logic error: attempt to close common window with 0 function pointer\r\n");
    return kFail;
  }
  return callbacks_.onDisplayToolChanged(tool, shown);
}

void ZunaCommon::DisplayValueChanged(DisplayValue value) const {
  if (!callbacks_.refreshPausedPicture || Succeeded(callbacks_.refreshPausedPicture())) return;
  static const wchar_t* const kWarnings[] = {
      L"WARNING: cannot set brightness / contrast value\r\n",
      L"WARNING: cannot set pixel saturation value\r\n",
      L"WARNING: cannot set crosshairs intensity\r\n",
      L"WARNING: cannot set crosshairs position\r\n",
  };
  PostStampedMessage(kWarnings[static_cast<int>(value)]);
}

}  // namespace zuna
