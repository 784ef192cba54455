/// \file
/// The main frame's dialog procedure: builds the wizard, paces the install steps on timer 1,
/// follows DPI changes, and closes only when no installation is running.
#include "install/install.h"
#include "resources/resource_ids.h"
#include "shell/shell.h"
#include "wizard/wizard.h"

static void OnInitDialog(HWND window) {
  if (!BuildWizard(window)) {
    ReportInitFailure();
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
}

static void OnTimer(void) {
  SetupState *state = g_setup;
  if (state->pending_step != 0) RunInstallStep(state->pending_step - 1);
}

static void OnArmStep(WPARAM step) {
  // Only the nine steps exist; a step number from anywhere else is ignored rather than run.
  if (step <= SETUP_LAST_STEP) g_setup->pending_step = (DWORD)step + 1;
}

static void OnDpiChanged(WPARAM wParam) {
  int inset = DpiInset(HIWORD(wParam));
  InsetEditRect(GetDlgItem(g_setup->pages[PAGE_LICENSE], IDC_LICENSE_TEXT), inset, inset);
}

static void OnClose(void) {
  SetupState *state = g_setup;
  if (state->run_state == RUN_INSTALLING) return;  // refused: the steps run to their end
  KillTimer(state->main_window, SETUP_TIMER_ID);
  state->run_state = RUN_CLOSING;
  DestroyWindow(state->main_window);
}

static void OnDestroy(void) {
  if (g_setup->run_state == RUN_CLOSING) PostQuitMessage(0);
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return TRUE;
    case WM_TIMER: OnTimer(); return TRUE;
    case WM_APP: OnArmStep(wParam); return TRUE;
    case WM_DPICHANGED: OnDpiChanged(wParam); return TRUE;
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_DESTROY: OnDestroy(); return TRUE;
  }
  return FALSE;
}
