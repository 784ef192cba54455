// Test helpers over the platform calls; the only place that knows which platform it is on.
#include "common/test_support.h"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <shellapi.h>
#else
#include <winsim_test.h>
#endif

namespace testing_support {

namespace {
uint64_t ToU64(const FILETIME &ft) { return ((uint64_t)ft.dwHighDateTime << 32) | ft.dwLowDateTime; }
}  // namespace

#ifdef _WIN32
std::vector<WCHAR> W(const std::string &utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::vector<WCHAR> out(n > 0 ? n : 1);
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), n);
  return out;
}

std::string U8(LPCWSTR text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
  out.resize(n > 0 ? n - 1 : 0);
  return out;
}

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string NewTestFolder() {
  static unsigned counter = 0;
  WCHAR temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  char name[64];
  snprintf(name, sizeof name, "tevorlyn-test-%lu-%u\\", (unsigned long)GetCurrentProcessId(), ++counter);
  std::string folder = U8(temp) + name;
  // Leftovers of an earlier run are removed with the shell's recursive delete.
  std::vector<WCHAR> from = W(folder.substr(0, folder.size() - 1));
  from.push_back(0);
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.data();
  op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
  CreateDirectoryW(W(folder).data(), nullptr);
  return folder;
}
#else
std::vector<WCHAR> W(const std::string &utf8) { return winsim::Wide(utf8); }
std::string U8(LPCWSTR text) { return winsim::Utf8(text); }

bool UnderWine() { return false; }

std::string NewTestFolder() {
  winsim::Reset();
  CreateDirectoryW(L"C:\\work", nullptr);
  return "C:\\work\\";
}
#endif

bool ReadBytes(const std::string &path, std::vector<uint8_t> *bytes) {
  bytes->clear();
  HANDLE h = CreateFileW(W(path).data(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  uint8_t buf[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h, buf, sizeof buf, &got, nullptr)) && got) bytes->insert(bytes->end(), buf, buf + got);
  CloseHandle(h);
  return ok;
}

bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes) {
  HANDLE h = CreateFileW(W(path).data(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool ok = bytes.empty() || (WriteFile(h, bytes.data(), (DWORD)bytes.size(), &done, nullptr) && done == bytes.size());
  CloseHandle(h);
  return ok;
}

bool Exists(const std::string &path) { return GetFileAttributesW(W(path).data()) != INVALID_FILE_ATTRIBUTES; }

bool Times(const std::string &path, FileTimes *times) {
  HANDLE h = CreateFileW(W(path).data(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  FILETIME c, a, w;
  bool ok = GetFileTime(h, &c, &a, &w);
  CloseHandle(h);
  *times = FileTimes{ToU64(c), ToU64(a), ToU64(w)};
  return ok;
}

uint64_t Now() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return ToU64(ft);
}

std::vector<uint8_t> LoadFile(const char *host_path) {
  std::vector<uint8_t> out;
  FILE *f = fopen(host_path, "rb");
  if (!f) return out;
  uint8_t buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  fclose(f);
  return out;
}

}  // namespace testing_support
