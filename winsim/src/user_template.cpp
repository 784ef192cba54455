/// \file
/// Reads extended dialog templates: a header with the frame's styles, size, class, title and
/// font, then DWORD-aligned items. Every read is bounds-checked against the resource size.
#include "user_template.h"

namespace winsim {
namespace {

struct Reader {
  const uint8_t *base;
  size_t size, at;
  bool ok;

  bool Need(size_t n) {
    if (ok && at <= size && size - at >= n) return true;
    ok = false;
    return false;
  }
  WORD Word() {
    if (!Need(2)) return 0;
    WORD v = (WORD)(base[at] | base[at + 1] << 8);
    at += 2;
    return v;
  }
  DWORD Dword() {
    DWORD lo = Word();
    return lo | (DWORD)Word() << 16;
  }
  short Short() { return (short)Word(); }
  BYTE Byte() {
    if (!Need(1)) return 0;
    return base[at++];
  }
  std::u16string String() {
    std::u16string s;
    for (WORD c = Word(); ok && c; c = Word()) s += (char16_t)c;
    return s;
  }
  // sz_Or_Ord: 0x0000 (nothing), 0xFFFF and an ordinal, or a terminated string.
  void StringOrOrdinal(WORD *ordinal, std::u16string *text) {
    *ordinal = 0;
    text->clear();
    if (!Need(2)) return;
    WORD first = (WORD)(base[at] | base[at + 1] << 8);
    if (first == 0xFFFF) {
      Word();
      *ordinal = Word();
    } else {
      *text = String();
    }
  }
  // Items start on a DWORD boundary measured from the start of the template.
  void AlignDword() { at = (at + 3) & ~(size_t)3; }
};

}  // namespace

bool ParseDialogTemplate(const uint8_t *data, size_t size, DialogTemplate *out, std::string *error) {
  Reader r{data, size, 0, data != nullptr};
  *out = DialogTemplate();
  WORD version = r.Word(), signature = r.Word();
  if (!r.ok || version != 1 || signature != 0xFFFF) {
    *error = "not an extended dialog template (dlgVer 1, signature 0xFFFF)";
    return false;
  }
  out->help_id = r.Dword();
  out->ex_style = r.Dword();
  out->style = r.Dword();
  WORD count = r.Word();
  out->x = r.Short();
  out->y = r.Short();
  out->cx = r.Short();
  out->cy = r.Short();
  WORD ordinal;
  std::u16string menu;
  r.StringOrOrdinal(&ordinal, &menu);
  r.StringOrOrdinal(&ordinal, &out->class_name);
  out->title = r.String();
  if (out->style & DS_SETFONT) {
    out->point_size = r.Word();
    out->weight = r.Word();
    out->italic = r.Byte();
    out->charset = r.Byte();
    out->typeface = r.String();
  }
  for (WORD i = 0; i < count && r.ok; ++i) {
    r.AlignDword();
    ItemTemplate item;
    item.help_id = r.Dword();
    item.ex_style = r.Dword();
    item.style = r.Dword();
    item.x = r.Short();
    item.y = r.Short();
    item.cx = r.Short();
    item.cy = r.Short();
    item.id = r.Dword();
    r.StringOrOrdinal(&item.class_ordinal, &item.class_name);
    r.StringOrOrdinal(&item.title_ordinal, &item.title);
    WORD extra = r.Word();
    if (extra && r.Need(extra)) r.at += extra;
    if (r.ok) out->items.push_back(item);
  }
  if (!r.ok) {
    *error = "dialog template is truncated";
    return false;
  }
  return true;
}

}  // namespace winsim
