/// \file
/// COM apartments and task memory: CoInitializeEx/CoInitialize/CoUninitialize with the
/// platform's per-thread counting and mode rules, CoTaskMemAlloc/CoTaskMemFree, the GUIDs.
#include "com_internal.h"

#include <winsim_test.h>

#include <cstdio>
#include <cstdlib>
#include <set>

namespace winsim {
namespace {

// Apartments belong to threads: each thread initialises, and counts, on its own.
struct Apartment {
  unsigned depth = 0;
  DWORD mode = 0;
};
thread_local Apartment t_apartment;

struct ComState {
  size_t live_objects = 0;
  std::set<void *> task_blocks;
};

ComState &TheCom() {
  static ComState state;
  return state;
}

}  // namespace

void ResetCom() {
  t_apartment = Apartment();
  // Objects and blocks a previous test leaked stay leaked (LeakSanitizer reports them).
  TheCom() = ComState();
}

bool ComInitialized() { return t_apartment.depth > 0; }
void ComObjectCreated() { ++TheCom().live_objects; }
void ComObjectDestroyed() { --TheCom().live_objects; }

size_t LiveComObjects() {
  EnsureReady();
  return TheCom().live_objects;
}

size_t LiveTaskAllocations() {
  EnsureReady();
  return TheCom().task_blocks.size();
}

unsigned ComInitDepth() {
  EnsureReady();
  return t_apartment.depth;
}

}  // namespace winsim

using namespace winsim;

extern "C" const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
extern "C" const IID IID_IPersist = {0x0000010C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
extern "C" const IID IID_IPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
extern "C" const CLSID CLSID_ShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
extern "C" const IID IID_IShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

extern "C" HRESULT WINAPI CoInitializeEx(LPVOID, DWORD co_init) {
  Fault hit;
  if (Injected("CoInitializeEx", nullptr, &hit)) return InjectedHresult(hit.error, E_FAIL);
  DWORD mode = co_init & COINIT_APARTMENTTHREADED;
  Apartment &a = t_apartment;
  if (a.depth == 0) {
    a.depth = 1;
    a.mode = mode;
    return S_OK;
  }
  // A second initialisation in another mode is refused and must not be balanced.
  if (a.mode != mode) return RPC_E_CHANGED_MODE;
  ++a.depth;
  return S_FALSE;
}

extern "C" HRESULT WINAPI CoInitialize(LPVOID reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

extern "C" void WINAPI CoUninitialize(void) {
  EnsureReady();
  if (t_apartment.depth) --t_apartment.depth;
}

extern "C" LPVOID WINAPI CoTaskMemAlloc(SIZE_T bytes) {
  if (Injected("CoTaskMemAlloc", nullptr)) return nullptr;
  void *p = malloc(bytes ? bytes : 1);
  if (p) TheCom().task_blocks.insert(p);
  return p;
}

extern "C" void WINAPI CoTaskMemFree(LPVOID block) {
  if (!block) return;
  auto it = TheCom().task_blocks.find(block);
  if (it == TheCom().task_blocks.end()) {
    fprintf(stderr, "winsim: CoTaskMemFree of %p, which CoTaskMemAlloc did not return\n", block);
    abort();
  }
  TheCom().task_blocks.erase(it);
  free(block);
}
