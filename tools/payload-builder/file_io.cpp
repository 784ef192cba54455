// Plain stdio file access; errors carry the path and errno text for the user.
#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string Failure(const char* what, const std::string& path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

}  // namespace

bool ReadWholeFile(const std::string& path, uint64_t max_size, std::vector<uint8_t>& data,
                   std::string& error) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    error = Failure("cannot open", path);
    return false;
  }
  data.clear();
  uint8_t chunk[65536];
  bool ok = true;
  for (;;) {
    const size_t got = std::fread(chunk, 1, sizeof chunk, f);
    data.insert(data.end(), chunk, chunk + got);
    if (data.size() > max_size) {
      error = path + " is larger than " + std::to_string(max_size) + " bytes";
      ok = false;
      break;
    }
    if (got < sizeof chunk) {
      if (std::ferror(f)) {
        error = Failure("cannot read", path);
        ok = false;
      }
      break;
    }
  }
  std::fclose(f);
  return ok;
}

bool WriteFileReplacing(const std::string& path, const void* data, size_t size,
                        std::string& error) {
  const std::string temp = path + ".tmp";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) {
    error = Failure("cannot create", temp);
    return false;
  }
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  if (!ok) error = Failure("cannot write", temp);
  if (std::fclose(f) != 0 && ok) {
    error = Failure("cannot write", temp);
    ok = false;
  }
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
    error = Failure("cannot rename to", path);
    ok = false;
  }
  if (!ok) std::remove(temp.c_str());
  return ok;
}
