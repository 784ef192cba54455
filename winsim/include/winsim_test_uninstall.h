/// \file
/// Test control of the calls the uninstaller adds to winsim: the module path and the
/// operations scheduled for the next restart. Included via winsim_test.h.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winsim {

// What GetModuleFileNameW answers for the running program. Reset() makes it
// "C:\\winsim\\program.exe".
void SetModulePath(const std::string &path);

// One MoveFileExW(..., MOVEFILE_DELAY_UNTIL_REBOOT): the paths as given (UTF-8); `to` is
// empty for a removal. In the order of the calls; Reset() clears them. Each is also appended to
// the REG_MULTI_SZ value PendingFileRenameOperations under
// HKLM\System\CurrentControlSet\Control\Session Manager, as the platform records them there
// ("\??\" before each path, an empty string for a removal's target). Nothing ever runs them.
// The administrator requirement of the flag is not modelled: inject ERROR_ACCESS_DENIED with
// FailPath("MoveFileExW", path, ...) to see a refusal.
struct PendingRename {
  std::string from;
  std::string to;
};
std::vector<PendingRename> PendingRenames();

// Find handles from FindFirstFileW not yet given back with FindClose.
size_t OpenFindCount();

}  // namespace winsim
