// winsim's registry key calls: creation of whole paths, opening relative to handles, access
// rights, roots, deletion, enumeration and error codes; handles are tracked.
#include <gtest/gtest.h>
#include <winsim_test.h>

#include "common/test_support.h"
#include "native/winsim_registry_helpers.h"

namespace {

using testing_support::W;

using registry_helpers::Create;
using registry_helpers::SetBytes;

TEST(WinsimRegistry, CreateMakesEveryMissingLevelAndReportsDisposition) {
  winsim::Reset();
  DWORD disposition = 0xdeadbeef;
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Tevorlyn\\App Pack", KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ((DWORD)REG_CREATED_NEW_KEY, disposition);
  EXPECT_TRUE(winsim::RegistryKeyExists("HKLM\\Software"));
  EXPECT_TRUE(winsim::RegistryKeyExists("HKLM\\Software\\Tevorlyn"));
  EXPECT_TRUE(winsim::RegistryKeyExists("HKEY_LOCAL_MACHINE\\software\\TEVORLYN\\app pack"));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));

  HKEY again = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\tevorlyn\\APP PACK", KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disposition);
  RegCloseKey(again);
  // The names keep the case they were created with.
  EXPECT_EQ("HKLM\nHKLM\\Software\nHKLM\\Software\\Tevorlyn\nHKLM\\Software\\Tevorlyn\\App Pack\n",
            winsim::RegistryDump());
}

TEST(WinsimRegistry, MissingKeysValuesAndBadArgumentsReportTheirErrors) {
  winsim::Reset();
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Present");
  HKEY out = (HKEY)(ULONG_PTR)0x1234;
  DWORD count = 0;
  struct Case {
    const char *row;
    LONG expected;
    LONG got;
  } cases[] = {
      {"open a missing key", ERROR_FILE_NOT_FOUND,
       RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Absent", 0, KEY_READ, &out)},
      {"open below a missing key", ERROR_FILE_NOT_FOUND,
       RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Absent\\Deeper", 0, KEY_READ, &out)},
      {"open with a leading backslash", ERROR_BAD_PATHNAME,
       RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"\\Software", 0, KEY_READ, &out)},
      {"query a missing value", ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, L"Nothing", nullptr, nullptr, nullptr, &count)},
      {"delete a missing value", ERROR_FILE_NOT_FOUND, RegDeleteValueW(key, L"Nothing")},
      {"delete a missing key", ERROR_FILE_NOT_FOUND, RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Absent")},
      {"query through an unknown handle", ERROR_INVALID_HANDLE,
       RegQueryValueExW((HKEY)(ULONG_PTR)0x999, L"x", nullptr, nullptr, nullptr, &count)},
      {"close an unknown handle", ERROR_INVALID_HANDLE, RegCloseKey((HKEY)(ULONG_PTR)0x999)},
  };
  for (const Case &c : cases) EXPECT_EQ(c.expected, c.got) << c.row;
  EXPECT_EQ(nullptr, out) << "a failed open hands back no handle";
  RegCloseKey(key);
  EXPECT_EQ(0u, winsim::OpenKeyCount());
}

TEST(WinsimRegistry, HandlesOnlyDoWhatTheyWereOpenedFor) {
  winsim::Reset();
  winsim::CreateRegistryKey("HKLM\\Software\\Rights\\Existing");
  HKEY reader = nullptr, writer = nullptr, sub = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Rights", 0, KEY_READ, &reader));
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Rights", 0, KEY_SET_VALUE, &writer));
  DWORD one = 1, count = 4;
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegSetValueExW(reader, L"v", 0, REG_DWORD, (const BYTE *)&one, 4));
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(writer, L"v", 0, REG_DWORD, (const BYTE *)&one, 4));
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegQueryValueExW(writer, L"v", nullptr, nullptr, nullptr, &count));
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(reader, L"v", nullptr, nullptr, nullptr, &count));
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegCreateKeyExW(reader, L"New", 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr))
      << "creating a key needs KEY_CREATE_SUB_KEY on its parent's handle";
  EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Rights\\New"));
  EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(reader, L"Existing", 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr))
      << "opening an existing one does not";
  RegCloseKey(sub);
  RegCloseKey(reader);
  RegCloseKey(writer);
}

