/// \file
/// An extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items) as plain
/// records, and the parser that reads one from resource bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace winsim {

struct ItemTemplate {
  DWORD help_id = 0, ex_style = 0, style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  WORD class_ordinal = 0;  // 0x0080.. for the predefined classes, else 0
  std::u16string class_name;
  WORD title_ordinal = 0;  // e.g. the icon id of an SS_ICON static
  std::u16string title;
};

struct DialogTemplate {
  DWORD help_id = 0, ex_style = 0, style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::u16string class_name, title;
  WORD point_size = 0, weight = 0;
  BYTE italic = 0, charset = 0;
  std::u16string typeface;
  std::vector<ItemTemplate> items;
};

// False (and a reason in *error) for anything but a well-formed extended template that
// fits inside `size` bytes.
bool ParseDialogTemplate(const uint8_t *data, size_t size, DialogTemplate *out, std::string *error);

}  // namespace winsim
