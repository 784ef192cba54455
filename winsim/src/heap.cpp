/// \file
/// The process heap: HeapAlloc/HeapFree over the C library, with injectable failures and a
/// count of live blocks so tests can see that everything taken was given back.
#include "sim.h"

#include <winsim_test.h>

#include <cstdlib>
#include <set>

namespace winsim {
namespace {
std::set<void *> &LiveBlocks() {
  static std::set<void *> blocks;
  return blocks;
}
}  // namespace

void ResetHeap() {
  // Blocks a previous test leaked stay leaked (LeakSanitizer reports them); only forget them.
  LiveBlocks().clear();
}

size_t HeapBlocksInUse() { return LiveBlocks().size(); }

}  // namespace winsim

using namespace winsim;

extern "C" HANDLE WINAPI GetProcessHeap(void) { return (HANDLE)0x50000; }

extern "C" LPVOID WINAPI HeapAlloc(HANDLE, DWORD flags, SIZE_T bytes) {
  if (Injected("HeapAlloc", nullptr)) return nullptr;
  size_t limit = TheWorld().fail_alloc_from;
  if (limit && bytes >= limit) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), nullptr;
  void *p = (flags & HEAP_ZERO_MEMORY) ? calloc(1, bytes ? bytes : 1) : malloc(bytes ? bytes : 1);
  if (!p) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), nullptr;
  LiveBlocks().insert(p);
  return p;
}

extern "C" BOOL WINAPI HeapFree(HANDLE, DWORD, LPVOID block) {
  if (!block) return TRUE;
  auto it = LiveBlocks().find(block);
  if (it == LiveBlocks().end()) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  LiveBlocks().erase(it);
  free(block);
  return TRUE;
}
