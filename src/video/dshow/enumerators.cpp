#include "video/dshow/enumerators.h"

#include <new>

#include "video/dshow/media_type.h"

namespace zuna::dshow {

// ---- PinEnumerator

PinEnumerator::PinEnumerator(const std::vector<IPin*>& pins) : pins_(pins) {
  for (IPin* pin : pins_) pin->AddRef();
}

PinEnumerator::~PinEnumerator() {
  for (IPin* pin : pins_) pin->Release();
}

HRESULT PinEnumerator::Create(const std::vector<IPin*>& pins, IEnumPins** result) {
  if (result == nullptr) return E_POINTER;
  *result = nullptr;
  try {
    *result = new PinEnumerator(pins);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

STDMETHODIMP PinEnumerator::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IEnumPins) {
    *object = static_cast<IEnumPins*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) PinEnumerator::AddRef() {
  return ++references_;
}

STDMETHODIMP_(ULONG) PinEnumerator::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP PinEnumerator::Next(ULONG count, IPin** pins, ULONG* fetched) {
  if (pins == nullptr) return E_POINTER;
  if (count != 1 && fetched == nullptr) return E_INVALIDARG;
  ULONG given = 0;
  while (given < count && position_ < pins_.size()) {
    pins[given] = pins_[position_++];
    pins[given]->AddRef();
    ++given;
  }
  if (fetched != nullptr) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP PinEnumerator::Skip(ULONG count) {
  if (count > pins_.size() - position_) {
    position_ = pins_.size();
    return S_FALSE;
  }
  position_ += count;
  return S_OK;
}

STDMETHODIMP PinEnumerator::Reset() {
  position_ = 0;
  return S_OK;
}

STDMETHODIMP PinEnumerator::Clone(IEnumPins** result) {
  if (result == nullptr) return E_POINTER;
  PinEnumerator* copy = nullptr;
  try {
    copy = new PinEnumerator(pins_);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  copy->position_ = position_;
  *result = copy;
  return S_OK;
}

// ---- MediaTypeEnumerator

MediaTypeEnumerator::~MediaTypeEnumerator() {
  for (AM_MEDIA_TYPE& type : types_) FreeMediaType(type);
}

HRESULT MediaTypeEnumerator::Create(const std::vector<const AM_MEDIA_TYPE*>& types, IEnumMediaTypes** result) {
  if (result == nullptr) return E_POINTER;
  *result = nullptr;
  auto* enumerator = new (std::nothrow) MediaTypeEnumerator();
  if (enumerator == nullptr) return E_OUTOFMEMORY;
  try {
    enumerator->types_.reserve(types.size());
  } catch (const std::bad_alloc&) {
    enumerator->Release();
    return E_OUTOFMEMORY;
  }
  for (const AM_MEDIA_TYPE* type : types) {
    AM_MEDIA_TYPE copy{};
    if (FAILED(CopyMediaType(&copy, *type))) {
      enumerator->Release();
      return E_OUTOFMEMORY;
    }
    enumerator->types_.push_back(copy);  // reserved: cannot throw
  }
  *result = enumerator;
  return S_OK;
}

STDMETHODIMP MediaTypeEnumerator::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IEnumMediaTypes) {
    *object = static_cast<IEnumMediaTypes*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) MediaTypeEnumerator::AddRef() {
  return ++references_;
}

STDMETHODIMP_(ULONG) MediaTypeEnumerator::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP MediaTypeEnumerator::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
  if (types == nullptr) return E_POINTER;
  if (count != 1 && fetched == nullptr) return E_INVALIDARG;
  ULONG given = 0;
  while (given < count && position_ < types_.size()) {
    AM_MEDIA_TYPE* copy = CreateMediaType(types_[position_]);
    if (copy == nullptr) {
      for (ULONG i = 0; i < given; ++i) DeleteMediaType(types[i]);
      if (fetched != nullptr) *fetched = 0;
      return E_OUTOFMEMORY;
    }
    types[given++] = copy;
    ++position_;
  }
  if (fetched != nullptr) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP MediaTypeEnumerator::Skip(ULONG count) {
  if (count > types_.size() - position_) {
    position_ = types_.size();
    return S_FALSE;
  }
  position_ += count;
  return S_OK;
}

STDMETHODIMP MediaTypeEnumerator::Reset() {
  position_ = 0;
  return S_OK;
}

STDMETHODIMP MediaTypeEnumerator::Clone(IEnumMediaTypes** result) {
  if (result == nullptr) return E_POINTER;
  std::vector<const AM_MEDIA_TYPE*> view;
  try {
    for (const AM_MEDIA_TYPE& type : types_) view.push_back(&type);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  HRESULT hr = Create(view, result);
  if (SUCCEEDED(hr)) static_cast<MediaTypeEnumerator*>(*result)->position_ = position_;
  return hr;
}

}  // namespace zuna::dshow
