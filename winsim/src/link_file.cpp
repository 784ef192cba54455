/// \file
/// Builds .lnk bytes per [MS-SHLLINK]: no item list, a LinkInfo that carries the target both
/// as ANSI and as Unicode (a local path on a fixed drive, or a UNC share plus suffix), then the
/// Unicode StringData the link was given.
#include "link_file.h"

#include <winsim_test.h>

namespace winsim {
namespace {

const uint32_t kHasLinkInfo = 0x2;
const uint32_t kHasName = 0x4;
const uint32_t kHasRelativePath = 0x8;
const uint32_t kHasWorkingDir = 0x10;
const uint32_t kHasArguments = 0x20;
const uint32_t kHasIconLocation = 0x40;
const uint32_t kIsUnicode = 0x80;
const uint8_t kShellLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
const uint32_t kHeaderSize = 0x4C;
const uint32_t kLinkInfoHeaderSize = 0x24;  // with the two Unicode offsets
const uint32_t kDriveFixed = 3;

struct Out {
  std::vector<uint8_t> bytes;
  void U8(uint8_t v) { bytes.push_back(v); }
  void U16(uint32_t v) { U8((uint8_t)v), U8((uint8_t)(v >> 8)); }
  void U32(uint32_t v) { U16(v & 0xffff), U16(v >> 16); }
  void Put32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = (uint8_t)(v >> (8 * i));
  }
  // ANSI strings hold what the system code page can; the Unicode copies carry the rest.
  void Ansi(const std::string &utf8) {
    std::vector<WCHAR> w = Wide(utf8);
    for (size_t i = 0; i + 1 < w.size(); ++i) U8((uint16_t)w[i] < 0x80 ? (uint8_t)w[i] : (uint8_t)'?');
    U8(0);
  }
  void Unicode(const std::string &utf8) {
    for (WCHAR c : Wide(utf8)) U16((uint16_t)c);
  }
  size_t Size() const { return bytes.size(); }
};

void Header(const LinkContents &link, uint32_t flags, Out *out) {
  out->U32(kHeaderSize);
  for (uint8_t b : kShellLinkClsid) out->U8(b);
  out->U32(flags);
  out->U32(link.target_attributes);
  for (int i = 0; i < 6; ++i) out->U32(0);  // creation, access and write times
  out->U32(0);                              // file size
  out->U32((uint32_t)link.icon_index);
  out->U32((uint32_t)link.show_command);
  out->U16(link.hotkey);
  out->U16(0);
  out->U32(0);
  out->U32(0);
}

// \\server\share\rest: the share is the network name, the rest the common path suffix.
bool SplitUnc(const std::string &path, std::string *net_name, std::string *suffix) {
  if (path.size() < 2 || path[0] != '\\' || path[1] != '\\') return false;
  size_t server_end = path.find('\\', 2);
  if (server_end == std::string::npos) return false;
  size_t share_end = path.find('\\', server_end + 1);
  *net_name = path.substr(0, share_end);
  *suffix = share_end == std::string::npos ? std::string() : path.substr(share_end + 1);
  return true;
}

void LinkInfo(const std::string &target, Out *out) {
  size_t start = out->Size();
  std::string net_name, suffix;
  bool network = SplitUnc(target, &net_name, &suffix);
  for (uint32_t i = 0; i < kLinkInfoHeaderSize; i += 4) out->U32(0);
  auto offset = [&] { return (uint32_t)(out->Size() - start); };
  auto field = [&](uint32_t at, uint32_t value) { out->Put32(start + at, value); };
  field(0x04, kLinkInfoHeaderSize);
  if (network) {
    field(0x08, 0x2);  // CommonNetworkRelativeLinkAndPathSuffix
    field(0x14, offset());
    size_t link_start = out->Size();
    // Header size 0x1C: NetNameOffset > 0x14 announces the Unicode name offsets.
    out->U32(0), out->U32(0), out->U32(0x1C), out->U32(0), out->U32(0), out->U32(0), out->U32(0);
    out->Ansi(net_name);
    out->Put32(link_start + 0x14, (uint32_t)(out->Size() - link_start));
    out->Unicode(net_name);
    out->Put32(link_start, (uint32_t)(out->Size() - link_start));
  } else {
    field(0x08, 0x1);  // VolumeIDAndLocalBasePath
    field(0x0C, offset());
    out->U32(0x11);         // VolumeIDSize: four fields and an empty label
    out->U32(kDriveFixed);
    out->U32(0x54455631);   // DriveSerialNumber
    out->U32(0x10);         // VolumeLabelOffset
    out->U8(0);
    field(0x10, offset());
    out->Ansi(target);
  }
  field(0x18, offset());
  out->Ansi(suffix);
  if (!network) {
    field(0x1C, offset());
    out->Unicode(target);
  }
  field(0x20, offset());
  out->Unicode(suffix);
  field(0x00, offset());
}

void StringData(const std::string &text, Out *out) {
  std::vector<WCHAR> w = Wide(text);
  out->U16((uint32_t)(w.size() - 1));
  for (size_t i = 0; i + 1 < w.size(); ++i) out->U16((uint16_t)w[i]);
}

}  // namespace

std::vector<uint8_t> BuildLinkFile(const LinkContents &link) {
  const struct {
    uint32_t flag;
    const std::string *text;
  } strings[] = {{kHasName, &link.description},
                 {kHasRelativePath, &link.relative_path},
                 {kHasWorkingDir, &link.working_dir},
                 {kHasArguments, &link.arguments},
                 {kHasIconLocation, &link.icon_path}};
  uint32_t flags = kIsUnicode | (link.target.empty() ? 0 : kHasLinkInfo);
  for (const auto &s : strings)
    if (!s.text->empty()) flags |= s.flag;
  Out out;
  Header(link, flags, &out);
  if (!link.target.empty()) LinkInfo(link.target, &out);
  for (const auto &s : strings)
    if (!s.text->empty()) StringData(*s.text, &out);
  out.U32(0);  // TerminalBlock of the ExtraData
  return out.bytes;
}

}  // namespace winsim