TEST(WinsimRegistry, PathsAreRelativeToTheHandleTheyAreGivenWith) {
  winsim::Reset();
  HKEY software = Create(HKEY_LOCAL_MACHINE, "Software");
  HKEY nested = Create(software, "Tevorlyn\\Sub");
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(nested, "Here", REG_DWORD, winsim::DwordBytes(1)));
  EXPECT_TRUE(winsim::RegistryValue("HKLM\\Software\\Tevorlyn\\Sub", "Here", nullptr, nullptr));
  HKEY same = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(nested, L"", 0, KEY_READ, &same)) << "an empty path opens the key again";
  EXPECT_NE(nested, same);
  DWORD count = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(same, L"here", nullptr, nullptr, nullptr, &count));
  EXPECT_EQ(3u, winsim::OpenKeyCount());
  for (HKEY k : {same, nested, software}) EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(k));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(HKEY_LOCAL_MACHINE)) << "closing a predefined root is harmless";
  EXPECT_EQ(0u, winsim::OpenKeyCount());
}

TEST(WinsimRegistry, RootsAreSeparateAndClassesRootIsMachineClasses) {
  winsim::Reset();
  HKEY user = Create(HKEY_CURRENT_USER, "Software\\Tevorlyn");
  RegCloseKey(user);
  EXPECT_TRUE(winsim::RegistryKeyExists("HKCU\\Software\\Tevorlyn"));
  EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Tevorlyn"));

  HKEY ext = Create(HKEY_CLASSES_ROOT, ".tvl");
  ASSERT_EQ(ERROR_SUCCESS, SetBytes(ext, nullptr, REG_SZ, winsim::SzBytes("Tevorlyn.Document")));
  RegCloseKey(ext);
  EXPECT_TRUE(winsim::RegistryValue("HKLM\\Software\\Classes\\.tvl", "", nullptr, nullptr));
  EXPECT_TRUE(winsim::RegistryValue("HKCR\\.TVL", "", nullptr, nullptr));
  HKEY seen = nullptr;
  EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.tvl", 0, KEY_READ, &seen));
  RegCloseKey(seen);
}

TEST(WinsimRegistry, DeleteKeyRefusesKeysWithSubkeysAndDeadHandlesFail) {
  winsim::Reset();
  winsim::CreateRegistryKey("HKLM\\Software\\Gone\\Child");
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Gone"));
  EXPECT_TRUE(winsim::RegistryKeyExists("HKLM\\Software\\Gone\\Child"));
  HKEY child = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Gone\\Child", 0, KEY_ALL_ACCESS, &child));
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"software\\gone\\CHILD"));
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Gone"));
  EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Gone"));
  DWORD one = 1;
  EXPECT_EQ(ERROR_KEY_DELETED, RegSetValueExW(child, L"v", 0, REG_DWORD, (const BYTE *)&one, 4));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(child)) << "the handle itself still needs closing";
}

TEST(WinsimRegistry, EnumerationWalksAKey) {
  winsim::Reset();
  for (const char *name : {"Zeta", "alpha", "Beta"}) winsim::CreateRegistryKey(std::string("HKLM\\Software\\Walk\\") + name);
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Walk");
  SetBytes(key, "second", REG_DWORD, winsim::DwordBytes(2));
  SetBytes(key, "First", REG_SZ, winsim::SzBytes("1"));

  std::vector<std::string> keys;
  WCHAR name[64];
  for (DWORD i = 0;; ++i) {
    DWORD chars = 64;
    LONG r = RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(ERROR_SUCCESS, r) << i;
    EXPECT_EQ((DWORD)lstrlenW(name), chars) << i;
    keys.push_back(winsim::Utf8(name));
  }
  EXPECT_EQ((std::vector<std::string>{"alpha", "Beta", "Zeta"}), keys);
  DWORD tiny = 4;
  EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyExW(key, 0, name, &tiny, nullptr, nullptr, nullptr, nullptr))
      << "\"alpha\" and its terminator need 6 characters";

  std::vector<std::string> values;
  for (DWORD i = 0;; ++i) {
    DWORD chars = 64, type = 0, bytes = 0;
    LONG r = RegEnumValueW(key, i, name, &chars, nullptr, &type, nullptr, &bytes);
    if (r == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(ERROR_SUCCESS, r) << i;
    values.push_back(winsim::Utf8(name) + ":" + std::to_string(type) + ":" + std::to_string(bytes));
  }
  EXPECT_EQ((std::vector<std::string>{"second:4:4", "First:1:4"}), values);

  DWORD sub_keys = 0, longest = 0, value_count = 0, longest_name = 0, largest = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &sub_keys, &longest, nullptr, &value_count,
                                            &longest_name, &largest, nullptr, nullptr));
  EXPECT_EQ(3u, sub_keys);
  EXPECT_EQ(5u, longest);
  EXPECT_EQ(2u, value_count);
  EXPECT_EQ(6u, longest_name);
  EXPECT_EQ(4u, largest);
  RegCloseKey(key);
}

}  // namespace
