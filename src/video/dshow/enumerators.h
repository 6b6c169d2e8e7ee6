#pragma once
// IEnumPins and IEnumMediaTypes over a snapshot taken when the enumerator is made. A filter's pins
// and a pin's types only change while the graph is stopped, and a snapshot can never point at
// something that went away under the caller.
#include <dshow.h>

#include <atomic>
#include <vector>

namespace zuna::dshow {

class PinEnumerator final : public IEnumPins {
 public:
  // Holds a reference to each pin; a new enumerator starts with a reference count of 1.
  static HRESULT Create(const std::vector<IPin*>& pins, IEnumPins** result);

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumPins** result) override;

 private:
  explicit PinEnumerator(const std::vector<IPin*>& pins);
  ~PinEnumerator();

  std::atomic<ULONG> references_{1};
  std::vector<IPin*> pins_;
  std::size_t position_ = 0;  // the caller serialises calls on one enumerator
};

class MediaTypeEnumerator final : public IEnumMediaTypes {
 public:
  // Takes copies of the types; a new enumerator starts with a reference count of 1.
  static HRESULT Create(const std::vector<const AM_MEDIA_TYPE*>& types, IEnumMediaTypes** result);

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumMediaTypes** result) override;

 private:
  MediaTypeEnumerator() = default;
  ~MediaTypeEnumerator();

  std::atomic<ULONG> references_{1};
  std::vector<AM_MEDIA_TYPE> types_;
  std::size_t position_ = 0;
};

}  // namespace zuna::dshow
