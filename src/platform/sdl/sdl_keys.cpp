// SDL scan codes to PC set-1 scan codes, and the characters and extended codes keys type.
#include "platform/sdl/sdl_keys.h"

#include <array>
#include <cstring>

#include "platform/keys.h"

namespace wedgora {
namespace {

struct Set1 {
  SDL_Scancode sdl;
  int set1;
};

// The physical keys of a PC keyboard. SDL names scan codes after the US layout's legends,
// whatever layout is active, so this table is about key positions only.
constexpr Set1 kSet1Table[] = {
    {SDL_SCANCODE_ESCAPE, 0x01},
    {SDL_SCANCODE_1, 0x02},
    {SDL_SCANCODE_2, 0x03},
    {SDL_SCANCODE_3, 0x04},
    {SDL_SCANCODE_4, 0x05},
    {SDL_SCANCODE_5, 0x06},
    {SDL_SCANCODE_6, 0x07},
    {SDL_SCANCODE_7, 0x08},
    {SDL_SCANCODE_8, 0x09},
    {SDL_SCANCODE_9, 0x0A},
    {SDL_SCANCODE_0, 0x0B},
    {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D},
    {SDL_SCANCODE_BACKSPACE, 0x0E},
    {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10},
    {SDL_SCANCODE_W, 0x11},
    {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13},
    {SDL_SCANCODE_T, 0x14},
    {SDL_SCANCODE_Y, 0x15},
    {SDL_SCANCODE_U, 0x16},
    {SDL_SCANCODE_I, 0x17},
    {SDL_SCANCODE_O, 0x18},
    {SDL_SCANCODE_P, 0x19},
    {SDL_SCANCODE_LEFTBRACKET, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0x1B},
    {SDL_SCANCODE_RETURN, 0x1C},
    {SDL_SCANCODE_LCTRL, 0x1D},
    {SDL_SCANCODE_A, 0x1E},
    {SDL_SCANCODE_S, 0x1F},
    {SDL_SCANCODE_D, 0x20},
    {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22},
    {SDL_SCANCODE_H, 0x23},
    {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25},
    {SDL_SCANCODE_L, 0x26},
    {SDL_SCANCODE_SEMICOLON, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0x28},
    {SDL_SCANCODE_GRAVE, 0x29},
    {SDL_SCANCODE_LSHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0x2B},
    {SDL_SCANCODE_NONUSHASH, 0x2B},
    {SDL_SCANCODE_Z, 0x2C},
    {SDL_SCANCODE_X, 0x2D},
    {SDL_SCANCODE_C, 0x2E},
    {SDL_SCANCODE_V, 0x2F},
    {SDL_SCANCODE_B, 0x30},
    {SDL_SCANCODE_N, 0x31},
    {SDL_SCANCODE_M, 0x32},
    {SDL_SCANCODE_COMMA, 0x33},
    {SDL_SCANCODE_PERIOD, 0x34},
    {SDL_SCANCODE_SLASH, 0x35},
    {SDL_SCANCODE_RSHIFT, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, 0x37},
    {SDL_SCANCODE_LALT, 0x38},
    {SDL_SCANCODE_SPACE, 0x39},
    {SDL_SCANCODE_CAPSLOCK, 0x3A},
    {SDL_SCANCODE_F1, 0x3B},
    {SDL_SCANCODE_F2, 0x3C},
    {SDL_SCANCODE_F3, 0x3D},
    {SDL_SCANCODE_F4, 0x3E},
    {SDL_SCANCODE_F5, 0x3F},
    {SDL_SCANCODE_F6, 0x40},
    {SDL_SCANCODE_F7, 0x41},
    {SDL_SCANCODE_F8, 0x42},
    {SDL_SCANCODE_F9, 0x43},
    {SDL_SCANCODE_F10, 0x44},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45},
    {SDL_SCANCODE_SCROLLLOCK, 0x46},
    {SDL_SCANCODE_KP_7, 0x47},
    {SDL_SCANCODE_KP_8, 0x48},
    {SDL_SCANCODE_KP_9, 0x49},
    {SDL_SCANCODE_KP_MINUS, 0x4A},
    {SDL_SCANCODE_KP_4, 0x4B},
    {SDL_SCANCODE_KP_5, 0x4C},
    {SDL_SCANCODE_KP_6, 0x4D},
    {SDL_SCANCODE_KP_PLUS, 0x4E},
    {SDL_SCANCODE_KP_1, 0x4F},
    {SDL_SCANCODE_KP_2, 0x50},
    {SDL_SCANCODE_KP_3, 0x51},
    {SDL_SCANCODE_KP_0, 0x52},
    {SDL_SCANCODE_KP_PERIOD, 0x53},
    {SDL_SCANCODE_NONUSBACKSLASH, 0x56},
    {SDL_SCANCODE_F11, 0x57},
    {SDL_SCANCODE_F12, 0x58},
    // The grey keys: on a PC they send E0 and then the code of the keypad key or of the
    // main key they duplicate; the held-key table does not tell them apart.
    {SDL_SCANCODE_KP_ENTER, 0x1C},
    {SDL_SCANCODE_RCTRL, 0x1D},
    {SDL_SCANCODE_KP_DIVIDE, 0x35},
    {SDL_SCANCODE_RALT, 0x38},
    {SDL_SCANCODE_HOME, 0x47},
    {SDL_SCANCODE_UP, 0x48},
    {SDL_SCANCODE_PAGEUP, 0x49},
    {SDL_SCANCODE_LEFT, 0x4B},
    {SDL_SCANCODE_RIGHT, 0x4D},
    {SDL_SCANCODE_END, 0x4F},
    {SDL_SCANCODE_DOWN, 0x50},
    {SDL_SCANCODE_PAGEDOWN, 0x51},
    {SDL_SCANCODE_INSERT, 0x52},
    {SDL_SCANCODE_DELETE, 0x53},
    {SDL_SCANCODE_LGUI, 0x5B},
    {SDL_SCANCODE_RGUI, 0x5C},
    {SDL_SCANCODE_APPLICATION, 0x5D},
};

bool isKeypadNavigation(SDL_Scancode s) {
  return (s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_9 && s != SDL_SCANCODE_KP_5) ||
         s == SDL_SCANCODE_KP_0 || s == SDL_SCANCODE_KP_PERIOD;
}

// Keys that read as byte 255 and their scan code's character.
bool isExtended(const SDL_Keysym& key) {
  switch (key.scancode) {
    case SDL_SCANCODE_UP:
    case SDL_SCANCODE_DOWN:
    case SDL_SCANCODE_LEFT:
    case SDL_SCANCODE_RIGHT:
    case SDL_SCANCODE_HOME:
    case SDL_SCANCODE_END:
    case SDL_SCANCODE_PAGEUP:
    case SDL_SCANCODE_PAGEDOWN:
    case SDL_SCANCODE_INSERT:
    case SDL_SCANCODE_DELETE:
      return true;
    default:
      break;
  }
  if (key.scancode >= SDL_SCANCODE_F1 && key.scancode <= SDL_SCANCODE_F12) return true;
  // With Num Lock off the keypad's digits are its arrows, Home, End and the rest.
  return isKeypadNavigation(key.scancode) && (key.mod & KMOD_NUM) == 0;
}

// What the keypad types when it types characters.
char keypadChar(SDL_Scancode s) {
  switch (s) {
    case SDL_SCANCODE_KP_DIVIDE:
      return '/';
    case SDL_SCANCODE_KP_MULTIPLY:
      return '*';
    case SDL_SCANCODE_KP_MINUS:
      return '-';
    case SDL_SCANCODE_KP_PLUS:
      return '+';
    case SDL_SCANCODE_KP_ENTER:
      return 13;
    case SDL_SCANCODE_KP_PERIOD:
      return '.';
    case SDL_SCANCODE_KP_0:
      return '0';
    default:
      break;
  }
  if (s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_9) return char('1' + (s - SDL_SCANCODE_KP_1));
  return 0;
}

// The US layout's shifted symbols; letters are handled apart, with Caps Lock.
char shifted(char c) {
  static const char plain[] = "1234567890-=[]\\;',./`";
  static const char shift[] = "!@#$%^&*()_+{}|:\"<>?~";
  if (const char* p = std::strchr(plain, c)) return shift[p - plain];
  return c;
}

}  // namespace

