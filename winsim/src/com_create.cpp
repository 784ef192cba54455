/// \file
/// CoCreateInstance: the one in-process class winsim serves is CLSID_ShellLink.
#include "com_internal.h"

#include <winsim_test.h>

using namespace winsim;

extern "C" HRESULT WINAPI CoCreateInstance(REFCLSID clsid, IUnknown *outer, DWORD cls_context, REFIID riid,
                                           LPVOID *object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  Fault hit;
  if (Injected("CoCreateInstance", nullptr, &hit)) return InjectedHresult(hit.error, E_FAIL);
  if (!ComInitialized()) return CO_E_NOTINITIALIZED;
  if (clsid != CLSID_ShellLink || !(cls_context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
  if (outer) return CLASS_E_NOAGGREGATION;
  return NewShellLink(riid, object);
}
