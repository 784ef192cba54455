/// \file
/// RunUninstaller: the Administrators check, the one question, the removal in its order
/// (programs, links, registry, the uninstaller itself) and the report.
#include "uninstall/uninstall.h"

static const WCHAR kAdminText[] = L"You must be logged in as an administrator to remove this software.";
static const WCHAR kQuestion[] = L"Remove Tevorlyn App Pack and all of its components?";

int RunUninstaller(HINSTANCE instance) {
  if (!IsUserAdmin()) {
    MessageBoxW(NULL, kAdminText, UNINSTALL_CAPTION, MB_OK | MB_ICONWARNING);
    return 0;
  }
  // Anything but Yes, a box that could not be shown included, changes nothing.
  if (MessageBoxW(NULL, kQuestion, UNINSTALL_CAPTION, MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;

  // Large (the report holds whole paths): kept off the stack.
  static Uninstaller uninstaller;
  ZeroMemory(&uninstaller, sizeof uninstaller);
  BOOL located = FindOwnLocation(&uninstaller, (HMODULE)instance);
  if (located) {
    RemoveProgramFiles(&uninstaller);
  } else {
    ReportFailure(&uninstaller.report, L"The programs (the uninstaller's own folder is unknown)", NULL);
  }
  RemoveShortcuts(&uninstaller);
  RemoveRegistryEntries(&uninstaller);
  if (located) ScheduleSelfRemoval(&uninstaller);
  ShowOutcome(&uninstaller.report);
  return 0;
}
