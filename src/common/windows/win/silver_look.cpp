#include "common/windows/win/silver_look.h"

namespace zuna {
namespace {

constexpr COLORREF kSilver = RGB(192, 192, 192);

}  // namespace

HBRUSH SilverBrush() {
  static HBRUSH silver = CreateSolidBrush(kSilver);
  return silver;
}

LRESULT BlackOnSilver(WPARAM deviceContext) {
  HDC dc = reinterpret_cast<HDC>(deviceContext);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, kSilver);
  return reinterpret_cast<LRESULT>(SilverBrush());
}

}  // namespace zuna
