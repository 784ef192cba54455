/// \file
/// FormatUnsigned: a template with one '%' conversion, the value written in decimal (or in
/// lower-case hex for 'x') with no sign, padding or leading zeros.
#include "wizard/wizard.h"

static const int kFormatLimit = 63;  // characters written after the number at most run up to this count

int FormatUnsigned(char *destination, const char *format, DWORD value) {
  static const char kDigits[] = "0123456789abcdef";
  int n = 0;
  while (format[n] && format[n] != '%') {
    destination[n] = format[n];
    ++n;
  }
  if (!format[n]) {
    destination[n] = 0;
    return n;
  }
  const char *rest = format + n + 1;
  DWORD base = *rest == 'x' ? 16 : 10;
  int first = n;
  do {
    destination[n++] = kDigits[value % base];
    value /= base;
  } while (value);
  for (int i = first, j = n - 1; i < j; ++i, --j) {
    char c = destination[i];
    destination[i] = destination[j];
    destination[j] = c;
  }
  // A '%' at the very end has no conversion character to skip: never read past the template.
  if (*rest) ++rest;
  while (*rest && n < kFormatLimit) destination[n++] = *rest++;
  destination[n] = 0;
  return n;
}
