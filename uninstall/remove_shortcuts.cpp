/// \file
/// RemoveShortcuts: the programs' links in the common Start Menu's "Tevorlyn" folder, then the
/// folder itself when nothing else is left in it.
#include <windows.h>
#include <shlobj.h>

#include "uninstall/uninstall.h"

void RemoveShortcuts(Uninstaller *uninstaller) {
  WCHAR programs[UNINSTALL_PATH_UNITS];
  WCHAR menu[UNINSTALL_PATH_UNITS];
  // The shell writes at most MAX_PATH units here.
  if (SHGetFolderPathW(NULL, CSIDL_COMMON_PROGRAMS, NULL, SHGFP_TYPE_CURRENT, programs) != S_OK ||
      !JoinPath(menu, UNINSTALL_PATH_UNITS, programs, L"\\" UNINSTALL_MENU_FOLDER L"\\", NULL)) {
    ReportFailure(&uninstaller->report, L"Start Menu folder " UNINSTALL_MENU_FOLDER, NULL);
    return;
  }
  for (LPCWSTR name : UNINSTALL_COMPONENT_NAMES) {
    if (!JoinPath(uninstaller->path, UNINSTALL_PATH_UNITS, menu, name, L".lnk")) {
      ReportFailure(&uninstaller->report, menu, name);
      continue;
    }
    if (!DeleteFileW(uninstaller->path) && !IsAlreadyGone(GetLastError()))
      ReportFailure(&uninstaller->report, uninstaller->path, NULL);
  }
  // Links a person put there keep the folder; a link of ours that stayed is reported above.
  if (!RemoveDirectoryW(menu)) {
    DWORD error = GetLastError();
    if (!IsAlreadyGone(error) && error != ERROR_DIR_NOT_EMPTY) ReportFailure(&uninstaller->report, menu, NULL);
  }
}
