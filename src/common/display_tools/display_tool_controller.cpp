#include "common/display_tools/display_tool_controller.h"

#include "common/foundation/zuna_common.h"

namespace zuna {

DisplayToolController::DisplayToolController(ZunaCommon& common, WindowView& view, DisplayTool tool)
    : common_(common), view_(view), tool_(tool) {}

Status DisplayToolController::Toggle() {
  return open_ ? Close() : Open();
}

Status DisplayToolController::Open() {
  if (open_) return kOk;
  Prepare();
  open_ = true;
  common_.State().displayToolOn[static_cast<std::size_t>(tool_)] = true;
  view_.Show();
  Shown();
  return common_.DisplayToolChanged(tool_, true);
}

Status DisplayToolController::Close() {
  if (!open_) return kOk;
  open_ = false;
  Closing();
  common_.State().displayToolOn[static_cast<std::size_t>(tool_)] = false;
  view_.Hide();
  return common_.DisplayToolChanged(tool_, false);
}

}  // namespace zuna
