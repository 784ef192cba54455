/// \file
/// Windows path resolution onto the sandbox: drive letters, UNC shares, rooted and relative
/// paths, both separators, case-insensitive names.
#pragma once

#include "sim.h"

namespace winsim {

struct Resolved {
  DWORD error = 0;             // non-zero: the path is malformed or its volume is unknown
  std::string host;            // host path of the whole path
  std::string volume_key;      // "c:" or "\\server\share"
  bool exists = false;         // the whole path exists
  bool is_dir = false;         // ... as a folder
  bool parent_exists = false;  // every component before the last exists as a folder
  bool is_root = false;        // the path names a volume root
  bool trailing_sep = false;   // the path ends in a separator
};

Resolved Resolve(LPCWSTR path);

}  // namespace winsim
