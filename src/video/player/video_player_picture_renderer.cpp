// The picture renderer: the EVR, or the project's window renderer in its place. The window
// renderer draws every stream the display chain gives with GDI, so a failing EVR never leaves the
// video window black: it takes the EVR's place when the EVR cannot be made, cannot take the stream
// or cannot run it, and when the user chose it.
#include <functional>

#include "video/player/video_player.h"
#include "video/player/video_player_messages.h"

namespace zuna {

using player_detail::Report;

void VideoPlayer::ApplyPictureRendererChoice(bool windowRendererChosen) {
  if (windowRendererChosen && picture_ != PictureRenderer::kWindow) SwapPictureRenderer(PictureRenderer::kWindow);
  PostUnstampedMessage(PictureRendererLine());
}

std::wstring VideoPlayer::PictureRendererLine() const {
  return picture_ == PictureRenderer::kWindow ? L"Video renderer: Window Renderer\r\n"
                                              : L"Video renderer: Enhanced Video Renderer\r\n";
}

bool VideoPlayer::FallBackToWindowRenderer(std::wstring_view failure) {
  if (picture_ == PictureRenderer::kWindow || !SwapPictureRenderer(PictureRenderer::kWindow)) return false;
  Report((L"WARNING: " + std::wstring(failure) + L" - the Window Renderer shows the video instead\r\n").c_str());
  return true;
}

// A stream that fails for a reason of its own fails with the window renderer too: the EVR then
// comes back, and nothing is said of renderers.
Status VideoPlayer::RetryWithWindowRenderer(std::wstring_view failure, Status failed,
                                            const std::function<Status()>& retry) {
  if (!EnhancedRendererShowing() || !SwapPictureRenderer(PictureRenderer::kWindow)) return failed;
  const Status result = retry();
  if (Failed(result)) {
    SwapPictureRenderer(PictureRenderer::kEnhanced);
    return failed;
  }
  Report((L"WARNING: " + std::wstring(failure) + L" - the Window Renderer shows the video instead\r\n").c_str());
  return result;
}

bool VideoPlayer::EnhancedRendererShowing() const {
  return picture_ == PictureRenderer::kEnhanced && rendererKind_ == RendererKind::kEvr && currentRenderer_;
}

// The new picture renderer goes where the old one was: into the graph when the old one was in it,
// behind the filter that fed it, with its window and picture size.
bool VideoPlayer::SwapPictureRenderer(PictureRenderer to) {
  const FilterRef old = graph_.Renderer(RendererKind::kEvr);
  const bool inGraph = old && currentRenderer_ == old;
  PinRef feeding;
  if (inGraph) {
    if (const PinRef input = FindPin(old, PinDirection::kInput)) graph_.ConnectedTo(input, &feeding);
    RemoveRendererFromGraph();
  }
  VideoRendererStep failed = VideoRendererStep::kCreate;
  const bool made = Succeeded(graph_.CreateVideoRenderer(to, state_.programKind == ProgramKind::kCapture, &failed)) ||
                    failed == VideoRendererStep::kAspectRatio;
  picture_ = graph_.PictureRendererMade();
  if (made) {
    hasDisplayControl_ = true;
    if (clippingWindow_ != 0) graph_.ShowIn(clippingWindow_);
    const VideoSize display = state_.geometry.Display();
    if (display.width > 0 && display.height > 0) graph_.SetVideoSize(display.width, display.height);
  }
  // A renderer not made leaves the one before: it goes back in.
  if (inGraph && Succeeded(AddRendererToGraph()) && feeding) {
    ConnectToNext(feeding, FindPin(currentRenderer_, PinDirection::kInput));
  }
  return made && picture_ == to;
}

// A stream the EVR does not take is tried once more with the window renderer.
Status VideoPlayer::RenderStreamToRenderer(PinCategory category, FilterRef& renderer) {
  const Status rendered = graph_.RenderStream(category, sourceFilter_, {}, renderer);
  if (Succeeded(rendered)) return rendered;
  const Status result = RetryWithWindowRenderer(L"cannot connect the video stream to the EVR", rendered, [&] {
    DisconnectPins(sourceFilter_, PinDirection::kOutput);
    return graph_.RenderStream(category, sourceFilter_, {}, currentRenderer_);
  });
  renderer = currentRenderer_;
  return result;
}

}  // namespace zuna
