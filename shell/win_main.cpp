/// \file
/// Process entry: the start-up sequence with its failure paths, then the message loop.
/// Every path releases the payload block and ends with exit code 0.

#include <windows.h>
#include <objbase.h>
#include <commctrl.h>

#include "resources/resource_ids.h"
#include "shell/shell.h"

static const char kAdminText[] = "You must be logged in as an administrator to install this software.";
static const char kAdminCaption[] = "Tevorlyn App Pack";

// Start-up from the common controls on, with COM initialised; ends after the message loop or
// at the first failure.
static void RunSetup(SetupState *state, MSG *msg) {
  INITCOMMONCONTROLSEX controls;
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES;
  if (!InitCommonControlsEx(&controls)) return;
  if (!PrepareSetup()) {
    ReportInitFailure();
    return;
  }
  // The payload is verified before this check, so a damaged installer says so even to a
  // user who is not an administrator.
  if (!IsUserAdmin()) {
    MessageBoxA(NULL, kAdminText, kAdminCaption, MB_OK | MB_ICONWARNING);
    return;
  }
  state->main_window = CreateDialogParamW(state->instance, MAKEINTRESOURCEW(IDD_MAIN), NULL, MainDialogProc, 0);
  if (!state->main_window) {
    ReportInitFailure();
    return;
  }
  RunMessageLoop(state, msg);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // First act: later DLL loads (by COM, the shell, common controls) come from System32 only.
  RestrictDllSearch();
  SetupState state;
  MSG msg;
  ZeroMemory(&state, sizeof state);
  InitSetupState(&state);
  state.instance = instance;
  g_setup = &state;
  msg.message = 0;
  msg.wParam = 0;

  // S_FALSE (already initialised) counts as success; a failure skips CoUninitialize too.
  if (SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED))) {
    RunSetup(&state, &msg);
    CoUninitialize();
  }
  FreeOutputBuffer(&state.output);
  return (int)msg.wParam;
}
