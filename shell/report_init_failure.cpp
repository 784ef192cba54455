/// \file
/// The one start-up failure message. The main window never exists yet where it is shown, so
/// the box has no owner.
#include "shell/shell.h"

void ReportInitFailure(void) {
  MessageBoxA(g_setup->main_window, "Setup initialization failed.", "Error", MB_OK | MB_ICONERROR);
}
