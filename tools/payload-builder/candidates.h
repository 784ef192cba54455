// Picks the LZMA settings for the payload: several candidates are encoded and the
// smallest stream is kept, which must not be larger than xz -9e's.
#pragma once
#include <lzma.h>

#include <cstdint>
#include <string>
#include <vector>

struct EncodingChoice {
  lzma_options_lzma options;
  std::vector<uint8_t> stream;
  bool has_reference = false;   // false with --fast
  uint64_t reference_size = 0;  // xz -9e stream size
};

// The settings tried, best guess first; `fast` keeps only the first.
std::vector<lzma_options_lzma> CandidateOptions(uint64_t image_size, bool fast);

bool ChooseEncoding(const std::vector<uint8_t>& image, bool fast, EncodingChoice& choice,
                    std::string& error);
