/// \file
/// ScheduleSelfRemoval: a running program cannot delete its own file, so the uninstaller and
/// then its folder are handed to the system for removal at the next restart. The folder goes
/// only if nothing but the uninstaller is left in it now (and the system removes it only if it
/// is empty then): what a person put there stays, and so does the folder.
#include "uninstall/uninstall.h"

static BOOL IsDotEntry(LPCWSTR name) {
  return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// Whether the folder holds nothing besides the file `own_name`. FALSE also when it cannot be read.
static BOOL HoldsOnly(LPCWSTR folder, LPCWSTR own_name, BOOL *listed) {
  WCHAR pattern[UNINSTALL_PATH_UNITS];
  *listed = FALSE;
  if (!JoinPath(pattern, UNINSTALL_PATH_UNITS, folder, L"*", NULL)) return FALSE;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(pattern, &found);
  if (find == INVALID_HANDLE_VALUE) {
    *listed = GetLastError() == ERROR_FILE_NOT_FOUND;
    return *listed;
  }
  BOOL only = TRUE;
  do {
    if (!IsDotEntry(found.cFileName) && lstrcmpiW(found.cFileName, own_name) != 0) only = FALSE;
  } while (only && FindNextFileW(find, &found));
  *listed = !only || GetLastError() == ERROR_NO_MORE_FILES;
  FindClose(find);
  return only && *listed;
}

void ScheduleSelfRemoval(Uninstaller *uninstaller) {
  static const WCHAR kNotScheduled[] = L" (its removal at restart could not be scheduled)";
  if (!MoveFileExW(uninstaller->program, NULL, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    ReportFailure(&uninstaller->report, uninstaller->program, kNotScheduled);
    return;  // the folder cannot become empty
  }
  LPCWSTR own_name = uninstaller->program + lstrlenW(uninstaller->folder);
  BOOL listed = FALSE;
  BOOL only_us = HoldsOnly(uninstaller->folder, own_name, &listed);
  // The folder as a folder name: without its trailing backslash.
  lstrcpyW(uninstaller->path, uninstaller->folder);
  uninstaller->path[lstrlenW(uninstaller->path) - 1] = 0;
  if (!listed) {
    ReportFailure(&uninstaller->report, uninstaller->path, kNotScheduled);
  } else if (only_us && !MoveFileExW(uninstaller->path, NULL, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    ReportFailure(&uninstaller->report, uninstaller->path, kNotScheduled);
  }
}
