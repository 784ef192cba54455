// Parses FILE[@FILETIME] and filler:SIZE[@FILETIME] entries.
#include "entry_spec.h"

#include "image.h"

namespace {

// Decimal digits only (no sign, no spaces), without overflowing 64 bits.
bool ParseDecimal(const std::string& text, uint64_t& value) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (v > (UINT64_MAX - digit) / 10) return false;
    v = v * 10 + digit;
  }
  value = v;
  return true;
}

const char kFillerPrefix[] = "filler:";

}  // namespace

bool ParseEntrySpec(const std::string& text, unsigned row, EntrySpec& spec, std::string& error) {
  const std::string where = "entry " + std::to_string(row) + " '" + text + "': ";
  std::string body = text;
  spec = EntrySpec();

  // Only a suffix of digits counts as a time, so "a@b.txt" stays a file name.
  const size_t at = body.rfind('@');
  if (at != std::string::npos && ParseDecimal(body.substr(at + 1), spec.filetime)) {
    if (!RowTakesFiletime(row)) {
      error = where + "rows 0 and 9 carry no FILETIME";
      return false;
    }
    if (spec.filetime == 0) {
      error = where + "FILETIME must not be 0 (leave it out instead)";
      return false;
    }
    body.resize(at);
  }

  if (body.compare(0, sizeof(kFillerPrefix) - 1, kFillerPrefix) == 0) {
    spec.is_filler = true;
    if (!ParseDecimal(body.substr(sizeof(kFillerPrefix) - 1), spec.filler_size)) {
      error = where + "filler SIZE must be a decimal byte count";
      return false;
    }
    return true;
  }
  if (body.empty()) {
    error = where + "empty file name";
    return false;
  }
  spec.path = body;
  return true;
}
