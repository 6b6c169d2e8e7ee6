// The display chain: source -> [pixel saturation] -> [brightness/contrast] -> [crosshairs] -> renderer.
#include <cstdlib>

#include "video/player/missing_decoder.h"
#include "video/player/video_player.h"
#include "video/player/video_player_messages.h"

namespace zuna {

using player_detail::Fail;
using player_detail::Report;

Status VideoPlayer::RenderVideoPreviewStream(bool plain) {
  if (!hasCaptureGraphBuilder_) return Fail(L"Logic error: attempt to render video stream with NULL filter graph\r\n");
  if (!sourceFilter_) return Fail(L"Logic error: attempt to render video stream with NULL source filter\r\n");
  if (rendererKind_ != RendererKind::kEvr && rendererKind_ != RendererKind::kNull) {
    return Fail(L"Logic error: attempt to render preview stream without setting the renderer type\r\n");
  }
  FilterRef renderer = currentRenderer_;
  if (!renderer) return Fail(L"Logic error: attempt to render video stream with NULL renderer base filter\r\n");

  if (Failed(DisconnectPins(sourceFilter_, PinDirection::kOutput))) {
    return Fail(L"SEVERE: cannot disconnect output pin on source filter\r\n");
  }
  const Status rendered = RenderSourceToRenderer(renderer, plain);
  if (rendered != kOk) return Failed(rendered) ? rendered : kOk;
  if (Failed(AcquireMediaControl())) return kFail;
  if (plain) return kOk;

  ReadRendererSubtype(renderer);
  return InsertDisplayFilters(renderer);
}

// kFalse: the renderer is connected and no display filter goes in (Null Renderer, or filters
// removed while recording); media control is then already held.
Status VideoPlayer::RenderSourceToRenderer(FilterRef& renderer, bool plain) {
  if (rendererKind_ == RendererKind::kNull) {
    // A file source has no preview pin: any of its outputs will do.
    const PinCategory category = fileSourceMode_ ? PinCategory::kNone : PinCategory::kPreview;
    if (Failed(graph_.RenderStream(category, sourceFilter_, {}, renderer))) {
      return fileSourceMode_ ? FailFileRender() : Fail(L"SEVERE: failure to render video preview stream\r\n");
    }
  } else if (fileSourceMode_) {
    if (Failed(RenderStreamToRenderer(PinCategory::kNone, renderer))) return FailFileRender();
    const VideoSize video = state_.geometry.Video();
    if (video.width == 0 || video.height == 0) ReadFileVideoSize(renderer);
    return kOk;
  } else {
    if (Failed(RenderStreamToRenderer(PinCategory::kPreview, renderer))) {
      return Fail(L"SEVERE: failure to render video preview stream\r\n");
    }
    if (!plain) return kOk;
  }
  return Failed(AcquireMediaControl()) ? kFail : kFalse;
}

// A compressed stream that no installed decoder takes is named, with what to install; any other
// failure gets the general line.
Status VideoPlayer::FailFileRender() {
  MediaTypeInfo type;
  const PinRef output = FindPin(sourceFilter_, PinDirection::kOutput);
  if (output && Succeeded(graph_.OfferedMediaType(output, &type))) {
    if (const auto text = MissingDecoderText(type.subtype)) return Fail(text->c_str());
  }
  return Fail(L"SEVERE: failure to render file stream\r\n");
}

Status VideoPlayer::AcquireMediaControl() {
  if (Failed(graph_.GetMediaControl())) {
    return Fail(L"FATAL: IID_IMediaControl interface for filter graph is missing\r\n");
  }
  hasMediaControl_ = true;
  return kOk;
}

void VideoPlayer::ReadFileVideoSize(FilterRef renderer) {
  MediaTypeInfo type;
  const PinRef input = FindPin(renderer, PinDirection::kInput);
  if (!input || Failed(graph_.ConnectionMediaType(input, &type))) return;
  if (type.format != FormatKind::kVideoInfo2 || type.width <= 0 || type.width > kMaxVideoDimension) return;
  // A top-down picture stores a negative height; the size on screen is the same.
  const std::int64_t height = std::llabs(static_cast<std::int64_t>(type.height));
  if (height == 0 || height > kMaxVideoDimension) return;
  state_.geometry.NewVideo({type.width, static_cast<int>(height)});
}

void VideoPlayer::ReadRendererSubtype(FilterRef renderer) {
  MediaTypeInfo type;
  const PinRef input = FindPin(renderer, PinDirection::kInput);
  MediaGuid subtype;
  if (input && Succeeded(graph_.ConnectionMediaType(input, &type))) subtype = type.subtype;
  if (subtype == connectedSubtype_) return;
  connectedSubtype_ = subtype;
  if (subtypeChanged_) subtypeChanged_(subtype);
}

// Each filter goes directly in front of the one now next to the renderer, crosshairs first, so
// that the finished chain reads pixel saturation, brightness/contrast, crosshairs.
Status VideoPlayer::InsertDisplayFilters(FilterRef renderer) {
  // A tool's window may be open while its filter is unavailable: the chain goes without it.
  const auto wanted = [this](DisplayTool tool) {
    const auto index = static_cast<std::size_t>(tool);
    return state_.displayToolOn[index] && !state_.featureUnavailable[index];
  };
  const bool knownSubtype = !connectedSubtype_.IsNull();
  FilterRef head = renderer;
  if (wanted(kToolCrosshairs) && knownSubtype && crosshairs_.filter) {
    const TransformFilterSetup setup{connectedSubtype_, false, false, true};
    const Status s =
        InsertTransformFilter(TransformFilterKind::kCrosshairs, crosshairs_, head, setup, L"Crosshairs",
                              L"SEVERE: cannot add crosshairs filter to filter graph in RenderVideoPreviewStream\r\n");
    if (Failed(s)) return s;
    head = crosshairs_.filter;
  }
  if (wanted(kToolBrightnessContrast) && colorControl_.filter) {
    ApplyColorControl();
    if (Failed(graph_.AddFilter(colorControl_.filter, L"BrightnessContrast"))) {
      return Fail(L"SEVERE: cannot add brightness/contrast filter to filter graph in RenderVideoPreviewStream\r\n");
    }
    const Status s = ConnectWithNextFilter(colorControl_.filter, head);
    if (Failed(s)) return s;
    head = colorControl_.filter;
  }
  if (wanted(kToolPixelSaturation) && knownSubtype && pixelSaturation_.filter) {
    const TransformFilterSetup setup{connectedSubtype_, false, head != renderer, true};
    const Status s = InsertTransformFilter(
        TransformFilterKind::kPixelSaturation, pixelSaturation_, head, setup, L"PixelSaturation",
        L"SEVERE: cannot add pixel saturation filter to filter graph in RenderVideoPreviewStream\r\n");
    if (Failed(s)) return s;
  }
  return kOk;
}

Status VideoPlayer::InsertTransformFilter(TransformFilterKind kind, const DisplayFilter& filter, FilterRef next,
                                          const TransformFilterSetup& setup, const wchar_t* name,
                                          const wchar_t* addFailure) {
  graph_.PrepareTransformFilter(kind, setup);
  if (Failed(graph_.AddFilter(filter.filter, name))) return Fail(addFailure);
  return ConnectWithNextFilter(filter.filter, next);
}

Status VideoPlayer::ConnectWithNextFilter(FilterRef inserted, FilterRef next) {
  if (!inserted || !next) return Fail(L"Logic error: called ConnectWithNextFilter with a NULL parameter\r\n");
  Splice splice;
  const Status result = SpliceFilter(inserted, next, splice);
  if (Failed(result)) TakeOut(inserted, splice);
  return result;
}

Status VideoPlayer::SpliceFilter(FilterRef inserted, FilterRef next, Splice& splice) {
  if (Failed(DisconnectPins(inserted, PinDirection::kInput)) ||
      Failed(DisconnectPins(inserted, PinDirection::kOutput))) {
    return Fail(L"SEVERE: cannot disconnect all pins on input filter in ConnectWithNextFilter\r\n");
  }
  splice.nextInput = FindPin(next, PinDirection::kInput);
  if (!splice.nextInput) return Fail(L"SEVERE: cannot find input pin for next filter in ConnectWithNextFilter\r\n");
  if (Failed(graph_.ConnectedTo(splice.nextInput, &splice.previousOutput)) || !splice.previousOutput) {
    return Fail(L"SEVERE: cannot find output pin for previous filter in ConnectWithNextFilter\r\n");
  }
  if (Failed(graph_.Disconnect(splice.nextInput))) {
    return Fail(L"SEVERE: cannot disconnect next filter input pin in ConnectWithNextFilter\r\n");
  }
  splice.opened = true;
  if (Failed(graph_.Disconnect(splice.previousOutput))) {
    return Fail(L"SEVERE: cannot disconnect previous filter output pin in ConnectWithNextFilter\r\n");
  }
  const PinRef input = FindPin(inserted, PinDirection::kInput);
  const PinRef output = FindPin(inserted, PinDirection::kOutput);
  if (!input || !output) return Fail(L"SEVERE: cannot find pin for inserted filter in ConnectWithNextFilter\r\n");
  if (Failed(graph_.ConnectDirect(splice.previousOutput, input))) {
    return Fail(
        L"SEVERE: cannot ConnectDirect previous filter output pin with inserted filter input pin in "
        L"ConnectWithNextFilter\r\n");
  }
  if (Failed(ConnectToNext(output, splice.nextInput))) {
    if (!quiet_) {
      Report(
          L"SEVERE: cannot ConnectDirect inserted filter output pin with next filter input pin in "
          L"ConnectWithNextFilter\r\n");
    }
    return kFail;
  }
  return kOk;
}

Status VideoPlayer::ConnectToNext(PinRef output, PinRef input) {
  if (Succeeded(graph_.ConnectDirect(output, input))) return kOk;
  // A file may need a converter in front of the next filter; a live device never gets one.
  if (fileSourceMode_) return graph_.Connect(output, input);
  return kFail;
}

// A filter that could not be spliced in comes out of the graph again and the stream is closed
// where it was opened, so a display aid that fails never costs the picture (nor, in the capture
// chain, the recording).
void VideoPlayer::TakeOut(FilterRef inserted, const Splice& splice) {
  DisconnectPins(inserted, PinDirection::kInput);
  DisconnectPins(inserted, PinDirection::kOutput);
  graph_.RemoveFilter(inserted);
  if (!splice.opened) return;
  PinRef peer;
  if (Succeeded(graph_.ConnectedTo(splice.previousOutput, &peer))) graph_.Disconnect(splice.previousOutput);
  if (Failed(ConnectToNext(splice.previousOutput, splice.nextInput))) {
    Report(L"SEVERE: cannot restore the stream after a failed filter insertion in ConnectWithNextFilter\r\n");
  }
}

}  // namespace zuna
