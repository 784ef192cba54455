// One ENTRY argument decoded: where the row's bytes come from and its FILETIME.
#pragma once
#include <cstdint>
#include <string>

struct EntrySpec {
  bool is_filler = false;
  std::string path;           // file to read, when !is_filler
  uint64_t filler_size = 0;   // byte count, when is_filler
  uint64_t filetime = 0;      // 0: no time
};

// Parses ENTRY for table row `row`; false with `error` set on a usage error.
bool ParseEntrySpec(const std::string& text, unsigned row, EntrySpec& spec, std::string& error);
