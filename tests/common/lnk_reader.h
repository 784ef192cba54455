// Reads Shell Link (.lnk) files per Microsoft's published [MS-SHLLINK] format, independently
// of whoever wrote them (winsim, Windows, Wine): the target path and the StringData fields.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct LinkFile {
  uint32_t flags = 0;            // LinkFlags
  uint32_t attributes = 0;       // FileAttributes of the target
  int32_t icon_index = 0;
  uint32_t show_command = 0;
  uint16_t hotkey = 0;
  bool has_id_list = false;      // a LinkTargetIDList was present (and skipped)
  std::string target;            // from LinkInfo: local base path or network share, plus suffix
  std::string description, relative_path, working_dir, arguments, icon_location;
};

// False when the bytes are not a well-formed link (every offset and size is checked).
bool ReadLinkFile(const std::vector<uint8_t> &bytes, LinkFile *link);

// The target path in UTF-8; false for a malformed link or one without a LinkInfo target.
bool ReadLinkTarget(const std::vector<uint8_t> &bytes, std::string *target_utf8);

}  // namespace testing_support
