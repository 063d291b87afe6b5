// The drawing primitives on a page of 32-bit pixels (placeholder bodies until drawn in full).
#include "platform/page.h"

#include <algorithm>

namespace wedgora {

void clearPage(Page& page, Colour colour) { std::fill(page.pixels.begin(), page.pixels.end(), colour); }
void drawPixel(Page& page, int x, int y, Colour colour) {
  if (page.contains(x, y)) page.at(x, y) = colour;
}
void drawLine(Page&, int, int, int, int, Colour) {}
void drawBox(Page&, int, int, int, int, Colour, bool) {}
void drawDisc(Page&, int, int, int, Colour) {}
void drawArc(Page&, int, int, int, double, double, Colour) {}
void floodFill(Page&, int, int, Colour, Colour) {}
void drawText(Page&, int, int, std::string_view, Colour) {}

}  // namespace wedgora
