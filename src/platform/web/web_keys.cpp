// Browser key names to key texts and set-1 scan codes.
#include "platform/web/web_keys.h"

#include <cstring>

#include "platform/keys.h"

namespace wedgora {

namespace {

struct Named {
  const char* name;
  int scancode;
};

// Keys whose KeyboardEvent.key reads as an extended key: byte 255 and this scan code.
constexpr Named kExtendedKeys[] = {
    {"ArrowUp", scan::kUp},       {"ArrowDown", scan::kDown},    {"ArrowLeft", scan::kLeft},
    {"ArrowRight", scan::kRight}, {"Home", scan::kHome},         {"End", scan::kEnd},
    {"PageUp", scan::kPageUp},    {"PageDown", scan::kPageDown}, {"Insert", scan::kInsert},
    {"Delete", scan::kDelete},    {"F11", scan::kF11},           {"F12", scan::kF12},
};

// Physical keys outside the letter, digit and function rows, by KeyboardEvent.code. The keypad
// shares its codes with the keys it doubles for, as a PC keyboard does.
constexpr Named kCodes[] = {
    {"Escape", scan::kEsc},
    {"Minus", scan::kMinus},
    {"Equal", scan::kEquals},
    {"Backspace", scan::kBackspace},
    {"Tab", scan::kTab},
    {"BracketLeft", scan::kLeftBracket},
    {"BracketRight", scan::kRightBracket},
    {"Enter", scan::kEnter},
    {"NumpadEnter", scan::kEnter},
    {"ControlLeft", scan::kLeftCtrl},
    {"ControlRight", scan::kLeftCtrl},
    {"Semicolon", scan::kSemicolon},
    {"Quote", scan::kApostrophe},
    {"Backquote", scan::kGrave},
    {"ShiftLeft", scan::kLeftShift},
    {"Backslash", scan::kBackslash},
    {"Comma", scan::kComma},
    {"Period", scan::kPeriod},
    {"Slash", scan::kSlash},
    {"NumpadDivide", scan::kSlash},
    {"ShiftRight", scan::kRightShift},
    {"NumpadMultiply", scan::kKeypadStar},
    {"AltLeft", scan::kLeftAlt},
    {"AltRight", scan::kLeftAlt},
    {"Space", scan::kSpace},
    {"CapsLock", scan::kCapsLock},
    {"NumLock", 0x45},
    {"ScrollLock", 0x46},
    {"Home", scan::kHome},
    {"Numpad7", scan::kHome},
    {"ArrowUp", scan::kUp},
    {"Numpad8", scan::kUp},
    {"PageUp", scan::kPageUp},
    {"Numpad9", scan::kPageUp},
    {"NumpadSubtract", 0x4A},
    {"ArrowLeft", scan::kLeft},
    {"Numpad4", scan::kLeft},
    {"Numpad5", 0x4C},
    {"ArrowRight", scan::kRight},
    {"Numpad6", scan::kRight},
    {"NumpadAdd", 0x4E},
    {"End", scan::kEnd},
    {"Numpad1", scan::kEnd},
    {"ArrowDown", scan::kDown},
    {"Numpad2", scan::kDown},
    {"PageDown", scan::kPageDown},
    {"Numpad3", scan::kPageDown},
    {"Insert", scan::kInsert},
    {"Numpad0", scan::kInsert},
    {"Delete", scan::kDelete},
    {"NumpadDecimal", scan::kDelete},
    {"IntlBackslash", 0x56},
    {"F11", scan::kF11},
    {"F12", scan::kF12},
    {"MetaLeft", 0x5B},
    {"MetaRight", 0x5C},
    {"ContextMenu", 0x5D},
};

template <std::size_t N>
int lookUp(const Named (&table)[N], std::string_view name) {
  for (const Named& entry : table) {
    if (name == entry.name) return entry.scancode;
  }
  return 0;
}

// "F1".."F10" as 1..10; 0 for anything else.
int functionKeyNumber(std::string_view name) {
  if (name.size() < 2 || name.size() > 3 || name[0] != 'F') return 0;
  int n = 0;
  for (char c : name.substr(1)) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n >= 1 && n <= 10 && name[1] != '0' ? n : 0;
}

}  // namespace

int scancodeForCode(std::string_view code) {
  // "KeyQ" and "Digit1" name the key by what it types on a US layout.
  if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z') {
    return scancodeForChar(code[3]);
  }
  if (code.size() == 6 && code.substr(0, 5) == "Digit" && code[5] >= '0' && code[5] <= '9') {
    return scancodeForChar(code[5]);
  }
  if (int f = functionKeyNumber(code)) return scan::kF1 + f - 1;
  return lookUp(kCodes, code);
}

BrowserKey browserKey(std::string_view key, std::string_view code, bool control) {
  BrowserKey result;
  result.scancode = scancodeForCode(code);
  if (key.size() == 1 && key[0] >= ' ' && key[0] <= '~') {
    // One printable character, as the layout typed it (with Shift and Caps Lock applied).
    // Ctrl with a letter types its control code, as on the desktop.
    const char c = key[0];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    result.text = std::string(1, control && letter ? char((c | 0x20) - 'a' + 1) : c);
  } else if (key == "Escape") {
    result.text = std::string(1, char(27));
  } else if (key == "Enter") {
    result.text = std::string(1, char(13));
  } else if (key == "Backspace") {
    result.text = std::string(1, char(8));
  } else if (key == "Tab") {
    result.text = std::string(1, char(9));
  } else if (int f = functionKeyNumber(key)) {
    result.text = extendedKey(scan::kF1 + f - 1);
  } else if (int extended = lookUp(kExtendedKeys, key)) {
    result.text = extendedKey(extended);
  }
  // Anything else (Shift, a dead key, a character outside ASCII) types nothing.

  // A browser that leaves the physical key unnamed still holds the key the text stands for.
  if (result.scancode == 0 && result.text.size() == 1) {
    result.scancode = scancodeForChar(result.text[0]);
  } else if (result.scancode == 0 && result.text.size() == 2) {
    result.scancode = static_cast<unsigned char>(result.text[1]);
  }
  return result;
}

}  // namespace wedgora
