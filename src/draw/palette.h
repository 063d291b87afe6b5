// The game's colours that more than one screen uses (0xAARRGGBB, always opaque).
#pragma once

#include "platform/page.h"

namespace wedgora::palette {

inline constexpr Colour kBlack = 0xFF000000;
inline constexpr Colour kWhite = 0xFFFFFFFF;
inline constexpr Colour kRed = 0xFFFF0000;
inline constexpr Colour kGreen = 0xFF00FF00;
inline constexpr Colour kBlue = 0xFF0000FF;
inline constexpr Colour kYellow = 0xFFFFFF00;
// The ground of the backdrop, also the band of the title box and the pause panel.
inline constexpr Colour kBackdropGrey = 0xFF1E1E1E;

}  // namespace wedgora::palette
