/// \file
/// The uninstaller: removes what an installation of Tevorlyn App Pack wrote (the programs in
/// its own folder, their Start Menu links, the registry entries) and then itself at restart.
#pragma once
#include <windows.h>

#include "shell/is_user_admin.h"

#define UNINSTALL_CAPTION L"Tevorlyn App Pack"

const DWORD UNINSTALL_PATH_UNITS = MAX_PATH + 16;
// Room for every line the report can hold: about thirty items of a full path each.
const DWORD UNINSTALL_REPORT_UNITS = 12288;
const DWORD UNINSTALL_COMPONENT_COUNT = 8;

// What could not be removed, one line per item, in the order it was met.
struct RemovalReport {
  WCHAR text[UNINSTALL_REPORT_UNITS];
  DWORD length;     // units in text, terminator excluded
  DWORD failures;   // items met
  DWORD left_out;   // items that did not fit into text
};

struct Uninstaller {
  WCHAR program[UNINSTALL_PATH_UNITS];  // this program's own path
  WCHAR folder[UNINSTALL_PATH_UNITS];   // the folder holding it, with a trailing backslash
  WCHAR path[UNINSTALL_PATH_UNITS];     // scratch for the path being removed
  RemovalReport report;
};

// How one registry entry of an installation goes.
enum RegistryRemovalKind {
  REMOVE_KEY_TREE,           // the key and everything below it
  REMOVE_EXTENSION_IF_OURS,  // the key's default value while it names `detail`, then the key if empty
  REMOVE_VALUE,              // the value `detail`, then the key if empty
};

struct RegistryRemoval {
  RegistryRemovalKind kind;
  LPCWSTR key;     // below HKEY_LOCAL_MACHINE
  LPCWSTR detail;  // a ProgID or a value name
};

// The removal plan: what an installation writes.
extern const LPCWSTR UNINSTALL_COMPONENT_NAMES[UNINSTALL_COMPONENT_COUNT];
extern const RegistryRemoval UNINSTALL_REGISTRY_ENTRIES[];
extern const DWORD UNINSTALL_REGISTRY_ENTRY_COUNT;
#define UNINSTALL_MENU_FOLDER L"Tevorlyn"

// The whole run: the Administrators check, the question, the removal and its report. The
// result is the process's exit code, 0 on every path.
int RunUninstaller(HINSTANCE instance);

BOOL FindOwnLocation(Uninstaller *uninstaller, HMODULE module);
// Writes first, second and third one after the other into out (units in all, terminator
// included); FALSE, with out emptied, when they do not fit. second and third may be null.
BOOL JoinPath(LPWSTR out, DWORD units, LPCWSTR first, LPCWSTR second, LPCWSTR third);

void RemoveProgramFiles(Uninstaller *uninstaller);
void RemoveShortcuts(Uninstaller *uninstaller);
void RemoveRegistryEntries(Uninstaller *uninstaller);
void ScheduleSelfRemoval(Uninstaller *uninstaller);

// Deletes the key `sub_key` below `parent` with all its subkeys, deepest first. ERROR_SUCCESS,
// ERROR_FILE_NOT_FOUND when there was no such key, or the first failure met; on a failure as
// much as could go has gone.
LONG DeleteKeyTree(HKEY parent, LPCWSTR sub_key);

// Whether a failed removal means the item was not there (nothing to report).
BOOL IsAlreadyGone(DWORD error);
// A line for the report: first, then second when given.
void ReportFailure(RemovalReport *report, LPCWSTR first, LPCWSTR second);
void ShowOutcome(RemovalReport *report);
