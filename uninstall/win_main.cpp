/// \file
/// Process entry of uninstall.exe.
#include "uninstall/uninstall.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) { return RunUninstaller(instance); }
