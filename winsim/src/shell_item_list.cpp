/// \file
/// Item identifier lists as winsim hands them out (one item naming a path or a virtual item,
/// then the terminating zero size), SHGetPathFromIDListW and ILFree.
#include "com_internal.h"

#include <winsim_test.h>

namespace winsim {
namespace {

// Item layout: cb, a four-byte kind tag, the UTF-16 text with its terminator.
const char kPathTag[4] = {'W', 'S', 'F', 'S'};
const char kVirtualTag[4] = {'W', 'S', 'V', 'I'};

PIDLIST_ABSOLUTE NewItemList(const char *tag, const std::string &text) {
  std::vector<WCHAR> w = Wide(text);
  size_t item = 2 + 4 + w.size() * sizeof(WCHAR);
  if (item > 0xFFFF) return nullptr;
  uint8_t *p = (uint8_t *)CoTaskMemAlloc(item + 2);
  if (!p) return nullptr;
  p[0] = (uint8_t)item;
  p[1] = (uint8_t)(item >> 8);
  memcpy(p + 2, tag, 4);
  memcpy(p + 6, w.data(), w.size() * sizeof(WCHAR));
  p[item] = p[item + 1] = 0;
  return (PIDLIST_ABSOLUTE)p;
}

}  // namespace

PIDLIST_ABSOLUTE NewPathItemList(const std::string &path) { return NewItemList(kPathTag, path); }
PIDLIST_ABSOLUTE NewVirtualItemList(const std::string &display_name) { return NewItemList(kVirtualTag, display_name); }

bool ItemListPath(PCIDLIST_ABSOLUTE pidl, std::string *path) {
  if (!pidl) return false;
  const uint8_t *p = (const uint8_t *)pidl;
  size_t item = p[0] | p[1] << 8;
  if (item < 8 || memcmp(p + 2, kPathTag, 4) != 0) return false;
  std::vector<WCHAR> w((item - 6) / 2 + 1, 0);
  memcpy(w.data(), p + 6, item - 6 - (item - 6) % 2);
  *path = Utf8(w.data());
  return true;
}

}  // namespace winsim

using namespace winsim;

extern "C" BOOL WINAPI SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pidl, LPWSTR path) {
  if (Injected("SHGetPathFromIDListW", nullptr)) {
    if (path) path[0] = 0;
    return FALSE;
  }
  if (!path) return FALSE;
  path[0] = 0;
  std::string text;
  if (!ItemListPath(pidl, &text)) return FALSE;
  std::vector<WCHAR> w = Wide(text);
  if (w.size() > MAX_PATH) return FALSE;
  memcpy(path, w.data(), w.size() * sizeof(WCHAR));
  return TRUE;
}

extern "C" void WINAPI ILFree(PIDLIST_ABSOLUTE pidl) { CoTaskMemFree(pidl); }
