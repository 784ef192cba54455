/// \file
/// SetDefaultDllDirectories: validates and records the process's DLL search flags, with a
/// snapshot of the call counters taken when they are first set, so tests can tell what ran
/// before the restriction.
#include "sim.h"

#include <winsim_test.h>

namespace winsim {
namespace {

// Kept in the world's call table under names no platform operation has, so Reset clears
// them along with the counters they are compared with.
const char kFlagsKey[] = "winsim:dll-search-flags";
const char kBeforeKey[] = "winsim:before-dll-search:";
const char kBeforeAllKey[] = "winsim:before-dll-search";
const char kOp[] = "SetDefaultDllDirectories";
const char kWithoutKey[] = "winsim:without-default-dll-directories";
const char kCurrentLeftKey[] = "winsim:current-folder-left-dll-search";

const DWORD kValidFlags = LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_USER_DIRS |
                          LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS;

bool IsPrivateKey(const std::string &name) { return name.compare(0, 7, "winsim:") == 0; }

// Copies every counter (but this call's own) as it stands now.
void SnapshotCounters() {
  std::map<std::string, unsigned> &calls = TheWorld().calls;
  std::map<std::string, unsigned> before;
  unsigned total = 0;
  for (const auto &entry : calls) {
    if (IsPrivateKey(entry.first) || entry.first == kOp) continue;
    before[kBeforeKey + entry.first] = entry.second;
    total += entry.second;
  }
  calls.insert(before.begin(), before.end());
  calls[kBeforeAllKey] = total;
}

}  // namespace

DWORD DllSearchFlags() {
  EnsureReady();
  auto it = TheWorld().calls.find(kFlagsKey);
  return it == TheWorld().calls.end() ? 0 : (DWORD)it->second;
}

void SetSystemWithoutDefaultDllDirectories(bool without) {
  EnsureReady();
  TheWorld().calls[kWithoutKey] = without ? 1 : 0;
}

bool CurrentFolderLeftDllSearch() {
  EnsureReady();
  auto it = TheWorld().calls.find(kCurrentLeftKey);
  return it != TheWorld().calls.end() && it->second;
}

bool DllSearchRestricted() { return DllSearchFlags() == LOAD_LIBRARY_SEARCH_SYSTEM32; }

unsigned CallsBeforeDllSearchSet(const char *op) {
  EnsureReady();
  const std::map<std::string, unsigned> &calls = TheWorld().calls;
  auto it = calls.find(op ? kBeforeKey + std::string(op) : std::string(kBeforeAllKey));
  return it == calls.end() ? 0 : it->second;
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI SetDefaultDllDirectories(DWORD flags) {
  if (Injected(kOp, nullptr)) return FALSE;
  if (flags == 0 || (flags & ~kValidFlags)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::map<std::string, unsigned> &calls = TheWorld().calls;
  if (!calls.count(kFlagsKey)) SnapshotCounters();
  calls[kFlagsKey] = flags;
  return TRUE;
}

extern "C" BOOL WINAPI SetDllDirectoryW(LPCWSTR path) {
  if (Injected("SetDllDirectoryW", nullptr)) return FALSE;
  TheWorld().calls[kCurrentLeftKey] = path && !path[0] ? 1 : 0;
  return TRUE;
}

extern "C" FARPROC WINAPI GetProcAddress(HMODULE, LPCSTR name) {
  EnsureReady();
  bool without = TheWorld().calls[kWithoutKey] != 0;
  if (name && !without && strcmp(name, kOp) == 0) return (FARPROC)(void *)&SetDefaultDllDirectories;
  SetLastError(127);  // ERROR_PROC_NOT_FOUND
  return nullptr;
}
