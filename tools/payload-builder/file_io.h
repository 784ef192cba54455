// Whole-file reading with a size cap, and writing through a temporary file plus rename.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// False with `error` set if the file cannot be read or holds more than `max_size` bytes.
bool ReadWholeFile(const std::string& path, uint64_t max_size, std::vector<uint8_t>& data,
                   std::string& error);

// Writes PATH.tmp, then renames it over PATH, so readers never see half a file.
bool WriteFileReplacing(const std::string& path, const void* data, size_t size,
                        std::string& error);
