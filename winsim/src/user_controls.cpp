/// \file
/// Built-in behaviour of the predefined control classes: BUTTON (clicks, check boxes), EDIT
/// (text, formatting rectangle) and LISTBOX (lines, top index, horizontal extent).
#include "user_state.h"

namespace winsim {
namespace {

bool HoldsCheck(DWORD style) {
  DWORD type = style & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == 4 /* radio */ ||
         type == 5 /* 3-state */ || type == 6 /* auto 3-state */ || type == 9 /* auto radio */;
}

// A person cannot click what they cannot see or what does not take input; children of a
// disabled window are implicitly disabled.
LRESULT ClickButton(HWND button) {
  Window *w = Win(button);
  DWORD type = w->style & BS_TYPEMASK;
  if (type == BS_GROUPBOX || !EnabledChain(button) || !VisibleChain(button)) return 0;
  if (type == BS_AUTOCHECKBOX) w->check = w->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
  // A mouse click moves the focus to the button before it reports the click.
  SetFocus(button);
  HWND parent = w->parent;
  int id = w->id;
  if (Win(parent)) SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
  return 0;
}

}  // namespace

LRESULT ButtonProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window *w = Win(hwnd);
  switch (message) {
    case BM_CLICK:
      return ClickButton(hwnd);
    case WM_KEYDOWN:
      return wparam == VK_SPACE ? ClickButton(hwnd) : 0;
    case BM_GETCHECK:
      return HoldsCheck(w->style) ? w->check : BST_UNCHECKED;
    case BM_SETCHECK:
      if (HoldsCheck(w->style)) w->check = (int)wparam;
      return 0;
    default:
      return DefaultProcedure(hwnd, message, wparam, lparam);
  }
}

// The formatting rectangle starts as the whole client area, with no margins.
LRESULT EditProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window *w = Win(hwnd);
  switch (message) {
    case EM_GETRECT:
      if (lparam) *(RECT *)lparam = w->format_rect;
      return 0;
    case EM_SETRECT:
      // Accepted for single-line edits too; a null rectangle restores the default.
      if (lparam) w->format_rect = *(const RECT *)lparam;
      else GetClientRect(hwnd, &w->format_rect);
      return 0;
    default:
      return DefaultProcedure(hwnd, message, wparam, lparam);
  }
}

LRESULT ListBoxProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window *w = Win(hwnd);
  auto &items = w->items;
  int count = (int)items.size();
  switch (message) {
    case LB_ADDSTRING: {
      std::u16string line = ToU16((LPCWSTR)lparam);
      size_t at = items.size();
      if (w->style & LBS_SORT) {
        std::vector<WCHAR> a(line.begin(), line.end());
        a.push_back(0);
        for (at = 0; at < items.size(); ++at) {
          std::vector<WCHAR> b(items[at].begin(), items[at].end());
          b.push_back(0);
          if (lstrcmpiW(a.data(), b.data()) < 0) break;
        }
      }
      items.insert(items.begin() + (ptrdiff_t)at, line);
      return (LRESULT)at;
    }
    case LB_RESETCONTENT:
      items.clear();
      w->top_index = 0;
      return 0;
    case LB_GETCOUNT:
      return count;
    case LB_GETTEXTLEN:
      return wparam < items.size() ? (LRESULT)items[wparam].size() : LB_ERR;
    case LB_GETTEXT:
      // The caller sizes the buffer from LB_GETTEXTLEN: the whole line is copied.
      if (wparam >= items.size()) return LB_ERR;
      return CopyOut(items[wparam], (LPWSTR)lparam, items[wparam].size() + 1);
    case LB_SETTOPINDEX:
      if (wparam >= items.size() && wparam != 0) return LB_ERR;
      w->top_index = (int)wparam;
      return 0;
    case LB_GETTOPINDEX:
      return w->top_index;
    case LB_SETHORIZONTALEXTENT:
      w->horizontal_extent = (int)wparam;
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return w->horizontal_extent;
    default:
      return DefaultProcedure(hwnd, message, wparam, lparam);
  }
}

}  // namespace winsim
