/// \file
/// (being written)
#pragma once
#include <windows.h>
