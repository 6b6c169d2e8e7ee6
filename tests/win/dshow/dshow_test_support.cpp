#include "dshow_test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "video/dshow/media_type.h"

// {975704CF-6F6C-4F2C-897E-41AD80624FF4}
static const GUID kProbeClassId = {0x975704CF, 0x6F6C, 0x4F2C, {0x89, 0x7E, 0x41, 0xAD, 0x80, 0x62, 0x4F, 0xF4}};
static const GUID kStingyClassId = {0x975704CF, 0x6F6C, 0x4F2C, {0x89, 0x7E, 0x41, 0xAD, 0x80, 0x62, 0x4F, 0xF5}};
// The synthetic cameras' classes.
static const GUID kCameraClassIds[] = {
    {0x6532E7D9, 0x7B05, 0x40DB, {0x80, 0x84, 0x91, 0xFE, 0xA7, 0xF5, 0xD2, 0x53}},
    {0x8D90830B, 0xE94F, 0x4EBC, {0x91, 0x8D, 0x9B, 0xE8, 0xD9, 0x29, 0x2D, 0x22}},
};

namespace zuna::dshow_test {

// ---- ProbeFilter

ProbeFilter::ProbeFilter() : TransformFilterBase(kProbeClassId, L"Probe", dshow::Ownership::kHeldByValue) {}

HRESULT ProbeFilter::CheckInputType(const AM_MEDIA_TYPE& type) {
  return type.majortype == MEDIATYPE_Video && dshow::VideoInfoOf(type) != nullptr ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT ProbeFilter::CheckTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output) {
  return input.subtype == output.subtype && output.cbFormat == input.cbFormat &&
                 std::memcmp(input.pbFormat, output.pbFormat, input.cbFormat) == 0
             ? S_OK
             : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT ProbeFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
  const VIDEOINFOHEADER* info = dshow::VideoInfoOf(Output().ConnectionType());
  request->cBuffers = std::max<long>(request->cBuffers, 2);
  request->cbBuffer = static_cast<long>(info->bmiHeader.biSizeImage);
  if (request->cbAlign <= 0) request->cbAlign = 1;
  ALLOCATOR_PROPERTIES actual{};
  const HRESULT hr = allocator->SetProperties(request, &actual);
  if (FAILED(hr)) return hr;
  return actual.cbBuffer >= request->cbBuffer ? S_OK : E_FAIL;
}

HRESULT ProbeFilter::GetMediaType(int position, AM_MEDIA_TYPE* type) {
  if (position < 0) return E_INVALIDARG;
  if (position > 0) return VFW_S_NO_MORE_ITEMS;
  return dshow::CopyMediaType(type, Input().ConnectionType());
}

HRESULT ProbeFilter::Transform(IMediaSample* input, IMediaSample* output) {
  BYTE* in = nullptr;
  BYTE* out = nullptr;
  input->GetPointer(&in);
  output->GetPointer(&out);
  const long length = std::min(input->GetActualDataLength(), output->GetSize());
  std::memcpy(out, in, static_cast<std::size_t>(length));
  output->SetActualDataLength(length);
  SampleRecord record;
  const HRESULT timed = input->GetTime(&record.start, &record.stop);
  record.timed = timed == S_OK || timed == VFW_S_NO_STOP_TIME;
  record.mediaTimed = input->GetMediaTime(&record.mediaStart, &record.mediaStop) == S_OK;
  try {
    record.data.assign(in, in + length);
    std::lock_guard<std::mutex> lock(mutex_);
    records_.push_back(std::move(record));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

std::vector<SampleRecord> ProbeFilter::Records() {
  std::lock_guard<std::mutex> lock(mutex_);
  return records_;
}

// ---- StingyAllocator

HRESULT StingyAllocator::Create(IMemAllocator** allocator) {
  IMemAllocator* inner = nullptr;
  const HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                      reinterpret_cast<void**>(&inner));
  if (FAILED(hr)) return hr;
  *allocator = new StingyAllocator(inner);
  return S_OK;
}

STDMETHODIMP StingyAllocator::QueryInterface(REFIID riid, void** object) {
  if (riid == IID_IUnknown || riid == IID_IMemAllocator) {
    *object = static_cast<IMemAllocator*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) StingyAllocator::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) StingyAllocator::Release() {
  const long left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

STDMETHODIMP StingyAllocator::SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) {
  ALLOCATOR_PROPERTIES less = *request;
  less.cbBuffer = request->cbBuffer / 2;
  return inner_->SetProperties(&less, actual);
}

STDMETHODIMP StingyAllocator::GetProperties(ALLOCATOR_PROPERTIES* properties) {
  return inner_->GetProperties(properties);
}
STDMETHODIMP StingyAllocator::Commit() {
  return inner_->Commit();
}
STDMETHODIMP StingyAllocator::Decommit() {
  return inner_->Decommit();
}
STDMETHODIMP StingyAllocator::GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                        DWORD flags) {
  return inner_->GetBuffer(sample, start, stop, flags);
}
STDMETHODIMP StingyAllocator::ReleaseBuffer(IMediaSample* sample) {
  return inner_->ReleaseBuffer(sample);
}

// ---- StingySink

StingyInputPin::StingyInputPin(StingySink& filter) : InputPinBase(filter, L"Input") {
  StingyAllocator::Create(&stingy_);
}

StingyInputPin::~StingyInputPin() {
  if (stingy_ != nullptr) stingy_->Release();
}

STDMETHODIMP StingyInputPin::GetAllocator(IMemAllocator** allocator) {
  if (stingy_ == nullptr) return VFW_E_NO_ALLOCATOR;
  *allocator = stingy_;
  stingy_->AddRef();
  return S_OK;
}

STDMETHODIMP StingyInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
  if (allocator != stingy_) return E_FAIL;
  return InputPinBase::NotifyAllocator(allocator, readOnly);
}

