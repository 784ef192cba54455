// What payload-builder hands out: the resource bytes, the generated numbers source
// and the summary printed on stdout.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "candidates.h"

struct PayloadNumbers {
  uint32_t resource_size;
  uint32_t image_size;
  uint32_t image_checksum;
};

// Property bytes followed by the stream; false only if liblzma rejects the options.
bool ResourceBytes(const EncodingChoice& choice, std::vector<uint8_t>& resource, std::string& error);

std::string NumbersSource(const PayloadNumbers& numbers);

std::string Summary(const PayloadNumbers& numbers, const EncodingChoice& choice);
