// A bounds-checked .lnk reader: header, optional LinkTargetIDList (skipped by its size),
// LinkInfo (Unicode paths preferred over ANSI ones), StringData. ANSI text is read as Latin-1.
#include "common/lnk_reader.h"

namespace testing_support {
namespace {

const uint8_t kShellLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
const uint32_t kHasLinkTargetIdList = 0x1, kHasLinkInfo = 0x2, kIsUnicode = 0x80, kForceNoLinkInfo = 0x100;
const uint32_t kStringFlags[5] = {0x4, 0x8, 0x10, 0x20, 0x40};  // name, relative path, dir, args, icon

struct Span {
  const uint8_t *p;
  size_t size;
  bool Has(size_t at, size_t n) const { return at <= size && n <= size - at; }
  uint16_t U16(size_t at) const { return (uint16_t)(p[at] | p[at + 1] << 8); }
  uint32_t U32(size_t at) const { return U16(at) | (uint32_t)U16(at + 2) << 16; }
};

void AppendUtf8(uint32_t c, std::string *out) {
  if (c < 0x80) {
    *out += (char)c;
  } else if (c < 0x800) {
    *out += (char)(0xC0 | c >> 6);
    *out += (char)(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out += (char)(0xE0 | c >> 12);
    *out += (char)(0x80 | ((c >> 6) & 0x3F));
    *out += (char)(0x80 | (c & 0x3F));
  } else {
    *out += (char)(0xF0 | c >> 18);
    *out += (char)(0x80 | ((c >> 12) & 0x3F));
    *out += (char)(0x80 | ((c >> 6) & 0x3F));
    *out += (char)(0x80 | (c & 0x3F));
  }
}

// `count` UTF-16 units at `at`, or up to a NUL when count is -1.
bool Utf16(const Span &s, size_t at, long count, std::string *out) {
  out->clear();
  for (long i = 0; count < 0 || i < count; ++i, at += 2) {
    if (!s.Has(at, 2)) return false;
    uint32_t c = s.U16(at);
    if (count < 0 && c == 0) return true;
    if (c >= 0xD800 && c < 0xDC00 && s.Has(at + 2, 2) && s.U16(at + 2) >= 0xDC00 && s.U16(at + 2) < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s.U16(at + 2) - 0xDC00);
      at += 2;
      ++i;
    }
    AppendUtf8(c, out);
  }
  return true;
}

bool Ansi(const Span &s, size_t at, std::string *out) {
  out->clear();
  for (; s.Has(at, 1); ++at) {
    if (!s.p[at]) return true;
    AppendUtf8(s.p[at], out);
  }
  return false;
}

// A string at an offset inside LinkInfo; a zero offset means the field is absent.
bool InfoString(const Span &info, uint32_t offset, bool unicode, std::string *out) {
  if (!offset) return false;
  return unicode ? Utf16(info, offset, -1, out) : Ansi(info, offset, out);
}

bool ReadLinkInfo(const Span &info, std::string *target) {
  if (!info.Has(0, 0x1C)) return false;
  uint32_t header = info.U32(4), flags = info.U32(8);
  bool has_unicode = header >= 0x24 && info.Has(0, 0x24);
  std::string base, suffix;
  if (flags & 0x1) {
    if (!(has_unicode && InfoString(info, info.U32(0x1C), true, &base)) &&
        !InfoString(info, info.U32(0x10), false, &base))
      return false;
  } else if (flags & 0x2) {
    uint32_t at = info.U32(0x14);
    if (!at || !info.Has(at, 0x14)) return false;
    Span link{info.p + at, info.size - at};
    uint32_t net_name = link.U32(8);
    bool unicode_name = net_name > 0x14 && link.Has(0, 0x1C) && link.U32(0x14);
    if (!(unicode_name && InfoString(link, link.U32(0x14), true, &base)) && !InfoString(link, net_name, false, &base))
      return false;
  } else {
    return false;
  }
  if (!(has_unicode && InfoString(info, info.U32(0x20), true, &suffix)))
    InfoString(info, info.U32(0x18), false, &suffix);
  // The local base path and the suffix are simply concatenated; a share name (\\server\share)
  // needs the separator before its suffix.
  bool join = !(flags & 0x1) && !suffix.empty() && !base.empty() && base.back() != '\\';
  *target = base + (join ? "\\" : "") + suffix;
  return true;
}

}  // namespace

bool ReadLinkFile(const std::vector<uint8_t> &bytes, LinkFile *link) {
  *link = LinkFile();
  Span s{bytes.data(), bytes.size()};
  if (!s.Has(0, 0x4C) || s.U32(0) != 0x4C) return false;
  for (int i = 0; i < 16; ++i)
    if (s.p[4 + i] != kShellLinkClsid[i]) return false;
  link->flags = s.U32(0x14);
  link->attributes = s.U32(0x18);
  link->icon_index = (int32_t)s.U32(0x38);
  link->show_command = s.U32(0x3C);
  link->hotkey = s.U16(0x40);
  size_t at = 0x4C;
  if (link->flags & kHasLinkTargetIdList) {
    if (!s.Has(at, 2)) return false;
    size_t list = s.U16(at);
    if (!s.Has(at + 2, list)) return false;
    link->has_id_list = true;
    at += 2 + list;
  }
  if (link->flags & kHasLinkInfo) {
    if (!s.Has(at, 4)) return false;
    uint32_t size = s.U32(at);
    if (size < 0x1C || !s.Has(at, size)) return false;
    if (!(link->flags & kForceNoLinkInfo)) ReadLinkInfo(Span{s.p + at, size}, &link->target);
    at += size;
  }
  std::string *fields[5] = {&link->description, &link->relative_path, &link->working_dir, &link->arguments,
                            &link->icon_location};
  bool unicode = link->flags & kIsUnicode;
  for (int i = 0; i < 5; ++i) {
    if (!(link->flags & kStringFlags[i])) continue;
    if (!s.Has(at, 2)) return false;
    size_t chars = s.U16(at);
    at += 2;
    if (unicode) {
      if (!Utf16(s, at, (long)chars, fields[i])) return false;
      at += chars * 2;
    } else {
      if (!s.Has(at, chars)) return false;
      fields[i]->clear();
      for (size_t k = 0; k < chars; ++k) AppendUtf8(s.p[at + k], fields[i]);
      at += chars;
    }
  }
  return true;
}

bool ReadLinkTarget(const std::vector<uint8_t> &bytes, std::string *target_utf8) {
  LinkFile link;
  if (!ReadLinkFile(bytes, &link) || link.target.empty()) return false;
  *target_utf8 = link.target;
  return true;
}

}  // namespace testing_support
