/// \file
/// winsim's <ole2.h>: everything COM the installer needs comes with <objbase.h>.
#pragma once

#include <objbase.h>
