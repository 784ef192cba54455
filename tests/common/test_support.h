// Helpers shared by the tests that run natively against winsim and under wine64 against the
// real platform: fresh folders, string conversion, reading files and their times back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// A fresh, empty folder for one test, as a Windows path ending in a backslash. Natively this
// also resets winsim to a clean world.
std::string NewTestFolder();

std::vector<WCHAR> W(const std::string &utf8);  // terminated UTF-16
std::string U8(LPCWSTR text);

// Through the platform's own calls, so the same checks run on winsim and on Windows.
bool ReadBytes(const std::string &path, std::vector<uint8_t> *bytes);
bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes);
bool Exists(const std::string &path);
struct FileTimes {
  uint64_t creation, last_access, last_write;
};
bool Times(const std::string &path, FileTimes *times);
uint64_t Now();

std::vector<uint8_t> LoadFile(const char *host_path);  // a fixture from the build tree

// True under Wine. A few of its answers differ from Windows for reasons of its own host
// (Unix files have no creation time; as root, the read-only attribute does not stop a write);
// tests name such a gap where they skip a check.
bool UnderWine();

}  // namespace testing_support
