// Steps about the files a program leaves behind or is shipped as, texts shown anywhere in a window,
// and raw commands for menus no agent lists.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../ui_driver_text.h"
#include "../ui_driver_windows.h"
#include "ui_driver_step_support.h"
#include "ui_driver_steps.h"

namespace ui_driver {
namespace {

// The first name matching the pattern (wildcards allowed in the last part), or empty.
std::wstring FirstMatch(const std::wstring& pattern) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  FindClose(search);
  return found.cFileName;
}

// A text of the version resource's first language, or empty.
std::wstring VersionText(const std::vector<BYTE>& info, const wchar_t* name) {
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translations = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &size) ||
      size < sizeof(Translation)) {
    return {};
  }
  wchar_t query[96];
  swprintf(query, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language, translations[0].codePage, name);
  wchar_t* text = nullptr;
  if (!VerQueryValueW(info.data(), query, reinterpret_cast<void**>(&text), &size) || size == 0) return {};
  return std::wstring(text, size - 1);
}

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

StepResult RunWriteFile(Session& session, const Args& args) {
  const auto path = session.Resolve(args[0]);
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::string bytes = ToUtf8(args[1]);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return Failed(L"cannot write " + path.wstring());
  return Passed(L"wrote " + std::to_wstring(bytes.size()) + L" bytes to " + path.wstring());
}

StepResult RunFileContains(Session& session, const Args& args) {
  auto path = session.Resolve(args[0]);
  // A pattern names the first file that matches it.
  if (path.filename().wstring().find_first_of(L"*?") != std::wstring::npos) {
    const std::wstring name = FirstMatch(path.wstring());
    if (name.empty()) return Failed(L"nothing matches " + path.wstring());
    path = path.parent_path() / name;
  }
  const std::string wanted = ToUtf8(args[1]);
  const bool expectPresent = args.size() < 3 || args[2] == L"yes";
  const bool present = ReadWhole(path).find(wanted) != std::string::npos;
  if (present != expectPresent) {
    return Failed(path.wstring() + (present ? L" holds " : L" lacks ") + Quoted(args[1]));
  }
  return Passed(path.wstring() + (present ? L" holds " : L" lacks ") + Quoted(args[1]));
}

StepResult RunFileVersion(Session& session, const Args& args) {
  const std::wstring path = session.Resolve(args[0]).wstring();
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &unused);
  std::vector<BYTE> info(size);
  if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, info.data())) {
    return Failed(L"no version resource in " + path);
  }
  const std::wstring file = VersionText(info, L"FileVersion");
  const std::wstring product = VersionText(info, L"ProductVersion");
  const UINT icons = ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0);
  const std::wstring seen = L"file version " + Quoted(file) + L", product version " + Quoted(product) + L", " +
                            Quoted(VersionText(info, L"FileDescription")) + L", " +
                            Quoted(VersionText(info, L"LegalCopyright")) + L", " + std::to_wstring(icons) + L" icon(s)";
  if (file != args[1] || product != args[1]) return Failed(seen);
  return Passed(seen);
}

StepResult RunFileExists(Session& session, const Args& args) {
  const bool wanted = args.size() < 2 || args[1] == L"yes";
  if (args.size() >= 2 && args[1] != L"yes" && args[1] != L"no") return Failed(L"expected yes or no, not " + args[1]);
  const std::wstring pattern = session.Resolve(args[0]).wstring();
  std::wstring name;
  const bool there =
      PollUntil(wanted ? kDefaultTimeoutSeconds : 0.0, [&] { return !(name = FirstMatch(pattern)).empty(); });
  if (there != wanted) {
    return Failed(there ? L"found " + name + L" for " + pattern : L"nothing matches " + pattern);
  }
  return Passed(there ? L"found " + name + L" for " + pattern : L"nothing matches " + pattern);
}

StepResult RunShowsText(Session& session, const Args& args) {
  const auto seconds = SecondsArg(args, 2);
  if (!seconds) return Failed(NotSeconds(args, 2));
  // A text ending in "*" is a beginning: the rest of the control's text may be anything.
  std::wstring wanted = NormalizeLabel(args[1]);
  const bool prefix = !wanted.empty() && wanted.back() == L'*';
  if (prefix) wanted.pop_back();
  const auto shows = [&](HWND c) {
    const std::wstring text = NormalizeLabel(ControlText(c));
    return prefix ? text.starts_with(wanted) : text == wanted;
  };
  std::wstring why;
  const auto target = WaitForControl(
      session, args[0], L"control showing " + args[1], [&](HWND window) { return FindDescendant(window, shows); },
      *seconds, why);
  if (!target) return Failed(why);
  return Passed(Describe(target->control));
}

StepResult RunCommand(Session& session, const Args& args) {
  const DWORD process = CurrentProcessId(session);
  if (process == 0) return Failed(kNoProcess);
  wchar_t* end = nullptr;
  const unsigned long id = std::wcstoul(args[1].c_str(), &end, 0);
  if (end == args[1].c_str() || *end != L'\0' || id > 0xFFFF) return Failed(L"not a command identifier: " + args[1]);
  HWND window = WaitForTitledWindow(process, args[0], kDefaultTimeoutSeconds);
  if (window == nullptr) return Failed(L"no window titled " + args[0]);
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return Passed(L"posted command " + std::to_wstring(id) + L" to " + args[0]);
}

}  // namespace ui_driver
