// The payload numbers of the fuzz target that takes them from its input.
#pragma once
#include <windows.h>

void SetFuzzPayloadNumbers(DWORD resource_size, DWORD image_size, DWORD image_checksum);
