/// \file
/// RunInstallStep: one of the nine steps, run on a tick of timer 1. Steps 0..7 install one
/// component each; step 8 records the folder, writes the uninstaller and its uninstall entry,
/// and shows the result. Paths are built in place behind the folders and cut back afterwards.
#include <windows.h>
#include <commctrl.h>

#include "install/install.h"
#include "resources/resource_ids.h"
#include "shell/shell.h"

static const WCHAR kWriteFailed[] = L"ERROR: Write failed.";

static void AddDetail(SetupState *state, LPCWSTR line) {
  SendMessageW(state->details_list, LB_ADDSTRING, 0, (LPARAM)line);
}

static void CountFailure(SetupState *state) {
  AddDetail(state, kWriteFailed);
  ++state->error_count;
}

// icon_value: path and ",0"; command_value: the quoted path, and for a component the quoted
// "%1" behind a blank.
static void BuildValues(InstallValues *values, LPCWSTR path, BOOL with_argument) {
  DWORD length = (DWORD)lstrlenW(path);
  lstrcpyW(values->icon_value, path);
  lstrcatW(values->icon_value, L",0");
  values->icon_bytes = (length + 3) * sizeof(WCHAR);
  lstrcpyW(values->command_value, L"\"");
  lstrcatW(values->command_value, path);
  lstrcatW(values->command_value, with_argument ? L"\" \"%1\"" : L"\"");
  values->command_bytes = (length + (with_argument ? 8 : 3)) * sizeof(WCHAR);
}

static BOOL IsTicked(SetupState *state, int control) {
  return IsDlgButtonChecked(state->pages[PAGE_COMPONENTS], control) == BST_CHECKED;
}

static void InstallShortcut(SetupState *state, LPCWSTR name) {
  CreateDirectoryChain(state->shortcut_dir);
  lstrcatW(state->shortcut_dir, name);
  lstrcatW(state->shortcut_dir, L".lnk");
  AddDetail(state, state->shortcut_dir);
  if (CreateShortcut(state->install_dir, state->shortcut_dir) != S_OK) CountFailure(state);
}

static void InstallComponent(SetupState *state, DWORD component, InstallValues *values) {
  if (!IsTicked(state, IDC_COMPONENT_FIRST + component)) return;
  LPCWSTR name = state->component_names[component];
  SetDlgItemTextW(state->pages[PAGE_PROGRESS], IDC_STATUS, name);
  CreateDirectoryChain(state->install_dir);
  lstrcatW(state->install_dir, name);
  lstrcatW(state->install_dir, L".exe");
  AddDetail(state, state->install_dir);

  const PayloadEntry *entry = &state->entries[component + 1];
  // A zero time means the entry carries none: the file keeps the time of writing.
  BOOL has_time = entry->mtime.dwLowDateTime || entry->mtime.dwHighDateTime;
  if (WriteComponentFile(&state->output, state->install_dir, entry->offset, entry->size,
                         has_time ? &entry->mtime : NULL) != WRITE_OK) {
    CountFailure(state);  // no shortcut, no registration for a file that is not there
    return;
  }
  if (IsTicked(state, IDC_SHORTCUTS)) InstallShortcut(state, name);
  BuildValues(values, state->install_dir, TRUE);
  WriteComponentRegistration(state, component, values);
}

static void FinishInstallation(SetupState *state, InstallValues *values) {
  if (state->required_bytes != 0) {
    WriteAppPath(state);  // whatever the earlier steps achieved
    int folder_length = lstrlenW(state->install_dir);
    lstrcatW(state->install_dir, state->component_names[SETUP_LAST_STEP]);
    lstrcatW(state->install_dir, L".exe");
    state->install_dir[folder_length] = L'u';  // uninstall.exe
    AddDetail(state, state->install_dir);
    const PayloadEntry *entry = &state->entries[PAYLOAD_ENTRY_COUNT - 1];
    if (WriteComponentFile(&state->output, state->install_dir, entry->offset, entry->size, NULL) != WRITE_OK) {
      CountFailure(state);
    } else {
      BuildValues(values, state->install_dir, FALSE);
      WriteUninstallEntry(state, values);
    }
  }
  SetDlgItemTextA(state->pages[PAGE_PROGRESS], IDC_STATUS,
                  state->error_count ? "Installation failed." : "Installation completed successfully.");
  state->run_state = RUN_FINISHED;
}

void RunInstallStep(DWORD step) {
  SetupState *state = g_setup;
  InstallValues values;
  ZeroMemory(&values, sizeof values);
  int install_length = lstrlenW(state->install_dir);
  int shortcut_length = lstrlenW(state->shortcut_dir);
  state->pending_step = 0;  // no tick runs a step until this one has armed the next

  if (step < SETUP_LAST_STEP) {
    InstallComponent(state, step, &values);
    PostMessageW(state->main_window, WM_APP, step + 1, 0);  // ticked or not, failed or not
  } else {
    FinishInstallation(state, &values);
  }

  // Every branch ends with the bare folders again.
  state->install_dir[install_length] = 0;
  state->shortcut_dir[shortcut_length] = 0;
  SendMessageW(GetDlgItem(state->pages[PAGE_PROGRESS], IDC_PROGRESS_BAR), PBM_SETPOS, (step * 100 + 100) / 9, 0);
}
