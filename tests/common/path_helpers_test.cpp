// The small path and text helpers: AppendSlash, FormatUnsigned, the DPI inset and the rule
// that a destination folder leaves room for the file names behind it.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "install/install.h"
#include "shell/shell.h"
#include "wizard/wizard.h"

namespace {

using testing_support::U8;
using testing_support::W;

TEST(AppendSlash, Table) {
  struct Case {
    const char *in, *out;
  } cases[] = {
      {"", "\\"},
      {"C:", "C:\\"},
      {"C:\\Apps", "C:\\Apps\\"},
      {"C:\\Apps\\", "C:\\Apps\\"},
      {"C:\\Apps/", "C:\\Apps\\"},
      {"C:\\Apps\\\\", "C:\\Apps\\\\"},  // only the last unit is looked at
      {"\\\\server\\share", "\\\\server\\share\\"},
  };
  for (const Case &c : cases) {
    WCHAR buffer[64];
    std::vector<WCHAR> in = W(c.in);
    for (size_t i = 0; i < in.size(); ++i) buffer[i] = in[i];
    AppendSlash(buffer);
    EXPECT_EQ(c.out, U8(buffer)) << "in: \"" << c.in << "\"";
  }
}

TEST(FormatUnsigned, Table) {
  struct Case {
    const char *format;
    DWORD value;
    const char *text;
  } cases[] = {
      {"%u MB", 512000, "512000 MB"},
      {"%u MB", 0, "0 MB"},
      {"%u MB", 4294967295u, "4294967295 MB"},
      {"%x", 255, "ff"},
      {"%x!", 0xDEADBEEF, "deadbeef!"},
      {"no conversion", 7, "no conversion"},
      {"[%d]", 42, "[42]"},  // any other conversion character is decimal
      {"trailing %", 9, "trailing 9"},  // outside the contract: nothing read past the end
  };
  for (const Case &c : cases) {
    char out[80];
    memset(out, 0x7F, sizeof out);
    int n = FormatUnsigned(out, c.format, c.value);
    EXPECT_STREQ(c.text, out) << c.format;
    EXPECT_EQ((int)strlen(c.text), n) << c.format;
  }
}

TEST(FormatUnsigned, StopsAtSixtyThreeCharacters) {
  std::string format = "%u" + std::string(100, 'z');
  char out[128];
  EXPECT_EQ(63, FormatUnsigned(out, format.c_str(), 12345));
  EXPECT_EQ(63u, strlen(out));
}

TEST(DpiInset, Table) {
  const struct {
    UINT dpi;
    int inset;
  } cases[] = {{96, 5}, {120, 6}, {144, 7}, {192, 10}, {288, 15}, {383, 19}, {384, 20}, {480, 20}, {0, 0}};
  for (const auto &c : cases) EXPECT_EQ(c.inset, DpiInset(c.dpi)) << "dpi " << c.dpi;
}

TEST(DestinationFits, LongestFileNameMustStayBelowMaxPath) {
  // "CloakBeacon.exe" is 15 characters: a folder of 244 gives a 259-character path.
  std::string fits = "C:\\" + std::string(240, 'f') + "\\";
  ASSERT_EQ(244u, fits.size());
  EXPECT_TRUE(DestinationFits(W(fits).data()));
  EXPECT_FALSE(DestinationFits(W(fits.substr(0, 243) + "g\\").data()));
  EXPECT_TRUE(DestinationFits(W("C:\\Program Files\\Tevorlyn\\").data()));
}

}  // namespace
