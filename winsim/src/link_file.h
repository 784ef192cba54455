/// \file
/// The bytes of a Shell Link (.lnk) file as Microsoft's published [MS-SHLLINK] format lays
/// them out: header, LinkInfo with the target's path, StringData, terminal block.
#pragma once

#include "sim.h"

namespace winsim {

struct LinkContents {
  std::string target;  // UTF-8 Windows path; empty: no LinkInfo
  DWORD target_attributes = 0;
  std::string description, relative_path, working_dir, arguments, icon_path;
  int icon_index = 0;
  int show_command = 1;  // SW_SHOWNORMAL
  WORD hotkey = 0;
};

std::vector<uint8_t> BuildLinkFile(const LinkContents &link);

}  // namespace winsim
