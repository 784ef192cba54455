// Makes payload resources at test time: an image compressed as five property bytes and a raw
// LZMA1 stream with its end marker, optionally padded or cut to a given size.
#pragma once
#include <lzma.h>

#include <cstdint>
#include <vector>

namespace testing_support {

inline std::vector<uint8_t> EncodeResource(const std::vector<uint8_t> &image) {
  lzma_options_lzma options;
  lzma_lzma_preset(&options, 1);
  options.dict_size = 1u << 20;
  lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
  std::vector<uint8_t> out(5 + image.size() + image.size() / 2 + 4096);
  if (lzma_properties_encode(&filters[0], out.data()) != LZMA_OK) return {};
  lzma_stream s = LZMA_STREAM_INIT;
  if (lzma_raw_encoder(&s, filters) != LZMA_OK) return {};
  s.next_in = image.data();
  s.avail_in = image.size();
  s.next_out = out.data() + 5;
  s.avail_out = out.size() - 5;
  lzma_ret ret;
  do ret = lzma_code(&s, LZMA_FINISH); while (ret == LZMA_OK);
  out.resize(5 + s.total_out);
  lzma_end(&s);
  return ret == LZMA_STREAM_END ? out : std::vector<uint8_t>();
}

// Zero bytes behind the end marker are never read, so padding keeps the stream's meaning.
inline std::vector<uint8_t> Sized(std::vector<uint8_t> bytes, size_t size) {
  bytes.resize(size, 0);
  return bytes;
}

}  // namespace testing_support
