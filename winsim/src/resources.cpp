/// \file
/// Module resources read from the embedded .res (the file windres makes out of resources/),
/// with test overrides. FindResourceW/SizeofResource/LoadResource/LockResource.
#include "sim.h"

#include <winsim_test.h>

#include <deque>

// The test executable links the .res bytes in between these two symbols (see the build).
extern "C" const unsigned char winsim_res_begin[] __attribute__((weak));
extern "C" const unsigned char winsim_res_end[] __attribute__((weak));

namespace winsim {
namespace {

struct Resource {
  std::string type;  // "#10" for an integer type, else the upper-case name
  std::string name;
  const uint8_t *data = nullptr;
  DWORD size = 0;
  bool removed = false;
};

std::deque<Resource> g_resources;                    // stable addresses: HRSRC points here
std::deque<std::vector<uint8_t>> g_override_storage;  // bytes of SetResource
bool g_parsed = false;

std::string Ident(LPCWSTR id) {
  if (IS_INTRESOURCE(id)) return "#" + std::to_string((unsigned)(ULONG_PTR)id);
  std::string s = Utf8(id);
  for (char &c : s)
    if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
  return s;
}

uint32_t Read32(const uint8_t *p) { return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24; }
uint16_t Read16(const uint8_t *p) { return (uint16_t)(p[0] | p[1] << 8); }

// A .res name field: 0xFFFF and an ordinal, or a terminated UTF-16 string.
std::string ReadNameField(const uint8_t *&p) {
  if (Read16(p) == 0xFFFF) {
    std::string s = "#" + std::to_string(Read16(p + 2));
    p += 4;
    return s;
  }
  std::vector<WCHAR> w;
  while (Read16(p)) {
    w.push_back((WCHAR)Read16(p));
    p += 2;
  }
  p += 2;
  w.push_back(0);
  std::string s = Utf8(w.data());
  for (char &c : s)
    if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
  return s;
}

void ParseEmbedded() {
  g_parsed = true;
  if (!winsim_res_begin || !winsim_res_end) return;
  const uint8_t *p = winsim_res_begin, *end = winsim_res_end;
  while (end - p >= 32) {
    uint32_t data_size = Read32(p), header_size = Read32(p + 4);
    if (header_size < 32 || (size_t)(end - p) < header_size + data_size) break;
    const uint8_t *q = p + 8;
    Resource r;
    r.type = ReadNameField(q);
    r.name = ReadNameField(q);
    r.data = p + header_size;
    r.size = data_size;
    if (data_size || r.type != "#0") g_resources.push_back(r);
    p += (header_size + data_size + 3) & ~3u;
  }
}

Resource *Find(const std::string &type, const std::string &name) {
  if (!g_parsed) ParseEmbedded();
  for (Resource &r : g_resources)
    if (r.type == type && r.name == name) return &r;
  return nullptr;
}

}  // namespace

void ResetResources() {
  g_resources.clear();
  g_override_storage.clear();
  g_parsed = false;
}

void SetResource(LPCWSTR type, WORD id, const void *data, size_t size) {
  EnsureReady();
  const uint8_t *b = (const uint8_t *)data;
  g_override_storage.emplace_back(b, b + size);
  std::string t = Ident(type), n = "#" + std::to_string(id);
  Resource *r = Find(t, n);
  if (!r) {
    g_resources.push_back(Resource{t, n, nullptr, 0, false});
    r = &g_resources.back();
  }
  r->data = g_override_storage.back().data();
  r->size = (DWORD)size;
  r->removed = false;
}

void RemoveResource(LPCWSTR type, WORD id) {
  EnsureReady();
  if (Resource *r = Find(Ident(type), "#" + std::to_string(id))) r->removed = true;
}

std::vector<uint8_t> ResourceBytes(LPCWSTR type, WORD id) {
  EnsureReady();
  Resource *r = Find(Ident(type), "#" + std::to_string(id));
  if (!r || r->removed) return {};
  return std::vector<uint8_t>(r->data, r->data + r->size);
}

}  // namespace winsim

using namespace winsim;

extern "C" HMODULE WINAPI GetModuleHandleW(LPCWSTR) { return (HMODULE)0x400000; }

extern "C" HRSRC WINAPI FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
  if (Injected("FindResourceW", nullptr)) return nullptr;
  std::string t = Ident(type);
  Resource *r = Find(t, Ident(name));
  if (!r || r->removed) {
    bool type_known = false;
    for (const Resource &x : g_resources) type_known |= x.type == t && !x.removed;
    SetLastError(type_known ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  return (HRSRC)r;
}

extern "C" DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
  if (Injected("SizeofResource", nullptr) || !resource) return 0;
  return ((Resource *)resource)->size;
}

extern "C" HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
  if (Injected("LoadResource", nullptr) || !resource) return nullptr;
  return (HGLOBAL)((Resource *)resource)->data;
}

extern "C" LPVOID WINAPI LockResource(HGLOBAL data) {
  if (Injected("LockResource", nullptr)) return nullptr;
  return data;
}
