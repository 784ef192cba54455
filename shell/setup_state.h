/// \file
/// SetupState: the one record of all run-time state, reached through one process-wide pointer.
#pragma once
#include <windows.h>

#include "payload/payload.h"

const DWORD PAGE_LICENSE = 0;
const DWORD PAGE_COMPONENTS = 1;
const DWORD PAGE_DESTINATION = 2;
const DWORD PAGE_PROGRESS = 3;
const DWORD PAGE_COUNT = 4;

const DWORD RUN_IDLE = 0;
const DWORD RUN_INSTALLING = 1;
const DWORD RUN_FINISHED = 2;
const DWORD RUN_CLOSING = 3;

const DWORD SETUP_PATH_UNITS = 300;     // UTF-16 units of each folder path
const DWORD SETUP_SCRATCH_BYTES = 512;
const DWORD COMPONENT_COUNT = 8;        // components 0..7; index 8 is the uninstaller
const DWORD COMPONENT_NAME_COUNT = 9;

// Shared working storage: a registry key path (UTF-16), the licence copy or the space texts
// (8-bit). Each use overwrites the previous one.
union SetupScratch {
  BYTE bytes[SETUP_SCRATCH_BYTES];
  char ansi[SETUP_SCRATCH_BYTES];
  WCHAR wide[SETUP_SCRATCH_BYTES / sizeof(WCHAR)];
};

struct SetupState {
  HINSTANCE instance;
  HWND main_window;
  HWND pages[PAGE_COUNT];
  HWND details_list;
  HICON app_icon;
  const BYTE *payload_data;
  DWORD payload_size;
  DWORD current_page;
  DWORD run_state;
  DWORD error_count;
  DWORD required_bytes;
  DWORD pending_step;
  WCHAR install_dir[SETUP_PATH_UNITS];
  WCHAR shortcut_dir[SETUP_PATH_UNITS];
  WCHAR browse_path[SETUP_PATH_UNITS];
  PayloadEntry entries[PAYLOAD_ENTRY_COUNT];
  OutputBuffer output;
  SetupScratch scratch;
  LPCWSTR component_names[COMPONENT_NAME_COUNT];
};

// The process-wide state pointer: set once by WinMain, never changed.
extern SetupState *g_setup;

SetupState *InitSetupState(SetupState *state);
DWORD LoadPayload(SetupState *state);
