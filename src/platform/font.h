// The built-in 8 x 16 font: one glyph per printable ASCII character (32 to 126).
#pragma once

#include <array>
#include <cstdint>

namespace wedgora {

constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 16;

// Sixteen rows of one glyph, top row first; bit 7 of a row is the leftmost pixel.
using Glyph = std::array<std::uint8_t, kGlyphHeight>;

// The glyph for a byte. Bytes outside 32..126 have no glyph and give an empty cell.
const Glyph& glyphFor(unsigned char c);

}  // namespace wedgora
