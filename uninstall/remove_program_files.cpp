/// \file
/// RemoveProgramFiles: the eight programs in the uninstaller's own folder. A program that is
/// not there (not chosen at installation, or removed since) is no failure.
#include "uninstall/uninstall.h"

void RemoveProgramFiles(Uninstaller *uninstaller) {
  for (LPCWSTR name : UNINSTALL_COMPONENT_NAMES) {
    if (!JoinPath(uninstaller->path, UNINSTALL_PATH_UNITS, uninstaller->folder, name, L".exe")) {
      ReportFailure(&uninstaller->report, uninstaller->folder, name);
      continue;
    }
    if (!DeleteFileW(uninstaller->path) && !IsAlreadyGone(GetLastError()))
      ReportFailure(&uninstaller->report, uninstaller->path, NULL);
  }
}
