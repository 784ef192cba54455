// DecodePayloadStream takes back the bytes produced even when the decoder stops with an error
// or without meeting the end marker: the size and checksum tests decide, not its verdict.
#include <gtest/gtest.h>
#include <winsim_test.h>

#include "native/lzma_fixture.h"
#include "payload/payload.h"

namespace {

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> v(n);
  uint32_t x = 12345;
  for (size_t i = 0; i < n; ++i) {
    x = x * 1103515245u + 12345u;
    v[i] = (uint8_t)(i % 64 < 32 ? x >> 24 : i);
  }
  return v;
}

TEST(DecodePayloadStream, Results) {
  winsim::Reset();
  std::vector<uint8_t> image = Pattern(300000);
  std::vector<uint8_t> whole = testing_support::EncodeResource(image);
  ASSERT_FALSE(whole.empty());
  std::vector<uint8_t> out(1u << 20);

  EXPECT_EQ(image.size(), DecodePayloadStream(whole.data(), (DWORD)whole.size(), out.data(), (DWORD)out.size()));
  EXPECT_TRUE(std::equal(image.begin(), image.end(), out.begin()));

  // Cut in half: no end marker, the input runs out; what was produced still counts.
  DWORD half = DecodePayloadStream(whole.data(), (DWORD)whole.size() / 2, out.data(), (DWORD)out.size());
  EXPECT_GT(half, 0u);
  EXPECT_LT(half, image.size());
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + half, image.begin()));

  // The output limit stops decoding without error; exactly the limit is produced.
  EXPECT_EQ(1000u, DecodePayloadStream(whole.data(), (DWORD)whole.size(), out.data(), 1000));

  // Invalid properties and a resource shorter than them produce nothing.
  std::vector<uint8_t> bad = whole;
  bad[0] = 0xE1;
  EXPECT_EQ(0u, DecodePayloadStream(bad.data(), (DWORD)bad.size(), out.data(), (DWORD)out.size()));
  EXPECT_EQ(0u, DecodePayloadStream(whole.data(), 4, out.data(), (DWORD)out.size()));
  EXPECT_EQ(0u, winsim::HeapBlocksInUse());
}

TEST(DecodePayloadStream, SmallDictionaryActsAs4096) {
  winsim::Reset();
  std::vector<uint8_t> image = Pattern(3000);
  std::vector<uint8_t> res = testing_support::EncodeResource(image);
  res[1] = 1;  // dictionary size 1 byte: the decoder treats it as 4096, which covers 3000 bytes
  res[2] = res[3] = res[4] = 0;
  std::vector<uint8_t> out(8192);
  EXPECT_EQ(image.size(), DecodePayloadStream(res.data(), (DWORD)res.size(), out.data(), (DWORD)out.size()));
}

}  // namespace

namespace {

TEST(DecodePayloadStream, AHugeStoredDictionaryIsCappedAtTheOutputLimit) {
  winsim::Reset();
  std::vector<uint8_t> image(5000, 'x');
  std::vector<uint8_t> res = testing_support::EncodeResource(image);
  res[1] = res[2] = res[3] = res[4] = 0xFF;  // 4 GiB - 1
  winsim::FailAllocationsFrom(64u << 20);    // the decoder must not even ask for that much
  std::vector<uint8_t> out(1u << 20);
  EXPECT_EQ(image.size(), DecodePayloadStream(res.data(), (DWORD)res.size(), out.data(), (DWORD)out.size()));
  EXPECT_EQ(0u, winsim::HeapBlocksInUse());
}

}  // namespace
