/// \file
/// Process entry: builds the state record, loads and verifies the payload, and ends with
/// exit code 0 on every path.
#include "shell/setup_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  SetupState state;
  ZeroMemory(&state, sizeof state);
  InitSetupState(&state);
  state.instance = instance;
  g_setup = &state;

  if (LoadPayload(&state) != LOAD_OK)
    MessageBoxA(NULL, "Setup initialization failed.", "Error", MB_OK | MB_ICONERROR);

  FreeOutputBuffer(&state.output);
  return 0;
}
