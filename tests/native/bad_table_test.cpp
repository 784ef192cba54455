// An image of the right size and checksum whose table does not add up gives 21, and the
// entries then hold the rows derived from that table.
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "shell/setup_state.h"

TEST(LoadPayload, TableThatDoesNotAddUpGives21) {
  testing_support::NewTestFolder();
  SetupState state;
  ZeroMemory(&state, sizeof state);
  InitSetupState(&state);
  state.instance = GetModuleHandleW(nullptr);
  EXPECT_EQ(LOAD_BAD_IMAGE, LoadPayload(&state));
  EXPECT_EQ(504u, state.entries[0].size);  // one more than the licence's real 503
  EXPECT_EQ(624u, state.entries[1].offset);
  EXPECT_EQ(2117232u, state.entries[9].offset);
  FreeOutputBuffer(&state.output);
}
