// Key names of the layer: PC set-1 scan codes and the texts that the key queue delivers.
//
// An ordinary key reads as one character (the one the keyboard layout gives; Esc is 27,
// Enter 13, Backspace 8, Tab 9). An extended key reads as two: byte 255, then the character
// whose code is the key's set-1 scan code. The window's close request reads as 255, 'k'.
#pragma once

#include <string>

namespace wedgora {

namespace scan {
constexpr int kEsc = 0x01;
constexpr int k1 = 0x02;  // digits 1..9, 0 are 0x02..0x0B
constexpr int kMinus = 0x0C;
constexpr int kEquals = 0x0D;
constexpr int kBackspace = 0x0E;
constexpr int kTab = 0x0F;
constexpr int kQ = 0x10;  // Q W E R T Y U I O P are 0x10..0x19
constexpr int kLeftBracket = 0x1A;
constexpr int kRightBracket = 0x1B;
constexpr int kEnter = 0x1C;
constexpr int kLeftCtrl = 0x1D;
constexpr int kA = 0x1E;  // A S D F G H J K L are 0x1E..0x26
constexpr int kSemicolon = 0x27;
constexpr int kApostrophe = 0x28;
constexpr int kGrave = 0x29;
constexpr int kLeftShift = 0x2A;
constexpr int kBackslash = 0x2B;
constexpr int kZ = 0x2C;  // Z X C V B N M are 0x2C..0x32
constexpr int kComma = 0x33;
constexpr int kPeriod = 0x34;
constexpr int kSlash = 0x35;
constexpr int kRightShift = 0x36;
constexpr int kKeypadStar = 0x37;
constexpr int kLeftAlt = 0x38;
constexpr int kSpace = 0x39;
constexpr int kCapsLock = 0x3A;
constexpr int kF1 = 0x3B;  // F1..F10 are 0x3B..0x44
constexpr int kF10 = 0x44;
constexpr int kHome = 0x47;
constexpr int kUp = 0x48;
constexpr int kPageUp = 0x49;
constexpr int kLeft = 0x4B;
constexpr int kRight = 0x4D;
constexpr int kEnd = 0x4F;
constexpr int kDown = 0x50;
constexpr int kPageDown = 0x51;
constexpr int kInsert = 0x52;
constexpr int kDelete = 0x53;
constexpr int kF11 = 0x57;
constexpr int kF12 = 0x58;
constexpr int kTableSize = 0x80;
}  // namespace scan

// The text the key queue delivers for an extended key with this scan code.
inline std::string extendedKey(int scancode) {
  return std::string{char(0xFF), char(scancode)};
}

// The close request of the window, as the key queue delivers it.
inline std::string closeRequestKey() {
  return std::string{char(0xFF), 'k'};
}

// The set-1 scan code of the physical key that types this character on a US layout
// (letters in either case, digits, space and the usual punctuation); 0 when there is none.
int scancodeForChar(char c);

// Lower-cases A..Z only; every other byte, 255 included, is unchanged.
std::string lowerCase(std::string text);

}  // namespace wedgora
