// LoadPayload's failure results, made by replacing or removing RCDATA 102 and by failing the
// platform's calls: 4 for the resource, 7 for the block, 21 for everything the decoder or the
// image gets wrong.
#include <gtest/gtest.h>
#include <winsim_test.h>

#include "common/test_support.h"
#include "native/lzma_fixture.h"
#include "shell/setup_state.h"

namespace {

using namespace testing_support;

class LoadPayloadFault : public ::testing::Test {
 protected:
  void SetUp() override {
    NewTestFolder();
    ZeroMemory(&state_, sizeof state_);
    InitSetupState(&state_);
    state_.instance = GetModuleHandleW(nullptr);
    original_ = winsim::ResourceBytes(RT_RCDATA, PAYLOAD_RESOURCE_ID);
    ASSERT_EQ(PAYLOAD_RESOURCE_SIZE, original_.size());
  }
  void TearDown() override {
    FreeOutputBuffer(&state_.output);
    EXPECT_EQ(0u, winsim::HeapBlocksInUse()) << "the loader or the decoder kept memory";
  }
  void Use(const std::vector<uint8_t> &bytes) { winsim::SetResource(RT_RCDATA, PAYLOAD_RESOURCE_ID, bytes.data(), bytes.size()); }

  SetupState state_;
  std::vector<uint8_t> original_;
};

TEST_F(LoadPayloadFault, MissingResourceGives4AndLeavesSizeAlone) {
  winsim::RemoveResource(RT_RCDATA, PAYLOAD_RESOURCE_ID);
  state_.payload_data = (const BYTE *)"poison";
  EXPECT_EQ(LOAD_NO_RESOURCE, LoadPayload(&state_));
  EXPECT_EQ(0u, state_.payload_size);
  EXPECT_EQ(nullptr, state_.payload_data);
  EXPECT_EQ(nullptr, state_.output.data);
}

TEST_F(LoadPayloadFault, ResourceCallsFailingGive4) {
  const char *ops[] = {"FindResourceW", "SizeofResource", "LoadResource", "LockResource"};
  for (const char *op : ops) {
    winsim::FailCall(op, 1, ERROR_RESOURCE_DATA_NOT_FOUND);
    EXPECT_EQ(LOAD_NO_RESOURCE, LoadPayload(&state_)) << op;
    EXPECT_EQ(nullptr, state_.payload_data) << op;
    EXPECT_EQ(nullptr, state_.output.data) << op << ": no block taken";
  }
}

TEST_F(LoadPayloadFault, SizeOneByteOffEitherWayGives4) {
  // The longer one still decodes to the right image; the size test comes first.
  for (long delta : {-1L, 1L}) {
    Use(Sized(original_, original_.size() + delta));
    EXPECT_EQ(LOAD_NO_RESOURCE, LoadPayload(&state_)) << "delta " << delta;
    EXPECT_EQ(PAYLOAD_RESOURCE_SIZE + delta, state_.payload_size);
    EXPECT_EQ(nullptr, state_.output.data);
  }
  Use(std::vector<uint8_t>());
  EXPECT_EQ(LOAD_NO_RESOURCE, LoadPayload(&state_)) << "empty resource";
}

TEST_F(LoadPayloadFault, NoBlockGives7WithoutCallingTheDecoder) {
  winsim::FailAllocationsFrom(OUTPUT_BUFFER_CAPACITY);
  unsigned before = winsim::CallCount("HeapAlloc");
  EXPECT_EQ(LOAD_NO_MEMORY, LoadPayload(&state_));
  EXPECT_EQ(before + 1, winsim::CallCount("HeapAlloc")) << "only the block was asked for";
  EXPECT_EQ(nullptr, state_.output.data);
}

TEST_F(LoadPayloadFault, DecoderAndImageFailuresGive21) {
  std::vector<uint8_t> bad_props = original_;
  bad_props[0] = 225;
  std::vector<uint8_t> corrupt = original_;
  for (size_t i = corrupt.size() / 2; i < corrupt.size() / 2 + 64; ++i) corrupt[i] ^= 0xA5;
  std::vector<uint8_t> one_too_many = Sized(EncodeResource(std::vector<uint8_t>(PAYLOAD_IMAGE_SIZE + 1)), PAYLOAD_RESOURCE_SIZE);
  std::vector<uint8_t> over_limit = Sized(EncodeResource(std::vector<uint8_t>(5u << 20)), PAYLOAD_RESOURCE_SIZE);
  std::vector<uint8_t> wrong_checksum = Sized(EncodeResource(std::vector<uint8_t>(PAYLOAD_IMAGE_SIZE)), PAYLOAD_RESOURCE_SIZE);
  struct Case {
    const char *name;
    const std::vector<uint8_t> *bytes;
  } cases[] = {
      {"properties byte 225", &bad_props},
      {"corrupt stream", &corrupt},
      {"image one byte too long", &one_too_many},
      {"image beyond 4 MiB", &over_limit},
      {"right size, wrong checksum", &wrong_checksum},
  };
  for (const Case &c : cases) {
    ASSERT_EQ(PAYLOAD_RESOURCE_SIZE, c.bytes->size()) << c.name;
    Use(*c.bytes);
    EXPECT_EQ(LOAD_BAD_IMAGE, LoadPayload(&state_)) << c.name;
    EXPECT_EQ(OUTPUT_BUFFER_CAPACITY, state_.output.length) << c.name << ": the limit is not reduced";
  }
}

TEST_F(LoadPayloadFault, DecoderOutOfMemoryGives21NotSeven) {
  // The block is the first allocation; every later one is the decoder's.
  winsim::FailCall("HeapAlloc", 2, ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(LOAD_BAD_IMAGE, LoadPayload(&state_));
  winsim::FailCall("HeapAlloc", 3, ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(LOAD_BAD_IMAGE, LoadPayload(&state_));
}

}  // namespace
