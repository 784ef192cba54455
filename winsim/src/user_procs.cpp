/// \file
/// Synchronous message delivery: SendMessageW reaches the window's procedure directly. A
/// dialog's procedure runs first and the dialog manager's defaults run when it returns FALSE.
#include "picker_hooks.h"
#include "user_state.h"

namespace winsim {
namespace {

bool IsCtlColor(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

LRESULT DialogProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  DLGPROC proc = Win(dialog)->dialog_proc;
  INT_PTR handled = proc ? proc(dialog, message, wparam, lparam) : 0;
  // For these messages the dialog procedure's value is the result itself (a brush, a focus
  // flag), not a handled flag; a null brush still asks for the default colours.
  if (message == WM_INITDIALOG) return handled;
  if (IsCtlColor(message) && handled) return handled;
  // Results of other handled messages would travel through DWLP_MSGRESULT, not modelled.
  if (handled || !Win(dialog)) return 0;
  return DialogDefault(dialog, message, wparam, lparam);
}

}  // namespace

LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window *w = Win(hwnd);
  if (!w) return 0;
  switch (w->kind) {
    case Kind::kDialog: return DialogProcedure(hwnd, message, wparam, lparam);
    case Kind::kButton: return ButtonProcedure(hwnd, message, wparam, lparam);
    case Kind::kEdit: return EditProcedure(hwnd, message, wparam, lparam);
    case Kind::kListBox: return ListBoxProcedure(hwnd, message, wparam, lparam);
    case Kind::kProgress: return ProgressProcedure(hwnd, message, wparam, lparam);
    default: return DefaultProcedure(hwnd, message, wparam, lparam);
  }
}

LRESULT DialogDefault(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NEXTDLGCTL: {
      HWND target = LOWORD(lparam) ? (HWND)wparam : NextTabStop(dialog, User().focus, wparam != 0);
      if (Win(target)) SetFocus(target);
      return 0;
    }
    case WM_CLOSE: {
      // The dialog manager posts the Cancel command, and refuses while Cancel is disabled.
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) return 0;
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)cancel);
      return 0;
    }
    case DM_GETDEFID: {
      HWND button = DefaultButton(dialog);
      return button ? MAKELRESULT(Win(button)->id, DC_HASDEFID) : 0;
    }
    default:
      if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return 0;
      return DefaultProcedure(dialog, message, wparam, lparam);
  }
}

LRESULT DefaultProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window *w = Win(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_SETTEXT:
      w->text = ToU16((LPCWSTR)lparam);
      return TRUE;
    case WM_GETTEXT:
      return CopyOut(w->text, (LPWSTR)lparam, wparam);
    case WM_GETTEXTLENGTH:
      return (LRESULT)w->text.size();
    case WM_SETFONT:
      w->font = (HFONT)wparam;
      return 0;
    case WM_GETFONT:
      return (LRESULT)w->font;
    case WM_SETICON: {
      if (wparam != ICON_SMALL && wparam != ICON_BIG) return 0;
      HICON previous = w->icons[wparam];
      w->icons[wparam] = (HICON)lparam;
      return (LRESULT)previous;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    default:
      return 0;
  }
}

}  // namespace winsim

using namespace winsim;

extern "C" LRESULT WINAPI SendMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  EnsureReady();
  // The folder picker's window belongs to the shell side of winsim.
  LRESULT picker_result = 0;
  if (!Win(hwnd) && PickerHandleMessage(hwnd, message, wparam, lparam, &picker_result)) return picker_result;
  if (!Win(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return WindowProcedure(hwnd, message, wparam, lparam);
}

extern "C" LRESULT WINAPI SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SendMessageW(control, message, wparam, lparam) : 0;
}
