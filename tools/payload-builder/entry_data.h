// Gathers the ten entries' bytes from files and filler, refusing an oversized image first.
#pragma once
#include <string>
#include <vector>

#include "entry_spec.h"
#include "image.h"

// Reproducible pseudo-random bytes; the seed is the table row.
std::vector<uint8_t> FillerBytes(unsigned row, size_t size);

// False with `error` set when a file cannot be read or the image would exceed 4 MiB.
bool LoadEntries(const std::vector<EntrySpec>& specs, std::vector<PayloadEntry>& entries,
                 std::string& error);
