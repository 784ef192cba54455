/// \file
/// The GDI32 subset: fake device contexts that remember the colours set on them, and stock
/// objects as fixed fake handles.
#include "user_state.h"

namespace winsim {
namespace {

// A new device context starts as the platform's does: white background, black text,
// white DC brush.
const DcColors kFreshDc = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)};

std::map<HDC, DcColors> &Contexts() {
  static std::map<HDC, DcColors> contexts;
  return contexts;
}

COLORREF Swap(HDC dc, COLORREF DcColors::*field, COLORREF color) {
  EnsureReady();
  auto it = Contexts().find(dc);
  if (it == Contexts().end()) return CLR_INVALID;
  COLORREF previous = it->second.*field;
  it->second.*field = color;
  return previous;
}

}  // namespace

HDC NewDeviceContext() {
  static uintptr_t next = 0xDC0000;
  next += 4;
  Contexts()[(HDC)next] = kFreshDc;
  return (HDC)next;
}

DcColors DeviceContextColors(HDC dc) {
  auto it = Contexts().find(dc);
  return it == Contexts().end() ? kFreshDc : it->second;
}

void ResetGdi() { Contexts().clear(); }

}  // namespace winsim

using namespace winsim;

extern "C" COLORREF WINAPI SetDCBrushColor(HDC dc, COLORREF color) { return Swap(dc, &DcColors::brush, color); }
extern "C" COLORREF WINAPI SetBkColor(HDC dc, COLORREF color) { return Swap(dc, &DcColors::background, color); }
extern "C" COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) { return Swap(dc, &DcColors::text, color); }

extern "C" HGDIOBJ WINAPI GetStockObject(int object) {
  if (object < 0 || object > DC_PEN) return nullptr;
  return (HGDIOBJ)(uintptr_t)(0x5700000 + object * 0x10);
}
