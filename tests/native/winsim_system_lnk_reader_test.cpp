// The test .lnk reader against links laid out by hand the way other writers lay them out: an
// item list before LinkInfo, ANSI-only LinkInfo, base path plus suffix, network shares, and
// every truncation of a valid file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/lnk_reader.h"

namespace {

struct Bytes {
  std::vector<uint8_t> v;
  Bytes &U8(uint8_t x) { return v.push_back(x), *this; }
  Bytes &U16(uint32_t x) { return U8((uint8_t)x).U8((uint8_t)(x >> 8)); }
  Bytes &U32(uint32_t x) { return U16(x & 0xffff).U16(x >> 16); }
  Bytes &Ansi(const std::string &s) {
    for (char c : s) U8((uint8_t)c);
    return U8(0);
  }
  Bytes &Utf16(const std::u16string &s) {
    for (char16_t c : s) U16(c);
    return U16(0);
  }
  Bytes &Put(const Bytes &other) {
    v.insert(v.end(), other.v.begin(), other.v.end());
    return *this;
  }
  void Set32(size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = (uint8_t)(x >> (8 * i));
  }
};

Bytes Header(uint32_t flags) {
  Bytes b;
  b.U32(0x4C);
  for (uint8_t x : {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46})
    b.U8(x);
  b.U32(flags).U32(0x20);
  for (int i = 0; i < 7; ++i) b.U32(0);  // times, size
  b.U32(0).U32(1).U16(0).U16(0).U32(0).U32(0);
  return b;
}

// Two items with opaque contents, as shells write them, and the terminating zero.
Bytes ItemList() {
  Bytes list;
  list.U16(6).U8(0x1F).U8(0x50).U16(0xABCD);
  list.U16(5).U8(0x2F).U8('C').U8(':');
  list.U16(0);
  Bytes b;
  b.U16((uint32_t)list.v.size()).Put(list);
  return b;
}

Bytes Volume() { return Bytes().U32(0x11).U32(3).U32(0x1234).U32(0x10).U8(0); }

// A local LinkInfo: header size 0x1C (ANSI only) or 0x24 (with the Unicode copies).
Bytes LocalInfo(bool unicode, const std::string &base, const std::string &suffix, const std::u16string &base_w,
                const std::u16string &suffix_w) {
  uint32_t header = unicode ? 0x24 : 0x1C;
  Bytes b;
  b.U32(0).U32(header).U32(1).U32(header).U32(0).U32(0).U32(0);
  if (unicode) b.U32(0).U32(0);
  b.Put(Volume());
  b.Set32(0x10, (uint32_t)b.v.size());
  b.Ansi(base);
  b.Set32(0x18, (uint32_t)b.v.size());
  b.Ansi(suffix);
  if (unicode) {
    b.Set32(0x1C, (uint32_t)b.v.size());
    b.Utf16(base_w);
    b.Set32(0x20, (uint32_t)b.v.size());
    b.Utf16(suffix_w);
  }
  b.Set32(0, (uint32_t)b.v.size());
  return b;
}

Bytes NetworkInfo(const std::string &net_name, const std::string &suffix) {
  Bytes b;
  b.U32(0).U32(0x1C).U32(2).U32(0).U32(0).U32(0x1C).U32(0);
  Bytes link;
  link.U32(0).U32(0).U32(0x14).U32(0).U32(0).Ansi(net_name);
  link.Set32(0, (uint32_t)link.v.size());
  b.Put(link);
  b.Set32(0x18, (uint32_t)b.v.size());
  b.Ansi(suffix);
  b.Set32(0, (uint32_t)b.v.size());
  return b;
}

Bytes StringData(const std::u16string &s) {
  Bytes b;
  b.U16((uint32_t)s.size());
  for (char16_t c : s) b.U16(c);
  return b;
}

struct Case {
  const char *row;
  std::vector<uint8_t> bytes;
  std::string target;
};

std::vector<Case> Cases() {
  return {
      {"item list, then Unicode LinkInfo",
       Header(0x1 | 0x2 | 0x80).Put(ItemList()).Put(LocalInfo(true, "C:\\A\\?.exe", "", u"C:\\A\\\u00e9.exe", u"")).U32(0).v,
       "C:\\A\\\xc3\xa9.exe"},
      {"ANSI-only LinkInfo", Header(0x2).Put(LocalInfo(false, "C:\\Old\\app.exe", "", u"", u"")).U32(0).v,
       "C:\\Old\\app.exe"},
      {"ANSI text is Latin-1", Header(0x2).Put(LocalInfo(false, "C:\\\xe9", "", u"", u"")).U32(0).v, "C:\\\xc3\xa9"},
      {"base path and suffix",
       Header(0x2 | 0x80).Put(LocalInfo(true, "C:\\Apps\\", "x.exe", u"C:\\Apps\\", u"x.exe")).U32(0).v,
       "C:\\Apps\\x.exe"},
      {"network share and suffix", Header(0x2).Put(NetworkInfo("\\\\srv\\share", "dir\\x.exe")).U32(0).v,
       "\\\\srv\\share\\dir\\x.exe"},
      {"string data after LinkInfo",
       Header(0x2 | 0x4 | 0x20 | 0x80).Put(LocalInfo(true, "C:\\a", "", u"C:\\a", u"")).Put(StringData(u"Desc"))
           .Put(StringData(u"-x")).U32(0).v,
       "C:\\a"},
  };
}

TEST(LnkReader, ReadsTargetsLaidOutByOtherWriters) {
  for (const Case &c : Cases()) {
    std::string target;
    EXPECT_TRUE(testing_support::ReadLinkTarget(c.bytes, &target)) << c.row;
    EXPECT_EQ(c.target, target) << c.row;
  }
}

TEST(LnkReader, ReadsStringDataAndNotesTheItemList) {
  std::vector<Case> cases = Cases();
  testing_support::LinkFile link;
  ASSERT_TRUE(testing_support::ReadLinkFile(cases[5].bytes, &link));
  EXPECT_EQ("Desc", link.description);
  EXPECT_EQ("-x", link.arguments);
  EXPECT_FALSE(link.has_id_list);
  ASSERT_TRUE(testing_support::ReadLinkFile(cases[0].bytes, &link));
  EXPECT_TRUE(link.has_id_list);
  EXPECT_EQ(0x20u, link.attributes);
  EXPECT_EQ(1u, link.show_command);
}

TEST(LnkReader, RejectsEveryTruncationAndForeignHeaders) {
  for (const Case &c : Cases()) {
    // The last four bytes are the terminal block, which the reader does not need; any shorter
    // file cuts a structure the flags announce.
    for (size_t n = 0; n + 4 < c.bytes.size(); ++n) {
      std::vector<uint8_t> cut(c.bytes.begin(), c.bytes.begin() + n);
      testing_support::LinkFile link;
      EXPECT_FALSE(testing_support::ReadLinkFile(cut, &link)) << c.row << " cut to " << n << " bytes";
    }
  }
  std::vector<uint8_t> wrong_clsid = Cases()[1].bytes;
  wrong_clsid[4] ^= 1;
  std::string target;
  EXPECT_FALSE(testing_support::ReadLinkTarget(wrong_clsid, &target));
  std::vector<uint8_t> wrong_size = Cases()[1].bytes;
  wrong_size[0] = 0x4D;
  EXPECT_FALSE(testing_support::ReadLinkTarget(wrong_size, &target));
}

TEST(LnkReader, ForceNoLinkInfoHidesTheTarget) {
  std::vector<uint8_t> bytes = Header(0x2 | 0x100).Put(LocalInfo(false, "C:\\x", "", u"", u"")).U32(0).v;
  std::string target;
  EXPECT_FALSE(testing_support::ReadLinkTarget(bytes, &target));
}

}  // namespace
