#include "common/windows/menu_model.h"

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

MenuItem* MenuModel::FindById(unsigned id) {
  return id == 0 ? nullptr : FindIn(bar_, id);
}

std::vector<MenuItem*> MenuModel::FindChain(std::wstring_view path) {
  // Item texts may hold "/" themselves ("Brightness/Contrast..."): at each level the longest text
  // that matches up to a "/" or the end wins.
  std::vector<MenuItem*> chain;
  std::vector<MenuItem>* level = &bar_;
  while (!path.empty()) {
    MenuItem* best = nullptr;
    for (auto& item : *level) {
      const std::wstring_view text = item.text;
      const bool matches =
          path.substr(0, text.size()) == text && (path.size() == text.size() || path[text.size()] == L'/');
      if (matches && (best == nullptr || text.size() > best->text.size())) best = &item;
    }
    if (best == nullptr) return {};
    chain.push_back(best);
    level = &best->children;
    if (path.size() == best->text.size()) break;
    path = path.substr(best->text.size() + 1);
    if (path.empty()) return {};  // a path ending in "/" names no item
  }
  return chain;
}

MenuItem* MenuModel::FindByPath(std::wstring_view path) {
  const std::vector<MenuItem*> chain = FindChain(path);
  return chain.empty() ? nullptr : chain.back();
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
