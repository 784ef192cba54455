// Small helpers of the winsim registry tests: create a key (expecting success) and set a
// value from bytes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/test_support.h"

namespace registry_helpers {

inline HKEY Create(HKEY root, const char *path, REGSAM access = KEY_ALL_ACCESS, DWORD *disposition = nullptr) {
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, testing_support::W(path).data(), 0, nullptr,
                                           REG_OPTION_NON_VOLATILE, access, nullptr, &key, disposition))
      << path;
  return key;
}

inline LONG SetBytes(HKEY key, const char *name, DWORD type, const std::vector<uint8_t> &bytes) {
  return RegSetValueExW(key, name ? testing_support::W(name).data() : nullptr, 0, type, bytes.data(),
                        (DWORD)bytes.size());
}

}  // namespace registry_helpers