int set1Scancode(SDL_Scancode scancode) {
  static const auto table = [] {
    std::array<unsigned char, SDL_NUM_SCANCODES> t{};
    for (const Set1& entry : kSet1Table) t[entry.sdl] = static_cast<unsigned char>(entry.set1);
    return t;
  }();
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return table[scancode];
}

std::string keyText(const SDL_Keysym& key) {
  if (isExtended(key)) return extendedKey(set1Scancode(key.scancode));
  // With Num Lock off the keypad's middle key has nothing to do.
  if (key.scancode == SDL_SCANCODE_KP_5 && (key.mod & KMOD_NUM) == 0) return {};
  if (char c = keypadChar(key.scancode)) return std::string(1, c);

  // The keycode is the character the active layout puts on the key, unshifted.
  const SDL_Keycode sym = key.sym;
  switch (sym) {
    case SDLK_ESCAPE:
      return std::string(1, char(27));
    case SDLK_RETURN:
      return std::string(1, char(13));
    case SDLK_BACKSPACE:
      return std::string(1, char(8));
    case SDLK_TAB:
      return std::string(1, char(9));
    default:
      break;
  }
  // Only plain ASCII reaches the queue: the layout's other characters are not one byte, and
  // the game reads none of them.
  if (sym < 32 || sym > 126) return {};
  char c = char(sym);
  const bool shift = (key.mod & KMOD_SHIFT) != 0;
  if (c >= 'a' && c <= 'z') {
    // Ctrl with a letter types its control code, as on a PC console.
    if (key.mod & KMOD_CTRL) return std::string(1, char(c - 'a' + 1));
    const bool caps = (key.mod & KMOD_CAPS) != 0;
    if (shift != caps) c = char(c - 'a' + 'A');
    return std::string(1, c);
  }
  if (shift) c = shifted(c);
  return std::string(1, c);
}

}  // namespace wedgora
