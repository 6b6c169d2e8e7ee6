#include "common/help/help_documents.h"

#include <array>
#include <string_view>

#include "common/help/help_text_layout.h"

namespace zuna {
namespace {

// The sources of resources/help, in identifier order.
constexpr std::wstring_view kSources[] = {
#include "help_document_files.inc"
};

std::wstring_view Source(int id) {
  if (id < 0 || id >= kHelpDocumentCount || static_cast<std::size_t>(id) >= std::size(kSources)) return {};
  return kSources[id];
}

}  // namespace

std::wstring HelpDocumentTitle(int id) {
  const std::wstring_view source = Source(id);
  return std::wstring(source.substr(0, source.find_first_of(L"\r\n")));
}

std::wstring HelpDocumentText(int id, ProgramKind program) {
  return LayOutHelpText(Source(id), program);
}

}  // namespace zuna
