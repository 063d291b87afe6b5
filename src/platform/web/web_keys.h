// Browser keys in the layer's terms: the text a key queues and the physical key it holds.
//
// A browser names a key twice: KeyboardEvent.key is what the layout types ("q", "Q", "Escape",
// "ArrowLeft") and KeyboardEvent.code is the physical key ("KeyQ", "ArrowLeft"). The text comes
// from the first, exactly as on the desktop: one character for an ordinary key, byte 255 and
// the set-1 scan code for an extended one. The held-key table is indexed by the second.
#pragma once

#include <string>
#include <string_view>

namespace wedgora {

struct BrowserKey {
  std::string text;  // what the key queue receives; "" for keys that type nothing (Shift)
  int scancode = 0;  // set-1 scan code of the physical key; 0 when it has none
};

// Maps a keydown's KeyboardEvent.key and KeyboardEvent.code (both as UTF-8); `control` is
// true while Ctrl (and not AltGr) is held, which makes a letter type its control code.
BrowserKey browserKey(std::string_view key, std::string_view code, bool control = false);

// The set-1 scan code of a KeyboardEvent.code ("KeyQ" is 0x10, "Escape" 1); 0 when unknown.
int scancodeForCode(std::string_view code);

}  // namespace wedgora
