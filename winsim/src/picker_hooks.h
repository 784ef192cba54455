/// \file
/// How the GUI layer hands winsim's folder picker what the product does to the picker window:
/// SetWindowTextW and SendMessageW on a handle the GUI layer does not own come here first.
#pragma once

#include <windows.h>

namespace winsim {

// True when `window` is a picker whose callback is running; its caption is then recorded.
bool PickerSetText(HWND window, LPCWSTR text);
// True when `window` is such a picker: BFFM_SETOKTEXT, BFFM_SETSELECTIONW, BFFM_SETSTATUSTEXTW,
// BFFM_ENABLEOK and WM_SETTEXT are recorded; *result (if given) receives 0.
bool PickerHandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT *result);

}  // namespace winsim
