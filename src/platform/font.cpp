// The built-in 8 x 16 font (placeholder until the glyphs are drawn).
#include "platform/font.h"

namespace wedgora {

const Glyph& glyphFor(unsigned char) {
  static const Glyph empty{};
  return empty;
}

}  // namespace wedgora
