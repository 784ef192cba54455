/// \file
/// The installation: the nine timer-driven steps, folder creation, shortcuts and the registry
/// entries they write.
#pragma once
#include <windows.h>

#include "shell/setup_state.h"

const DWORD INSTALL_VALUE_UNITS = 308;  // a full file path plus quotes and arguments

// The two registry value strings of one step, each with its byte count (terminator included).
struct InstallValues {
  WCHAR icon_value[INSTALL_VALUE_UNITS];     // path followed by ",0"
  DWORD icon_bytes;
  WCHAR command_value[INSTALL_VALUE_UNITS];  // quoted path, for components followed by "%1" quoted
  DWORD command_bytes;
};

// The longest file name appended to the destination folder: "CloakBeacon.exe".
const int INSTALL_LONGEST_FILE_NAME = 15;

void RunInstallStep(DWORD step);

BOOL CreateDirectoryChain(LPCWSTR path);
HRESULT CreateShortcut(LPCWSTR target, LPCWSTR link_path);

BOOL WriteRegistryValue(LPCWSTR key_path, LPCWSTR value_name, DWORD type, const void *data, DWORD bytes);
void WriteComponentRegistration(SetupState *state, DWORD component, const InstallValues *values);
void WriteAppPath(SetupState *state);
void WriteUninstallEntry(SetupState *state, const InstallValues *values);

// Whether a destination folder leaves room for every file name the installation appends.
BOOL DestinationFits(LPCWSTR folder);
