/// \file
/// Keyboard navigation inside a dialog: the controls in tab order (template order, entering
/// child windows marked WS_EX_CONTROLPARENT), tab stops, and the default push button.
#include "user_state.h"

namespace winsim {
namespace {

bool OwnVisibleEnabled(const Window &w) { return (w.style & WS_VISIBLE) && !(w.style & WS_DISABLED); }

void Collect(HWND parent, std::vector<HWND> *out) {
  Window *p = Win(parent);
  if (!p) return;
  for (HWND c : p->children) {
    Window *w = Win(c);
    if (w->ex_style & WS_EX_CONTROLPARENT) {
      if (OwnVisibleEnabled(*w)) Collect(c, out);
    } else {
      out->push_back(c);
    }
  }
}

// Tab navigation looks at each control's own style bits, so a dialog being set up (not yet
// shown) already has tab stops.
bool IsTabStop(HWND hwnd) {
  Window *w = Win(hwnd);
  return w && (w->style & WS_TABSTOP) && OwnVisibleEnabled(*w);
}

}  // namespace

std::vector<HWND> DialogControls(HWND dialog) {
  std::vector<HWND> out;
  Collect(dialog, &out);
  return out;
}

HWND FirstTabStop(HWND dialog) {
  for (HWND c : DialogControls(dialog))
    if (IsTabStop(c)) return c;
  return nullptr;
}

HWND NextTabStop(HWND dialog, HWND from, bool previous) {
  std::vector<HWND> all = DialogControls(dialog);
  size_t n = all.size(), at = n;
  for (size_t i = 0; i < n; ++i)
    if (all[i] == from) at = i;
  if (at == n) at = previous ? 0 : n - 1;  // from outside: start at the first (or last)
  for (size_t step = 1; step <= n; ++step) {
    size_t i = previous ? (at + n - step) % n : (at + step) % n;
    if (IsTabStop(all[i])) return all[i];
  }
  return nullptr;
}

HWND DefaultButton(HWND dialog) {
  for (HWND c : DialogControls(dialog)) {
    Window *w = Win(c);
    if (w->kind == Kind::kButton && (w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return c;
  }
  return nullptr;
}

}  // namespace winsim
