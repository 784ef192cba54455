// FormatUnsigned within its contract: a template shorter than 63 characters with one '%'
// followed by a conversion character. The result is compared with the same text built here:
// the characters before '%', the value (hexadecimal for 'x', else decimal), then the rest of
// the template while the whole stays within 63 characters.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "wizard/wizard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 4) return -1;
  DWORD value = (DWORD)data[0] | (DWORD)data[1] << 8 | (DWORD)data[2] << 16 | (DWORD)data[3] << 24;
  std::string format((const char *)data + 4, size - 4);
  size_t percent = format.find('%');
  if (format.size() >= 63 || format.find('\0') != std::string::npos || percent == std::string::npos ||
      format.find('%', percent + 1) != std::string::npos || percent + 1 == format.size())
    return -1;

  char digits[16];
  std::snprintf(digits, sizeof digits, format[percent + 1] == 'x' ? "%x" : "%u", (unsigned)value);
  std::string expected = format.substr(0, percent) + digits;
  for (size_t i = percent + 2; i < format.size() && expected.size() < 63; ++i) expected += format[i];

  // Room for the longest result, on the heap so a write past it is caught.
  const size_t room = 63 + 10 + 1;
  char *out = new char[room];
  std::memset(out, 0x55, room);
  int n = FormatUnsigned(out, format.c_str(), value);
  bool ok = n == (int)expected.size() && std::strcmp(out, expected.c_str()) == 0;
  delete[] out;
  if (!ok) {
    std::fprintf(stderr, "fuzz_format_unsigned: \"%s\" with %u gives %d characters, expected \"%s\"\n",
                 format.c_str(), (unsigned)value, n, expected.c_str());
    std::abort();
  }
  return 0;
}