HRESULT StingyInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  return type.majortype == MEDIATYPE_Video ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

StingySink::StingySink() : FilterBase(kStingyClassId, L"Stingy Sink", dshow::Ownership::kHeldByValue), input_(*this) {}

// ---- Graph

Graph::Graph() {
  CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                   reinterpret_cast<void**>(&graph_));
}

Graph::~Graph() {
  if (control_ != nullptr) {
    control_->Stop();
    control_->Release();
  }
  if (graph_ != nullptr) {
    // Remove every filter so that nothing keeps a reference to the filters held by value.
    for (IBaseFilter* filter : added_) {
      graph_->RemoveFilter(filter);
      filter->Release();
    }
    graph_->Release();
  }
}

HRESULT Graph::Add(IBaseFilter* filter, const wchar_t* name) {
  const HRESULT hr = graph_->AddFilter(filter, name);
  if (SUCCEEDED(hr)) {
    filter->AddRef();
    added_.push_back(filter);
  }
  return hr;
}

HRESULT Graph::Connect(IBaseFilter* from, IBaseFilter* to) {
  IPin* out = FirstPin(from, PINDIR_OUTPUT);
  IPin* in = FirstPin(to, PINDIR_INPUT);
  const HRESULT hr = out != nullptr && in != nullptr ? Connect(out, in) : E_FAIL;
  if (out != nullptr) out->Release();
  if (in != nullptr) in->Release();
  return hr;
}

HRESULT Graph::RunFor(DWORD milliseconds) {
  if (control_ == nullptr && FAILED(graph_->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control_)))) {
    return E_NOINTERFACE;
  }
  const HRESULT hr = control_->Run();
  if (FAILED(hr)) return hr;
  Sleep(milliseconds);
  return control_->Stop();
}

// ---- helpers

std::wstring DefaultCameraDllPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length < MAX_PATH ? length : 0);
  folder = folder.substr(0, folder.find_last_of(L"\\/") + 1);
  const std::wstring beside = folder + L"zuna_synthetic_camera.dll";
  if (GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES) return beside;
  // The build tree: tests\win\ beside fixtures\.
  return folder + L"..\\..\\fixtures\\zuna_synthetic_camera.dll";
}

HRESULT CreateSyntheticCamera(const std::wstring& dllPath, int camera, IBaseFilter** filter) {
  *filter = nullptr;
  if (camera < 1 || camera > 2) return E_INVALIDARG;
  HMODULE module = LoadLibraryW(dllPath.c_str());  // stays loaded for the process
  if (module == nullptr) return HRESULT_FROM_WIN32(GetLastError());
  using GetClassObject = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
  auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  if (get == nullptr) return E_NOINTERFACE;
  IClassFactory* factory = nullptr;
  HRESULT hr = get(kCameraClassIds[camera - 1], IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter));
  factory->Release();
  return hr;
}

IPin* FirstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
  IEnumPins* pins = nullptr;
  if (FAILED(filter->EnumPins(&pins))) return nullptr;
  IPin* pin = nullptr;
  IPin* found = nullptr;
  while (found == nullptr && pins->Next(1, &pin, nullptr) == S_OK) {
    PIN_DIRECTION actual;
    if (SUCCEEDED(pin->QueryDirection(&actual)) && actual == direction) {
      found = pin;
    } else {
      pin->Release();
    }
  }
  pins->Release();
  return found;
}

AM_MEDIA_TYPE VideoType(const GUID& subtype, int width, int height, int bitCount, REFERENCE_TIME frameTime) {
  AM_MEDIA_TYPE type{};
  auto* info = static_cast<VIDEOINFOHEADER*>(CoTaskMemAlloc(sizeof(VIDEOINFOHEADER)));
  *info = VIDEOINFOHEADER{};
  info->AvgTimePerFrame = frameTime;
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = width;
  info->bmiHeader.biHeight = height;
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(bitCount);
  info->bmiHeader.biCompression = subtype == MEDIASUBTYPE_YUY2 ? MAKEFOURCC('Y', 'U', 'Y', '2') : BI_RGB;
  info->bmiHeader.biSizeImage = static_cast<DWORD>(((width * bitCount / 8 + 3) & ~3) * height);
  type.majortype = MEDIATYPE_Video;
  type.subtype = subtype;
  type.bFixedSizeSamples = TRUE;
  type.lSampleSize = info->bmiHeader.biSizeImage;
  type.formattype = FORMAT_VideoInfo;
  type.cbFormat = sizeof(VIDEOINFOHEADER);
  type.pbFormat = reinterpret_cast<BYTE*>(info);
  return type;
}

HRESULT ChooseFormat(IBaseFilter* camera, const AM_MEDIA_TYPE& type) {
  IPin* pin = FirstPin(camera, PINDIR_OUTPUT);
  if (pin == nullptr) return E_FAIL;
  IAMStreamConfig* config = nullptr;
  HRESULT hr = pin->QueryInterface(IID_IAMStreamConfig, reinterpret_cast<void**>(&config));
  pin->Release();
  if (FAILED(hr)) return hr;
  hr = config->SetFormat(const_cast<AM_MEDIA_TYPE*>(&type));
  config->Release();
  return hr;
}

HRESULT ChooseFormat(IBaseFilter* camera, const GUID& subtype, int width, int height, int bits, REFERENCE_TIME t) {
  AM_MEDIA_TYPE type = VideoType(subtype, width, height, bits, t);
  const HRESULT hr = ChooseFormat(camera, type);
  dshow::FreeMediaType(type);
  return hr;
}

}  // namespace zuna::dshow_test
