// PayloadChecksum: the worked values, and the four-bytes-per-iteration path against the
// byte-by-byte definition for every count from 0 to 9.
#include <gtest/gtest.h>

#include "payload/payload.h"

namespace {

DWORD ByteByByte(const BYTE *data, DWORD count) {
  DWORD r = 0;
  for (DWORD i = 0; i < count; ++i) {
    r += data[i];
    r = (r << 1) | (r >> 31);
  }
  return r;
}

TEST(PayloadChecksum, WorkedValues) {
  struct Case {
    const char *text;
    DWORD expected;
  } cases[] = {{"", 0}, {"a", 0xC2}, {"abc", 0x556}};
  for (const Case &c : cases)
    EXPECT_EQ(c.expected, PayloadChecksum((const BYTE *)c.text, (DWORD)strlen(c.text))) << "\"" << c.text << "\"";
}

TEST(PayloadChecksum, MatchesByteByByteForCountsZeroToNine) {
  // High bytes make every addition carry and every rotation move a set bit 31.
  const BYTE data[] = {0xFF, 0x80, 0xFE, 0x01, 0x7F, 0xC3, 0x99, 0xFF, 0xAA, 0x55};
  for (DWORD count = 0; count <= 9; ++count)
    EXPECT_EQ(ByteByByte(data, count), PayloadChecksum(data, count)) << "count " << count;
}

TEST(PayloadChecksum, RotationCarriesBit31IntoBit0) {
  // 32 bytes of 0xFF drive r through values with bit 31 set; compare with the definition.
  BYTE data[37];
  memset(data, 0xFF, sizeof data);
  EXPECT_EQ(ByteByByte(data, sizeof data), PayloadChecksum(data, sizeof data));
}

}  // namespace
