// winsim's registry value calls: data comes back exactly as stored, with the platform's size
// protocol, case-blind names, the default value, and injected faults.
#include <gtest/gtest.h>
#include <winsim_test.h>

#include "common/test_support.h"
#include "native/winsim_registry_helpers.h"

namespace {

using testing_support::W;

using registry_helpers::Create;
using registry_helpers::SetBytes;

TEST(WinsimRegistryValues, ValuesComeBackExactlyAsStored) {
  winsim::Reset();
  struct Case {
    const char *row;
    DWORD type;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"terminated string", REG_SZ, winsim::SzBytes("D:\\Apps\\")},
      {"string without terminator", REG_SZ, {'a', 0, 'b', 0}},
      {"odd-sized string", REG_SZ, {'a', 0, 'b'}},
      {"expandable string", REG_EXPAND_SZ, winsim::SzBytes("%ProgramFiles%\\x")},
      {"dword", REG_DWORD, winsim::DwordBytes(0x861)},
      {"empty binary", REG_BINARY, {}},
      {"binary", REG_BINARY, {0, 1, 0xff, 0x80}},
      {"multi string", REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
      {"untyped", REG_NONE, {7}},
  };
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Values");
  for (const Case &c : cases) {
    ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, c.row, c.type, c.bytes)) << c.row;
    uint8_t buffer[64];
    memset(buffer, 0xff, sizeof buffer);
    DWORD type = 0xdeadbeef, count = sizeof buffer;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, W(c.row).data(), nullptr, &type, buffer, &count)) << c.row;
    EXPECT_EQ(c.type, type) << c.row;
    ASSERT_EQ(c.bytes.size(), count) << c.row;
    EXPECT_EQ(c.bytes, std::vector<uint8_t>(buffer, buffer + count)) << c.row;
    EXPECT_EQ(0xff, buffer[count]) << c.row << ": nothing is written past the data";
    std::vector<uint8_t> stored;
    EXPECT_TRUE(winsim::RegistryValue("HKLM\\Software\\Values", c.row, &type, &stored)) << c.row;
    EXPECT_EQ(c.bytes, stored) << c.row;
  }
  RegCloseKey(key);
}

TEST(WinsimRegistryValues, QueryFollowsTheBufferSizeProtocol) {
  winsim::Reset();
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Sizes");
  std::vector<uint8_t> text = winsim::SzBytes("D:\\Apps\\");  // 18 bytes
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, "AppPath", REG_SZ, text));

  DWORD type = 0, count = 0xdeadbeef;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"AppPath", nullptr, &type, nullptr, &count)) << "size only";
  EXPECT_EQ(18u, count);
  EXPECT_EQ((DWORD)REG_SZ, type);

  uint8_t small[17];
  memset(small, 0xff, sizeof small);
  count = sizeof small;
  type = 0;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExW(key, L"AppPath", nullptr, &type, small, &count)) << "too small";
  EXPECT_EQ(18u, count);
  EXPECT_EQ((DWORD)REG_SZ, type);

  uint8_t exact[18];
  count = sizeof exact;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"AppPath", nullptr, nullptr, exact, &count)) << "exact size";
  EXPECT_EQ(text, std::vector<uint8_t>(exact, exact + 18));

  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExW(key, L"AppPath", nullptr, nullptr, exact, nullptr))
      << "a buffer without its size";
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"AppPath", nullptr, &type, nullptr, nullptr)) << "type only";
  RegCloseKey(key);
}

TEST(WinsimRegistryValues, NamesCompareWithoutCaseAndReplacingKeepsOneValue) {
  winsim::Reset();
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Names");
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, "DisplayName", REG_SZ, winsim::SzBytes("Old name")));
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, "DISPLAYNAME", REG_DWORD, winsim::DwordBytes(7)));
  DWORD type = 0;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(winsim::RegistryValue("HKLM\\Software\\Names", "displayname", &type, &bytes));
  EXPECT_EQ((DWORD)REG_DWORD, type);
  EXPECT_EQ(winsim::DwordBytes(7), bytes);
  EXPECT_EQ("HKLM\\Software\\Names\n  \"DisplayName\" REG_DWORD 0x7 (4 bytes)\n",
            winsim::RegistryDump("HKLM\\Software\\Names"));

  DWORD values = 0;
  EXPECT_EQ(ERROR_SUCCESS,
            RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr));
  EXPECT_EQ(1u, values);
  RegCloseKey(key);
}

TEST(WinsimRegistryValues, NullAndEmptyNameAreTheDefaultValue) {
  winsim::Reset();
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Default");
  DWORD count = 0;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &count))
      << "a key has no default value until one is set";
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(key, nullptr, REG_SZ, winsim::SzBytes("x")));
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"", nullptr, nullptr, nullptr, &count));
  EXPECT_EQ(4u, count);
  EXPECT_TRUE(winsim::RegistryValue("HKLM\\Software\\Default", "", nullptr, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, nullptr));
  EXPECT_FALSE(winsim::RegistryValue("HKLM\\Software\\Default", "", nullptr, nullptr));
  RegCloseKey(key);
}

TEST(WinsimRegistryValues, InjectedFaultsAreReturnedAndLeaveNoTrace) {
  winsim::Reset();
  winsim::FailCall("RegCreateKeyExW", 1, ERROR_ACCESS_DENIED);
  winsim::FailPath("RegSetValueExW", "InstallLocation", ERROR_WRITE_FAULT);
  winsim::FailPath("RegOpenKeyExW", "Software\\Tevorlyn", ERROR_BAD_PATHNAME);
  winsim::FailCall("RegQueryValueExW", 1, ERROR_MORE_DATA);
  SetLastError(0xdeadbeef);
  HKEY key = (HKEY)(ULONG_PTR)0x1234;
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Tevorlyn", 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
  EXPECT_EQ(nullptr, key);
  EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software"));
  EXPECT_EQ(0xdeadbeefu, GetLastError()) << "registry calls report through their result only";

  key = Create(HKEY_LOCAL_MACHINE, "Software\\Tevorlyn");
  EXPECT_EQ(ERROR_WRITE_FAULT, SetBytes(key, "installlocation", REG_SZ, winsim::SzBytes("C:\\x")));
  EXPECT_EQ(ERROR_SUCCESS, SetBytes(key, "DisplayName", REG_SZ, winsim::SzBytes("x")));
  EXPECT_FALSE(winsim::RegistryValue("HKLM\\Software\\Tevorlyn", "InstallLocation", nullptr, nullptr));
  DWORD count = 0;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExW(key, L"DisplayName", nullptr, nullptr, nullptr, &count));
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"DisplayName", nullptr, nullptr, nullptr, &count));
  HKEY opened = nullptr;
  EXPECT_EQ(ERROR_BAD_PATHNAME, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TEVORLYN", 0, KEY_READ, &opened));
  EXPECT_EQ(2u, winsim::CallCount("RegSetValueExW"));
  RegCloseKey(key);
  EXPECT_EQ(0u, winsim::OpenKeyCount());
}

}  // namespace
