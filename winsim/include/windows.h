/// \file
/// winsim's <windows.h>: the Win32 subset the installer uses, for the native build.
/// Declarations follow the platform's documented names and semantics.
#pragma once

#include "winsim/types.h"
#include "winsim/kernel.h"
#include "winsim/dll_dirs.h"
#include "winsim/heap.h"
#include "winsim/resources.h"
#include "winsim/user.h"
#include "winsim/gdi.h"
#include "winsim/registry.h"
#include "winsim/security.h"
#include "winsim/uninstall_support.h"
