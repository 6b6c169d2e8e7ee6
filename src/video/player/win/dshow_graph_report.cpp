// A plain-text account of the filter graph, for tests and for looking into a running program.
#include <string>

#include "video/player/win/dshow_media_graph.h"

namespace zuna::dshow {
namespace {

std::wstring FilterNameOf(IBaseFilter* filter) {
  FILTER_INFO info{};
  if (filter == nullptr || FAILED(filter->QueryFilterInfo(&info))) return L"?";
  if (info.pGraph != nullptr) info.pGraph->Release();
  info.achName[MAX_FILTER_NAME - 1] = L'\0';  // the name comes from the filter: bound it
  return info.achName;
}

// "A -> B" for each connected output pin of the filter.
void DescribeOutputs(IBaseFilter* filter, std::wstring& text) {
  std::vector<PinInfo> pins;
  if (FAILED(ListPins(filter, &pins))) return;
  for (const PinInfo& pin : pins) {
    if (!pin.pin || pin.direction != PinDirection::kOutput) continue;
    ComPtr<IPin> peer;
    if (FAILED(ToPin(pin.pin)->ConnectedTo(peer.Put())) || !peer) continue;
    PIN_INFO peerInfo{};
    if (FAILED(peer->QueryPinInfo(&peerInfo))) continue;
    text += FilterNameOf(filter) + L" -> " + FilterNameOf(peerInfo.pFilter) + L"\r\n";
    if (peerInfo.pFilter != nullptr) peerInfo.pFilter->Release();
  }
}

}  // namespace

std::wstring DirectShowMediaGraph::Report() {
  std::wstring text;
  std::vector<FilterRef> filters;
  if (graph_ && SUCCEEDED(EnumerateFilters(&filters))) {
    for (FilterRef filter : filters) DescribeOutputs(ToFilter(filter), text);
  }
  if (windowRenderer_ != nullptr) {
    const std::uint64_t shown = windowRenderer_->FramesDrawnSinceStart();
    text +=
        L"Frames shown: " + std::to_wstring(shown) + L"\r\nPicture shown: " + (shown > 0 ? L"yes" : L"no") + L"\r\n";
  }
  return text;
}

}  // namespace zuna::dshow
