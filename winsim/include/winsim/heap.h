/// \file
/// KERNEL32 heap subset: the process heap, on which the installer takes its one large block
/// and the decoder its working memory.
#pragma once

#include "winsim/types.h"

#define HEAP_ZERO_MEMORY 0x00000008

WINSIM_EXTERN_C HANDLE WINAPI GetProcessHeap(void);
WINSIM_EXTERN_C LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
WINSIM_EXTERN_C BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID block);
