/// \file
/// What winsim's COM and shell files share: the apartment state, the live-object count, the
/// shell link factory, item lists, and the rule that turns an injected fault into an HRESULT.
#pragma once

#include "sim.h"

#include <objbase.h>
#include <shobjidl.h>

namespace winsim {

bool ComInitialized();
void ComObjectCreated();
void ComObjectDestroyed();

// A new shell link object, handed out as riid with one reference (no counted QueryInterface).
HRESULT NewShellLink(REFIID riid, void **object);

// An injected code with the severity bit set is the HRESULT itself; any other gives `fallback`.
inline HRESULT InjectedHresult(DWORD code, HRESULT fallback) {
  return (code & 0x80000000u) ? (HRESULT)code : fallback;
}

// Item lists: one item naming a file-system path, or a virtual item (no path) with a display
// name; allocated with CoTaskMemAlloc, null when that fails.
PIDLIST_ABSOLUTE NewPathItemList(const std::string &path);
PIDLIST_ABSOLUTE NewVirtualItemList(const std::string &display_name);
// The path of a file-system item list; false for null, empty, virtual or foreign lists.
bool ItemListPath(PCIDLIST_ABSOLUTE pidl, std::string *path);

}  // namespace winsim
