// Fitting the page into a window, mapping the pointer back, and drawing the scaled picture.
#include "platform/viewport.h"

#include <algorithm>
#include <cstring>

namespace wedgora {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// Division rounding toward minus infinity: a pointer one pixel left of the picture must land
// at -1, not be truncated onto column 0.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
  return -floorDiv(-a, b);
}

std::uint32_t* rowAt(std::uint32_t* pixels, int pitchBytes, int y) {
  return reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(pixels) +
                                          std::ptrdiff_t(y) * pitchBytes);
}

}  // namespace

int Viewport::pageColumn(int drawableX) const {
  return int(floorDiv(std::int64_t(drawableX - picture.x) * pageWidth, picture.width));
}

int Viewport::pageRow(int drawableY) const {
  return int(floorDiv(std::int64_t(drawableY - picture.y) * pageHeight, picture.height));
}

Viewport fitPage(int pageWidth, int pageHeight, int windowWidth, int windowHeight,
                 int drawableWidth, int drawableHeight) {
  Viewport view;
  view.windowWidth = windowWidth;
  view.windowHeight = windowHeight;
  view.drawableWidth = drawableWidth;
  view.drawableHeight = drawableHeight;
  view.pageWidth = pageWidth;
  view.pageHeight = pageHeight;
  if (pageWidth <= 0 || pageHeight <= 0 || drawableWidth <= 0 || drawableHeight <= 0) {
    return view;
  }
  view.factor = std::min(drawableWidth / pageWidth, drawableHeight / pageHeight);
  int width = 0;
  int height = 0;
  if (view.factor >= 1) {
    width = pageWidth * view.factor;
    height = pageHeight * view.factor;
  } else if (std::int64_t(drawableWidth) * pageHeight <= std::int64_t(drawableHeight) * pageWidth) {
    // Shrunk: the narrower side of the drawable is filled, the other keeps the page's shape.
    width = drawableWidth;
    height = int(std::int64_t(drawableWidth) * pageHeight / pageWidth);
  } else {
    height = drawableHeight;
    width = int(std::int64_t(drawableHeight) * pageWidth / pageHeight);
  }
  if (width <= 0 || height <= 0) return view;
  view.picture = {(drawableWidth - width) / 2, (drawableHeight - height) / 2, width, height};
  return view;
}

PagePoint pageAt(const Viewport& view, int wx, int wy) {
  if (view.picture.empty() || view.windowWidth <= 0 || view.windowHeight <= 0) return {};
  // Window coordinates to drawable pixels (twice as many on a HiDPI screen of factor 2).
  const std::int64_t dx = floorDiv(std::int64_t(wx) * view.drawableWidth, view.windowWidth);
  const std::int64_t dy = floorDiv(std::int64_t(wy) * view.drawableHeight, view.windowHeight);
  const Rect& p = view.picture;
  if (dx < p.x || dy < p.y || dx >= std::int64_t(p.x) + p.width ||
      dy >= std::int64_t(p.y) + p.height) {
    return {};
  }
  return {true, view.pageColumn(int(dx)), view.pageRow(int(dy))};
}

Rect changedArea(const Page& before, const Page& now) {
  if (before.width != now.width || before.height != now.height) {
    return {0, 0, now.width, now.height};
  }
  const int w = now.width;
  int left = w;
  int right = 0;
  int top = -1;
  int bottom = -1;
  for (int y = 0; y < now.height; ++y) {
    const Colour* a = before.pixels.data() + std::size_t(y) * w;
    const Colour* b = now.pixels.data() + std::size_t(y) * w;
    if (std::memcmp(a, b, std::size_t(w) * sizeof(Colour)) == 0) continue;
    if (top < 0) top = y;
    bottom = y;
    int l = 0;
    while (a[l] == b[l]) ++l;
    int r = w;
    while (a[r - 1] == b[r - 1]) --r;
    left = std::min(left, l);
    right = std::max(right, r);
  }
  if (top < 0) return {};
  return {left, top, right - left, bottom - top + 1};
}

Rect drawScaled(const Page& page, const Viewport& view, const Rect& area, std::uint32_t* pixels,
                int pitchBytes) {
  const Rect& pic = view.picture;
  if (pic.empty() || page.width != view.pageWidth || page.height != view.pageHeight) return {};
  const int x0 = std::max(area.x, 0);
  const int y0 = std::max(area.y, 0);
  const int x1 = std::min(std::int64_t(area.x) + area.width, std::int64_t(page.width));
  const int y1 = std::min(std::int64_t(area.y) + area.height, std::int64_t(page.height));
  if (x0 >= x1 || y0 >= y1) return {};

  // The picture's columns and rows that show page columns x0..x1-1 and rows y0..y1-1: the
  // first drawable column showing page column x is the least d with d * pageWidth >= x * width.
  const int dx0 = int(ceilDiv(std::int64_t(x0) * pic.width, page.width));
  const int dx1 = int(ceilDiv(std::int64_t(x1) * pic.width, page.width));
  const int dy0 = int(ceilDiv(std::int64_t(y0) * pic.height, page.height));
  const int dy1 = int(ceilDiv(std::int64_t(y1) * pic.height, page.height));
  if (dx0 >= dx1 || dy0 >= dy1) return {};

  std::vector<int> column(std::size_t(dx1 - dx0));
  for (int d = dx0; d < dx1; ++d) column[std::size_t(d - dx0)] = view.pageColumn(pic.x + d);

  const std::size_t rowBytes = std::size_t(dx1 - dx0) * sizeof(std::uint32_t);
  int lastRow = -1;
  std::uint32_t* lastOut = nullptr;
  for (int d = dy0; d < dy1; ++d) {
    std::uint32_t* out = rowAt(pixels, pitchBytes, pic.y + d) + pic.x + dx0;
    const int row = view.pageRow(pic.y + d);
    if (row == lastRow) {
      // A whole factor repeats each page row; copying the row just written is the cheap way.
      std::memcpy(out, lastOut, rowBytes);
      continue;
    }
    const Colour* in = page.pixels.data() + std::size_t(row) * page.width;
    for (std::size_t i = 0; i < column.size(); ++i) out[i] = in[column[i]] | kOpaque;
    lastRow = row;
    lastOut = out;
  }
  return {pic.x + dx0, pic.y + dy0, dx1 - dx0, dy1 - dy0};
}

void fillBlack(const Viewport& view, std::uint32_t* pixels, int pitchBytes) {
  for (int y = 0; y < view.drawableHeight; ++y) {
    std::uint32_t* row = rowAt(pixels, pitchBytes, y);
    std::fill(row, row + view.drawableWidth, kOpaque);
  }
}

}  // namespace wedgora
