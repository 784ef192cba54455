/// \file
/// IsDialogMessageW: the dialog manager's keyboard interface (Enter, Escape, Tab) for the
/// messages of a dialog's own windows; it dispatches every other such message itself.
#include "user_state.h"

namespace winsim {
namespace {

HWND ControlById(HWND dialog, int id) {
  for (HWND c : DialogControls(dialog))
    if (Win(c)->id == id) return c;
  return nullptr;
}

bool IsPushButton(HWND hwnd) {
  Window *w = Win(hwnd);
  DWORD type = w ? w->style & BS_TYPEMASK : BS_GROUPBOX;
  return w && w->kind == Kind::kButton && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

// Enter: a push button that has the focus acts as the default button while it has it;
// otherwise the default button's command, unless that button is disabled or hidden, in which
// case the key is swallowed. Without any default button the dialog gets IDOK.
void PressEnter(HWND dialog) {
  HWND focus = User().focus;
  int id;
  HWND button;
  if (focus != dialog && IsDescendant(dialog, focus) && IsPushButton(focus)) {
    id = Win(focus)->id;
    button = focus;
  } else {
    LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
    if (!Win(dialog)) return;
    id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
    button = ControlById(dialog, id);
  }
  if (button) {
    DWORD style = Win(button)->style;
    if ((style & WS_DISABLED) || !(style & WS_VISIBLE)) return;
  }
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

// Escape: IDCANCEL whether or not the dialog has a Cancel button.
void PressEscape(HWND dialog) {
  HWND cancel = ControlById(dialog, IDCANCEL);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)cancel);
}

}  // namespace
}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI IsDialogMessageW(HWND dialog, LPMSG msg) {
  EnsureReady();
  if (!msg || !Win(dialog) || !msg->hwnd || !IsDescendant(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN) {
    switch (msg->wParam) {
      case VK_RETURN:
        PressEnter(dialog);
        return TRUE;
      case VK_ESCAPE:
        PressEscape(dialog);
        return TRUE;
      case VK_TAB: {
        HWND next = NextTabStop(dialog, GetFocus(), false);
        if (next) SetFocus(next);
        return TRUE;
      }
      default:
        break;
    }
  }
  DispatchMessageW(msg);
  return TRUE;
}
