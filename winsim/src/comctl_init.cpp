/// \file
/// InitCommonControlsEx: registers the common-control classes that dialog templates may
/// name afterwards (only the progress bar is modelled).
#include "user_state.h"

extern "C" BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX *init) {
  winsim::EnsureReady();
  if (winsim::Injected("InitCommonControlsEx", nullptr)) return FALSE;
  if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  winsim::User().common_controls |= init->dwICC;
  return TRUE;
}
