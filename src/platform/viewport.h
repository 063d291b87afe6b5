// Where the page lands in a window of any size, and where the pointer lands on the page.
//
// The page is scaled by the largest whole factor that fits the window's drawable (crisp
// pixels, every page pixel the same size); only a drawable smaller than the page shrinks it
// by a fraction. The picture is centred and the rest is a black letterbox. A pointer over the
// letterbox is outside the page. Window coordinates (what pointer events use) and drawable
// pixels differ on HiDPI screens, so both sizes are given. No window system is involved here,
// so every backend (and the tests) use the same rules.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/page.h"

namespace wedgora {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool empty() const { return width <= 0 || height <= 0; }
};

struct Viewport {
  int windowWidth = 0;  // window coordinates, as pointer events give them
  int windowHeight = 0;
  int drawableWidth = 0;  // pixels of the window's drawable
  int drawableHeight = 0;
  int pageWidth = 0;
  int pageHeight = 0;
  int factor = 0;  // the whole scale factor; 0 when the page is shrunk to fit
  Rect picture;    // where the page shows, in drawable pixels; empty when nothing fits

  // The page column shown at this drawable column of the picture (and likewise for rows).
  int pageColumn(int drawableX) const;
  int pageRow(int drawableY) const;
};

// Fits a page into a window whose drawable has the given size in pixels.
Viewport fitPage(int pageWidth, int pageHeight, int windowWidth, int windowHeight,
                 int drawableWidth, int drawableHeight);

// A pointer position on the page, or outside it.
struct PagePoint {
  bool inside = false;
  int x = 0;
  int y = 0;
};

// Maps a pointer at window coordinates (wx, wy) to the page pixel shown under it.
PagePoint pageAt(const Viewport& view, int wx, int wy);

// The smallest rectangle of page pixels where `now` differs from `before`; empty when the two
// are equal. Pages of different sizes count as wholly changed.
Rect changedArea(const Page& before, const Page& now);

// Draws the part `area` of the page (page pixels) into a 32-bit XRGB drawable, scaled as the
// viewport says, and returns the drawable rectangle it wrote. The alpha byte is forced to
// 0xFF: the page's own alpha (halved by dimming) must never reach the screen.
Rect drawScaled(const Page& page, const Viewport& view, const Rect& area, std::uint32_t* pixels,
                int pitchBytes);

// Fills the whole drawable with black: the letterbox, and the picture before it is drawn.
void fillBlack(const Viewport& view, std::uint32_t* pixels, int pitchBytes);

}  // namespace wedgora
