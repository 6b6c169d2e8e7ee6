#pragma once
// A portable menu bar: the programs decide texts, check marks and greying here, and a platform
// adapter mirrors the model into real menus. Tests and the automation agent read the same model.
#include <string>
#include <string_view>
#include <vector>

namespace zuna {

struct MenuItem {
  std::wstring text;
  unsigned id = 0;  // 0 for pop-ups
  bool enabled = true;
  bool checked = false;
  std::vector<MenuItem> children;

  bool IsPopup() const { return id == 0; }
};

class MenuModel {
 public:
  std::vector<MenuItem>& Bar() { return bar_; }
  const std::vector<MenuItem>& Bar() const { return bar_; }

  MenuItem& AddPopup(std::wstring_view text);
  static MenuItem& AddItem(MenuItem& popup, std::wstring_view text, unsigned id);

  MenuItem* FindById(unsigned id);
  // A path of texts separated by "/", for example "Options/Recording Options/File...".
  MenuItem* FindByPath(std::wstring_view path);
  // The pop-ups leading to the item and the item itself; empty when the path is unknown.
  std::vector<MenuItem*> FindChain(std::wstring_view path);

  void Enable(unsigned id, bool on);
  void Check(unsigned id, bool on);
  bool IsEnabled(unsigned id) const;
  bool IsChecked(unsigned id) const;

  // Every path of the model with its id and state, one per line: "path|id|enabled|checked".
  std::wstring Describe() const;

 private:
  std::vector<MenuItem> bar_;
};

}  // namespace zuna
