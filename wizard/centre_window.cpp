/// \file
/// CentreWindow: the frame centred on the primary monitor's work area, in signed arithmetic;
/// a frame larger than the work area gets a negative offset and is not clamped.
#include "wizard/wizard.h"

void CentreWindow(HWND window) {
  RECT frame = {0, 0, 0, 0};
  RECT work;
  GetWindowRect(window, &frame);
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    // Without a work area the whole screen is the next best thing.
    work.left = work.top = 0;
    work.right = GetSystemMetrics(SM_CXSCREEN);
    work.bottom = GetSystemMetrics(SM_CYSCREEN);
  }
  int x = work.left + ((work.right - work.left) - (frame.right - frame.left)) / 2;
  int y = work.top + ((work.bottom - work.top) - (frame.bottom - frame.top)) / 2;
  SetWindowPos(window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
