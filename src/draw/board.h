// Drawing the board: pies and segments, the hover and click test, the backdrop, the turn
// gauge and dimming. These procedures keep no state of their own.
#pragma once

#include <cstdint>

namespace wedgora {

class Platform;
struct Pie;

// An empty pie: blue rim disc (r + 6), dark body (r + 3), six empty-look slots.
void CIRC(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t r);
// The same pie with a yellow rim: the hover highlight.
void CIRCHI(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t r);
// One segment of colour `code` into slot 1..6 of the pie centred at (x, y).
void SHOWSEG(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t slot,
             std::int32_t code);
// Draws a board pie (highlighted under the pointer) and answers 1 for a click on it.
std::int32_t CHKZONE(Platform& platform, const Pie& pie, std::int32_t click);

// Clears the work page and draws the backdrop.
void CLR(Platform& platform, std::int32_t width, std::int32_t height);
// The turn gauge: a half ring over the centre pie that shrinks as the turn runs down.
void GAUGE(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t countdown,
           std::int32_t turnFrames);
// The gauge's spent part as an angle, pi * (1 - countdown / turnFrames) in single precision:
// exactly 0 for a full turn, negative above one; 0 when turnFrames is not positive.
float gaugeSpentAngle(std::int32_t countdown, std::int32_t turnFrames);
// Halves every byte of the work page (the game-over dimming).
void SCREENDIM(Platform& platform, std::int32_t width, std::int32_t height,
               std::int32_t bytesPerPixel);

// The game's web address, shown in the window title and on the backdrop (17 characters).
inline constexpr const char* kWebAddress = "wedgora.example/1";

}  // namespace wedgora
