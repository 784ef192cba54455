/// \file
/// Window and dialog-item text (through WM_SETTEXT/WM_GETTEXT, as the platform does for
/// windows of the calling thread), check-box shortcuts, and 8-bit text conversion.
#include "picker_hooks.h"
#include "user_state.h"

namespace winsim {

std::vector<WCHAR> FromAnsi(LPCSTR text) {
  // 0x80..0x9F of Windows-1252; the five unassigned bytes map to the same C1 code points.
  static const WCHAR kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::vector<WCHAR> out;
  for (size_t i = 0; text && text[i]; ++i) {
    uint8_t b = (uint8_t)text[i];
    out.push_back(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : (WCHAR)b);
  }
  out.push_back(0);
  return out;
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!IsWindow(hwnd) && PickerSetText(hwnd, text)) return TRUE;  // the folder picker's caption
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return SendMessageW(hwnd, WM_SETTEXT, 0, (LPARAM)text) != 0;
}

extern "C" int WINAPI GetWindowTextW(HWND hwnd, LPWSTR buffer, int max_count) {
  if (buffer && max_count > 0) buffer[0] = 0;
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (!buffer || max_count <= 0) return 0;
  return (int)SendMessageW(hwnd, WM_GETTEXT, (WPARAM)max_count, (LPARAM)buffer);
}

extern "C" int WINAPI GetWindowTextLengthW(HWND hwnd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return (int)SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
}

extern "C" BOOL WINAPI SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SetWindowTextW(control, text) : FALSE;
}

extern "C" BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  std::vector<WCHAR> wide = FromAnsi(text);
  return SetDlgItemTextW(dialog, id, wide.data());
}

extern "C" UINT WINAPI GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int max_count) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) {
    if (buffer && max_count > 0) buffer[0] = 0;
    return 0;
  }
  return (UINT)GetWindowTextW(control, buffer, max_count);
}

extern "C" BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return FALSE;
  SendMessageW(control, BM_SETCHECK, check, 0);
  return TRUE;
}

extern "C" UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control ? (UINT)SendMessageW(control, BM_GETCHECK, 0, 0) : 0;
}
