/// \file
/// IsUserAdmin: the Administrators membership test, shared by the installer and the uninstaller.
#pragma once
#include <windows.h>

BOOL IsUserAdmin(void);
