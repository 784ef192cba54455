// The registry's test control: the dump's exact text, seeding without counted calls, lookups
// by test path.
#include <gtest/gtest.h>
#include <winsim_test.h>

namespace {

TEST(WinsimRegistryDump, PrintsEveryKeyAndValueSortedInTheDocumentedFormat) {
  winsim::Reset();
  const std::string key = "HKLM\\Software\\Tevorlyn";
  winsim::SetRegistryValue(key, "EstimatedSize", REG_DWORD, winsim::DwordBytes(0x861));
  winsim::SetRegistryValue(key, "AppPath", REG_SZ, winsim::SzBytes("D:\\Apps\\"));
  winsim::SetRegistryValue(key, "", REG_SZ, winsim::SzBytes("x"));
  winsim::SetRegistryValue(key, "bare", REG_SZ, {'a', 0, 'b', 0});
  winsim::SetRegistryValue(key, "Blob", REG_BINARY, {0x00, 0xab, 0x10});
  winsim::SetRegistryValue(key, "Empty", REG_BINARY, {});
  winsim::SetRegistryValue(key, "Expand", REG_EXPAND_SZ, winsim::SzBytes("%TEMP%"));
  winsim::SetRegistryValue(key, "List", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0});
  winsim::SetRegistryValue(key, "ShortDword", REG_DWORD, {1, 2});
  winsim::SetRegistryValue(key, "Odd", 0x42, {9});
  winsim::CreateRegistryKey(key + "\\zeta");
  winsim::CreateRegistryKey(key + "\\Beta\\Inner");
  winsim::CreateRegistryKey("HKCU\\Software\\NotInTheMachineDump");

  EXPECT_EQ("HKLM\n"
            "HKLM\\Software\n"
            "HKLM\\Software\\Tevorlyn\n"
            "  @ REG_SZ \"x\" (4 bytes)\n"
            "  \"AppPath\" REG_SZ \"D:\\Apps\\\" (18 bytes)\n"
            "  \"bare\" REG_SZ \"ab\" [no terminator] (4 bytes)\n"
            "  \"Blob\" REG_BINARY hex:00,ab,10 (3 bytes)\n"
            "  \"Empty\" REG_BINARY hex: (0 bytes)\n"
            "  \"EstimatedSize\" REG_DWORD 0x861 (4 bytes)\n"
            "  \"Expand\" REG_EXPAND_SZ \"%TEMP%\" (14 bytes)\n"
            "  \"List\" REG_MULTI_SZ hex:61,00,00,00,00,00 (6 bytes)\n"
            "  \"Odd\" type(66) hex:09 (1 bytes)\n"
            "  \"ShortDword\" REG_DWORD hex:01,02 (2 bytes)\n"
            "HKLM\\Software\\Tevorlyn\\Beta\n"
            "HKLM\\Software\\Tevorlyn\\Beta\\Inner\n"
            "HKLM\\Software\\Tevorlyn\\zeta\n",
            winsim::RegistryDump());
}

TEST(WinsimRegistryDump, DumpsASubtreeOrNothing) {
  winsim::Reset();
  EXPECT_EQ("HKLM\n", winsim::RegistryDump()) << "the tree starts empty";
  EXPECT_EQ("HKCU\n", winsim::RegistryDump("HKEY_CURRENT_USER"));
  winsim::SetRegistryValue("HKCR\\.tvl", "", REG_SZ, winsim::SzBytes("Doc"));
  EXPECT_EQ("HKLM\\Software\\Classes\\.tvl\n  @ REG_SZ \"Doc\" (8 bytes)\n", winsim::RegistryDump("hkcr\\.TVL"));
  EXPECT_EQ("", winsim::RegistryDump("HKLM\\Software\\Missing"));
  EXPECT_EQ("", winsim::RegistryDump("HKXX\\Software"));
}

TEST(WinsimRegistryDump, TextStopsAtTheFirstNul) {
  winsim::Reset();
  winsim::SetRegistryValue("HKLM\\K", "Two", REG_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0});
  EXPECT_EQ("HKLM\\K\n  \"Two\" REG_SZ \"a\" (8 bytes)\n", winsim::RegistryDump("HKLM\\K"));
}

TEST(WinsimRegistryDump, SeedingIsNotACallAndReplacesValues) {
  winsim::Reset();
  winsim::FailCall("RegSetValueExW", 1, ERROR_ACCESS_DENIED);
  winsim::SetRegistryValue("HKLM\\Software\\Seed", "v", REG_DWORD, winsim::DwordBytes(1));
  winsim::SetRegistryValue("HKLM\\Software\\Seed", "V", REG_SZ, winsim::SzBytes("two"));
  EXPECT_EQ(0u, winsim::CallCount("RegSetValueExW"));
  DWORD type = 0;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(winsim::RegistryValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\SEED", "v", &type, &bytes));
  EXPECT_EQ((DWORD)REG_SZ, type);
  EXPECT_EQ(winsim::SzBytes("two"), bytes);
  EXPECT_FALSE(winsim::RegistryValue("HKLM\\Software\\Seed", "w", &type, &bytes));
  EXPECT_FALSE(winsim::RegistryValue("HKLM\\Software\\Nowhere", "v", &type, &bytes));

  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Seed", 0, KEY_READ, &key));
  DWORD count = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"v", nullptr, &type, nullptr, &count));
  EXPECT_EQ(8u, count);
  RegCloseKey(key);
}

TEST(WinsimRegistryDump, ResetEmptiesTheRegistryAndForgetsHandles) {
  winsim::Reset();
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Left", 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &key, nullptr));
  EXPECT_EQ(1u, winsim::OpenKeyCount());
  winsim::Reset();
  EXPECT_EQ(0u, winsim::OpenKeyCount());
  EXPECT_FALSE(winsim::RegistryKeyExists("HKLM\\Software\\Left"));
}

}  // namespace
