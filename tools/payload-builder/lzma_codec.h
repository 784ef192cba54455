// Thin liblzma wrappers: the raw LZMA1 stream we store, its property bytes, and the
// stream xz --format=lzma -9e would make, as the size to beat.
#pragma once
#include <lzma.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kLzmaPropertiesSize = 5;
constexpr size_t kLzmaAloneHeaderSize = 13;  // properties plus the 8-byte size field

// Smallest 2^n or 3*2^n that holds `image_size`, at least 4096: the decoder allocates
// the whole dictionary, so it must not be much larger than the image.
uint32_t NiceDictSize(uint64_t image_size);

// One raw LZMA1 stream ending with the end-of-stream marker.
bool EncodeRawLzma1(const std::vector<uint8_t>& input, const lzma_options_lzma& options,
                    std::vector<uint8_t>& stream, std::string& error);

// Properties byte (pb*5+lp)*9+lc followed by the dictionary size, little-endian.
bool EncodeLzma1Properties(const lzma_options_lzma& options, uint8_t out[kLzmaPropertiesSize],
                           std::string& error);

// Stream size of `xz --format=lzma -9e`, i.e. its output without the 13 header bytes.
bool ReferenceStreamSize(const std::vector<uint8_t>& input, uint64_t& size, std::string& error);
