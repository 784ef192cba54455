// LoadPayload on the embedded fixture payload (ten filler entries with the release sizes):
// the result, the entries derived from the table, and the block around the image.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "shell/setup_state.h"

namespace {

using testing_support::LoadFile;

struct LoadedState {
  SetupState state;
  LoadedState() {
    testing_support::NewTestFolder();
    ZeroMemory(&state, sizeof state);
    InitSetupState(&state);
    state.instance = GetModuleHandleW(nullptr);
  }
  ~LoadedState() { FreeOutputBuffer(&state.output); }
};

TEST(LoadPayload, FixtureLoadsAndEntriesFollowTheTable) {
  LoadedState s;
  ASSERT_EQ(LOAD_OK, LoadPayload(&s.state));
  EXPECT_EQ(PAYLOAD_RESOURCE_SIZE, s.state.payload_size);
  ASSERT_NE(nullptr, s.state.payload_data);

  struct Row {
    DWORD offset, size;
  } rows[PAYLOAD_ENTRY_COUNT] = {
      {120, 503},         {623, 154624},      {155247, 174592},   {329839, 345600},   {675439, 408576},
      {1084015, 194048},  {1278063, 206336},  {1484399, 342016},  {1826415, 290816},  {2117231, 79872},
  };
  for (DWORD i = 0; i < PAYLOAD_ENTRY_COUNT; ++i) {
    EXPECT_EQ(rows[i].offset, s.state.entries[i].offset) << "row " << i;
    EXPECT_EQ(rows[i].size, s.state.entries[i].size) << "row " << i;
    bool has_time = s.state.entries[i].mtime.dwHighDateTime || s.state.entries[i].mtime.dwLowDateTime;
    EXPECT_EQ(i >= 1 && i <= 8, has_time) << "row " << i;
  }
  EXPECT_EQ(2197103u, PAYLOAD_IMAGE_SIZE);
}

TEST(LoadPayload, BlockHoldsTheImageAndZerosBehindIt) {
  LoadedState s;
  ASSERT_EQ(LOAD_OK, LoadPayload(&s.state));
  const OutputBuffer &out = s.state.output;
  EXPECT_EQ(OUTPUT_BUFFER_CAPACITY, out.length);
  EXPECT_EQ(OUTPUT_BUFFER_CAPACITY, out.capacity);
  EXPECT_EQ(1u, out.owned);
  EXPECT_EQ(1u, out.unit);
  EXPECT_EQ(0u, out.position);

  std::vector<uint8_t> image = LoadFile(TEVORLYN_FIXTURE_IMAGE);
  ASSERT_EQ(PAYLOAD_IMAGE_SIZE, image.size()) << TEVORLYN_FIXTURE_IMAGE;
  EXPECT_EQ(0, memcmp(image.data(), out.data, image.size()));
  DWORD nonzero_tail = 0;
  for (DWORD i = PAYLOAD_IMAGE_SIZE; i < out.length; ++i) nonzero_tail += out.data[i] != 0;
  EXPECT_EQ(0u, nonzero_tail);
}

TEST(OutputBuffer, LifeCycle) {
  OutputBuffer b;
  InitOutputBuffer(&b);
  EXPECT_EQ(nullptr, b.data);
  EXPECT_EQ(1u, b.unit);
  FreeOutputBuffer(&b);  // nothing held: nothing happens
  ASSERT_NE(nullptr, AllocOutputBuffer(&b));
  BYTE *first = b.data;
  first[0] = 0xAA;
  // A second allocation releases the first block and starts again from zeros.
  ASSERT_NE(nullptr, AllocOutputBuffer(&b));
  EXPECT_EQ(0, b.data[0]);
  FreeOutputBuffer(&b);
  EXPECT_EQ(nullptr, b.data);
  EXPECT_EQ(0u, b.owned);
  EXPECT_EQ(0u, b.length);
  FreeOutputBuffer(&b);  // a second release does nothing
  EXPECT_EQ(nullptr, b.data);
}

}  // namespace
