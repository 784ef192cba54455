/// \file
/// DpiInset: the licence text's margin for a DPI, (dpi * 5) / 96 whole pixels, at most 20.
#include "shell/shell.h"

int DpiInset(UINT dpi) {
  UINT inset = dpi * 5 / 96;
  return inset >= 20 ? 20 : (int)inset;
}
