// One page of 32-bit pixels and the drawing primitives that work on it, with no window attached.
//
// Pixels are 0xAARRGGBB, stored least significant byte first (blue, green, red, alpha),
// row after row with no gap. Every primitive clips to the page: whatever falls outside is
// skipped, for any 32-bit coordinates, and work is only done for the visible part.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace wedgora {

using Colour = std::uint32_t;

struct Page {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;  // width * height, row-major

  Page() = default;
  Page(int w, int h, Colour fill = 0) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}

  bool contains(std::int64_t x, std::int64_t y) const {
    return x >= 0 && y >= 0 && x < width && y < height;
  }
  Colour at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
  Colour& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
};

// Fills every pixel of the page.
void clearPage(Page& page, Colour colour);

// One pixel; outside the page it is skipped.
void drawPixel(Page& page, int x, int y, Colour colour);

// A solid one-pixel, 8-connected (Bresenham) line, both end points included.
void drawLine(Page& page, int x1, int y1, int x2, int y2, Colour colour);

// A box with corners (x1, y1) and (x2, y2), both corners and all edges included.
void drawBox(Page& page, int x1, int y1, int x2, int y2, Colour colour, bool filled);

// A filled disc: every row from y - r to y + r, the centre row from x - r to x + r.
void drawDisc(Page& page, int x, int y, int r, Colour colour);

// An unfilled arc (or whole circle) of radius r. Angles are radians, counter-clockwise from
// the right as seen on the screen (y grows downwards). start 0 with end 2*pi is the whole
// circle; equal start and end draw the single point at that angle. A negative angle (below
// zero; -0.0 is not negative) is taken as its absolute value and also draws a line from the
// centre to the arc's point at that angle, before the arc. The pixels of an arc are exactly
// those the whole circle of the same centre and radius has in that range of angles.
void drawArc(Page& page, int x, int y, int r, double start, double end, Colour colour);

// Flood fill from (x, y) through left/right/up/down neighbours: every reachable pixel whose
// value is not `border` becomes `fill` (pixels already in the fill colour are filled through).
// A seed on the border colour or outside the page does nothing.
void floodFill(Page& page, int x, int y, Colour fill, Colour border);

// Text in the built-in 8 x 16 font, placed by the top-left corner of the first cell;
// 8 pixels per character; only glyph pixels are set.
void drawText(Page& page, int x, int y, std::string_view text, Colour colour);

}  // namespace wedgora
