// Scan codes for typed characters, and the layer's lower-casing.
#include "platform/keys.h"

#include <cstring>

namespace wedgora {

int scancodeForChar(char c) {
  // Rows of a US keyboard, unshifted and shifted, starting at the scan code of the row's
  // first key.
  struct Row {
    int first;
    const char* plain;
    const char* shifted;
  };
  static const Row rows[] = {
      {0x02, "1234567890-=", "!@#$%^&*()_+"},
      {0x10, "qwertyuiop[]", "QWERTYUIOP{}"},
      {0x1E, "asdfghjkl;'`", "ASDFGHJKL:\"~"},
      {0x2B, "\\zxcvbnm,./", "|ZXCVBNM<>?"},
  };
  if (c == '\0') return 0;
  for (const Row& row : rows) {
    if (const char* p = std::strchr(row.plain, c)) return row.first + int(p - row.plain);
    if (const char* p = std::strchr(row.shifted, c)) return row.first + int(p - row.shifted);
  }
  switch (c) {
    case ' ':
      return scan::kSpace;
    case 27:
      return scan::kEsc;
    case 13:
      return scan::kEnter;
    case 8:
      return scan::kBackspace;
    case 9:
      return scan::kTab;
    default:
      return 0;
  }
}

std::string lowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return text;
}

}  // namespace wedgora
