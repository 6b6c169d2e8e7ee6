#pragma once
// The video-input devices as DirectShow lists them: the system device enumerator, each moniker's
// "FriendlyName", the capture filter bound from it, its analog video decoder, its picture properties
// and its pins' media types. Handles are interface pointer values, the same space the media graph
// uses: a moniker is held until the next listing, a bound filter until ReleaseSourceFilter.
#include <dshow.h>

#include <vector>

#include "capture/devices/device_catalog.h"
#include "capture/devices/win/dshow_moniker_list.h"
#include "video/dshow/com_ptr.h"

namespace zuna {

class DirectShowDeviceCatalog final : public DeviceCatalog {
 public:
  DirectShowDeviceCatalog() = default;

  DeviceListing ListVideoInputDevices(std::vector<DeviceCatalogEntry>* entries) override;
  Status BindSourceFilter(DeviceMoniker moniker, FilterRef* filter) override;
  void ReleaseSourceFilter(FilterRef filter) override;

  bool HasAnalogDecoder(FilterRef filter) override;
  Status GetAnalogVideoStandard(FilterRef filter, std::int32_t* standard) override;
  Status SetAnalogVideoStandard(FilterRef filter, std::int32_t standard) override;

  bool HasProcAmp(FilterRef filter) override;
  Status GetProcAmpValue(FilterRef filter, int property, std::int32_t* value, std::int32_t* flags) override;
  Status GetProcAmpRange(FilterRef filter, int property, ProcAmpLimits* limits) override;
  Status SetProcAmpValue(FilterRef filter, int property, std::int32_t value, std::int32_t flags) override;

  Status EnumerateSourcePins(FilterRef filter, std::vector<PinInfo>* pins) override;
  Status EnumeratePinMediaTypes(PinRef pin, std::vector<MediaTypeInfo>* types) override;

 private:
  HRESULT Decoder(FilterRef filter, IAMAnalogVideoDecoder** decoder);
  HRESULT ProcAmp(FilterRef filter, IAMVideoProcAmp** amp);

  MonikerList monikers_;
  dshow::ComPtr<ICaptureGraphBuilder2> builder_;
};

}  // namespace zuna
