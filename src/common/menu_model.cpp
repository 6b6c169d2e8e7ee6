#include "common/menu_model.h"

namespace zuna {
namespace {

MenuItem* FindIn(std::vector<MenuItem>& items, unsigned id) {
  for (auto& item : items) {
    if (!item.IsPopup() && item.id == id) return &item;
    if (MenuItem* found = FindIn(item.children, id)) return found;
  }
  return nullptr;
}

void DescribeInto(const std::vector<MenuItem>& items, const std::wstring& prefix, std::wstring& out) {
  for (const auto& item : items) {
    const std::wstring path = prefix.empty() ? item.text : prefix + L"/" + item.text;
    out += path + L"|" + std::to_wstring(item.id) + L"|" + (item.enabled ? L"1" : L"0") + L"|" +
           (item.checked ? L"1" : L"0") + L"\n";
    DescribeInto(item.children, path, out);
  }
}

}  // namespace

MenuItem& MenuModel::AddPopup(std::wstring_view text) {
  bar_.push_back(MenuItem{std::wstring(text), 0, true, false, {}});
  return bar_.back();
}

MenuItem& MenuModel::AddItem(MenuItem& popup, std::wstring_view text, unsigned id) {
  popup.children.push_back(MenuItem{std::wstring(text), id, true, false, {}});
  return popup.children.back();
}

MenuItem* MenuModel::FindById(unsigned id) { return id == 0 ? nullptr : FindIn(bar_, id); }

MenuItem* MenuModel::FindByPath(std::wstring_view path) {
  std::vector<MenuItem>* level = &bar_;
  MenuItem* found = nullptr;
  while (!path.empty()) {
    const std::size_t slash = path.find(L'/');
    const std::wstring_view part = path.substr(0, slash);
    found = nullptr;
    for (auto& item : *level) {
      if (item.text == part) found = &item;
    }
    if (found == nullptr) return nullptr;
    level = &found->children;
    path = slash == std::wstring_view::npos ? std::wstring_view() : path.substr(slash + 1);
  }
  return found;
}

void MenuModel::Enable(unsigned id, bool on) {
  if (MenuItem* item = FindById(id)) item->enabled = on;
}

void MenuModel::Check(unsigned id, bool on) {
  if (MenuItem* item = FindById(id)) item->checked = on;
}

bool MenuModel::IsEnabled(unsigned id) const {
  const MenuItem* item = const_cast<MenuModel*>(this)->FindById(id);
  return item != nullptr && item->enabled;
}

bool MenuModel::IsChecked(unsigned id) const {
  const MenuItem* item = const_cast<MenuModel*>(this)->FindById(id);
  return item != nullptr && item->checked;
}

std::wstring MenuModel::Describe() const {
  std::wstring out;
  DescribeInto(bar_, L"", out);
  return out;
}

}  // namespace zuna
