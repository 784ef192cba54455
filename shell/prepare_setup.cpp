/// \file
/// PrepareSetup: the payload first, then the destination and Start Menu folders, preset from
/// the folder an earlier installation recorded when it still exists.

#include <windows.h>
#include <shlobj.h>

#include "shell/shell.h"

static BOOL IsExistingFolder(LPCWSTR path) {
  DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The Program Files folder plus our folder name; the picker starts at Program Files itself.
static BOOL PresetDefaultDestination(SetupState *state) {
  if (SHGetFolderPathW(NULL, CSIDL_PROGRAM_FILES, NULL, SHGFP_TYPE_CURRENT, state->install_dir) != S_OK)
    return FALSE;
  AppendSlash(state->install_dir);
  lstrcpyW(state->browse_path, state->install_dir);
  lstrcatW(state->install_dir, SETUP_FOLDER_NAME);
  return TRUE;
}

BOOL PrepareSetup(void) {
  SetupState *state = g_setup;
  if (LoadPayload(state) != LOAD_OK) return FALSE;

  LPCWSTR key = BuildRegistryPath(state, SETUP_VENDOR_KEY, NULL, NULL, NULL, NULL, NULL);
  if (ReadAppPath(key, state->install_dir) && IsExistingFolder(state->install_dir)) {
    lstrcpyW(state->browse_path, state->install_dir);  // exactly as stored
  } else if (!PresetDefaultDestination(state)) {
    return FALSE;
  }
  AppendSlash(state->install_dir);

  if (SHGetFolderPathW(NULL, CSIDL_COMMON_PROGRAMS, NULL, SHGFP_TYPE_CURRENT, state->shortcut_dir) != S_OK)
    return FALSE;
  AppendSlash(state->shortcut_dir);
  lstrcatW(state->shortcut_dir, SETUP_FOLDER_NAME);
  AppendSlash(state->shortcut_dir);
  return TRUE;
}
