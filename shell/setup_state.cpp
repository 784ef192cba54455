/// \file
/// The state record's constructor and the process-wide pointer to the one instance.
#include "shell/setup_state.h"

#include <stddef.h>

SetupState *g_setup = NULL;

static const LPCWSTR kComponentNames[COMPONENT_NAME_COUNT] = {
    L"Zirvex", L"PanelTwine", L"CloakBeacon", L"Tumbly",   L"MicroChime",
    L"QuietQuill", L"LockQZV", L"Frostbin", L"Uninstall",
};

SetupState *InitSetupState(SetupState *state) {
  // Everything from instance through entries starts zero or null; scratch is left alone
  // (the caller zero-fills the whole record first).
  ZeroMemory(state, offsetof(SetupState, output));
  InitOutputBuffer(&state->output);
  for (DWORD i = 0; i < COMPONENT_NAME_COUNT; ++i) state->component_names[i] = kComponentNames[i];
  return state;
}
