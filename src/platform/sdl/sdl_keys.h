// SDL's key events in the layer's terms: the PC set-1 scan code of the physical key, and the
// text the key queue delivers for it.
#pragma once

#include <SDL.h>

#include <string>

namespace wedgora {

// The set-1 scan code of the physical key (0 for keys the layer does not track). The grey
// navigation keys share their codes with the keypad keys in the same place, as on a PC.
int set1Scancode(SDL_Scancode scancode);

// What a press of this key types: one character for an ordinary key, byte 255 and the scan
// code's character for an extended key, "" for keys that type nothing (Shift, Ctrl...).
std::string keyText(const SDL_Keysym& key);

}  // namespace wedgora
