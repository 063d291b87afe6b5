// The drawing primitives on a page of 32-bit pixels: lines, boxes, discs, arcs, fill and text.
//
// Every primitive works in 64-bit integers and visits only the part of its shape that lies on
// the page, so a shape far off the page costs next to nothing and no coordinate overflows.
#include "platform/page.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/font.h"

namespace wedgora {
namespace {

using i64 = std::int64_t;
using u64 = std::uint64_t;

constexpr double kTwoPi = 6.283185307179586;

void plot(Page& page, i64 x, i64 y, Colour colour) {
  if (page.contains(x, y)) page.at(int(x), int(y)) = colour;
}

// Sets every pixel of the rectangle (x0, y0)..(x1, y1) that lies on the page.
void fillClipped(Page& page, i64 x0, i64 y0, i64 x1, i64 y1, Colour colour) {
  x0 = std::max<i64>(x0, 0);
  y0 = std::max<i64>(y0, 0);
  x1 = std::min<i64>(x1, page.width - 1);
  y1 = std::min<i64>(y1, page.height - 1);
  if (x0 > x1 || y0 > y1) return;
  for (i64 y = y0; y <= y1; ++y) {
    std::fill_n(&page.at(int(x0), int(y)), x1 - x0 + 1, colour);
  }
}

// --- lines ---

// How far a Bresenham line that rises `rise` over `run` steps (rise <= run) has moved along
// its minor axis after k steps: k * rise / run rounded to the nearest, halves upwards. For
// any two 32-bit end points k * rise stays below 2^64, and the remainder keeps it exact.
u64 lineOffset(u64 k, u64 rise, u64 run) {
  const u64 p = k * rise;
  return p / run + (2 * (p % run) >= run ? 1 : 0);
}

// The first step in 0..run + 1 whose offset reaches t (the offset never falls as k grows).
u64 firstStepReaching(u64 t, u64 rise, u64 run) {
  u64 lo = 0;
  u64 hi = run + 1;
  while (lo < hi) {
    const u64 mid = lo + (hi - lo) / 2;
    if (lineOffset(mid, rise, run) >= t) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

// A Bresenham line between two points whose coordinates differ by less than 2^32 on each
// axis; the points themselves may lie anywhere (an arc's point can be past the 32-bit range).
// The walk always runs towards the larger major coordinate, so A to B and B to A are the same
// pixels, and it starts at the first step that lands on the page.
void line64(Page& page, i64 ax, i64 ay, i64 bx, i64 by, Colour colour) {
  const bool xMajor = std::llabs(bx - ax) >= std::llabs(by - ay);
  i64 m0 = xMajor ? ax : ay;
  i64 n0 = xMajor ? ay : ax;
  i64 m1 = xMajor ? bx : by;
  i64 n1 = xMajor ? by : bx;
  if (m0 > m1) {
    std::swap(m0, m1);
    std::swap(n0, n1);
  }
  const u64 run = u64(m1 - m0);
  const u64 rise = u64(std::llabs(n1 - n0));
  const i64 dir = n1 >= n0 ? 1 : -1;
  if (run == 0) {
    plot(page, ax, ay, colour);
    return;
  }
  const i64 majorSize = xMajor ? page.width : page.height;
  const i64 minorSize = xMajor ? page.height : page.width;

  // Steps whose major coordinate is on the page.
  i64 kFirst = std::max<i64>(0, -m0);
  i64 kLast = std::min<i64>(i64(run), majorSize - 1 - m0);
  if (kFirst > kLast) return;
  // Offsets whose minor coordinate is on the page, then the steps that reach them.
  i64 tFirst = dir > 0 ? -n0 : n0 - (minorSize - 1);
  i64 tLast = dir > 0 ? minorSize - 1 - n0 : n0;
  tFirst = std::max<i64>(tFirst, 0);
  tLast = std::min<i64>(tLast, i64(rise));
  if (tFirst > tLast) return;
  kFirst = std::max<i64>(kFirst, i64(firstStepReaching(u64(tFirst), rise, run)));
  kLast = std::min<i64>(kLast, i64(firstStepReaching(u64(tLast) + 1, rise, run)) - 1);

  // From here on every step is on the page: the offset is kept as quotient and remainder.
  const u64 start = u64(std::max<i64>(kFirst, 0)) * rise;
  u64 q = start / run;
  u64 r = start % run;
  for (i64 k = kFirst; k <= kLast; ++k) {
    const i64 minor = n0 + dir * i64(q + (2 * r >= run ? 1 : 0));
    const i64 major = m0 + k;
    if (xMajor) {
      page.at(int(major), int(minor)) = colour;
    } else {
      page.at(int(minor), int(major)) = colour;
    }
    r += rise;
    if (r >= run) {
      r -= run;
      ++q;
    }
  }
}

// --- discs and circles ---

i64 isqrt(i64 n) {
  i64 r = i64(std::sqrt(double(n)));
  while (r > 0 && r * r > n) --r;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

// The disc of radius r holds the offsets (i, j) with i*i + j*j <= r*r + r: that is a round
// disc whose centre row and column reach exactly r. This gives row j's half width, or -1 for
// a row outside the disc.
i64 halfWidth(i64 r, i64 j) {
  j = std::llabs(j);
  if (j > r) return -1;
  return isqrt(r * r + r - j * j);
}

bool inDisc(i64 r, i64 i, i64 j) {
  return u64(i * i) + u64(j * j) <= u64(r * r + r);
}

// The circle of radius r is the rim of that disc: its pixels with a left, right, upper or
// lower neighbour outside it. That is a closed 8-connected curve one pixel thick. Arcs are
// parts of it, so an arc drawn over another of the same circle covers it pixel for pixel.
bool onCircle(i64 r, i64 i, i64 j) {
  return inDisc(r, i, j) && (!inDisc(r, i - 1, j) || !inDisc(r, i + 1, j) || !inDisc(r, i, j - 1) ||
                             !inDisc(r, i, j + 1));
}

// Calls visit(px, py) for each pixel of the circle that lies on the page, row by row. In row
// j the rim is where the disc is wider than in the next row out, plus the row's two ends.
template <typename Visit>
void forEachCirclePixel(const Page& page, i64 x, i64 y, i64 r, Visit visit) {
  const i64 top = std::max<i64>(y - r, 0);
  const i64 bottom = std::min<i64>(y + r, page.height - 1);
  auto run = [&](i64 py, i64 from, i64 to) {
    from = std::max<i64>(from, 0);
    to = std::min<i64>(to, page.width - 1);
    for (i64 px = from; px <= to; ++px) visit(px, py);
  };
  for (i64 py = top; py <= bottom; ++py) {
    const i64 j = py - y;
    const i64 outer = halfWidth(r, j);
    const i64 inner = std::min(outer, halfWidth(r, std::llabs(j) + 1) + 1);
    if (inner == 0) {
      run(py, x - outer, x + outer);
    } else {
      run(py, x - outer, x - inner);
      run(py, x + inner, x + outer);
    }
  }
}

// The angle of offset (i, j) from the centre, counter-clockwise from the right on the screen
// (j grows downwards), in [0, 2*pi].
double angleOf(i64 i, i64 j) {
  const double a = std::atan2(double(-j), double(i));
  return a < 0 ? a + kTwoPi : a;
}

// The circle's pixel whose angle is nearest to `angle` (finite, not negative), as an offset
// from the centre. The rim lies within a pixel of radius r, so the nearest pixels by angle
// are close to the ideal point, and a small square around it holds them.
std::pair<i64, i64> circlePointNearest(i64 r, double angle) {
  angle = std::fmod(angle, kTwoPi);
  const i64 ci = std::llround(double(r) * std::cos(angle));
  const i64 cj = std::llround(-double(r) * std::sin(angle));
  std::pair<i64, i64> best{r, 0};
  double bestDistance = 10.0;
  for (i64 j = cj - 4; j <= cj + 4; ++j) {
    for (i64 i = ci - 4; i <= ci + 4; ++i) {
      if (!onCircle(r, i, j)) continue;
      double d = std::fabs(angleOf(i, j) - angle);
      d = std::min(d, kTwoPi - d);
      if (d < bestDistance) {
        bestDistance = d;
        best = {i, j};
      }
    }
  }
  return best;
}

}  // namespace

void clearPage(Page& page, Colour colour) {
  std::fill(page.pixels.begin(), page.pixels.end(), colour);
}

void drawPixel(Page& page, int x, int y, Colour colour) {
  plot(page, x, y, colour);
}

void drawLine(Page& page, int x1, int y1, int x2, int y2, Colour colour) {
  // Level and upright lines are a single run of pixels: fill them at once (the backdrop's
  // bands are fifty of them a frame).
  if (y1 == y2 || x1 == x2) {
    fillClipped(page, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2),
                colour);
    return;
  }
  line64(page, x1, y1, x2, y2, colour);
}

void drawBox(Page& page, int x1, int y1, int x2, int y2, Colour colour, bool filled) {
  const i64 left = std::min(x1, x2);
  const i64 right = std::max(x1, x2);
  const i64 top = std::min(y1, y2);
  const i64 bottom = std::max(y1, y2);
  if (filled) {
    fillClipped(page, left, top, right, bottom, colour);
    return;
  }
  fillClipped(page, left, top, right, top, colour);
  fillClipped(page, left, bottom, right, bottom, colour);
  fillClipped(page, left, top, left, bottom, colour);
  fillClipped(page, right, top, right, bottom, colour);
}

void drawDisc(Page& page, int x, int y, int r, Colour colour) {
  if (r < 0) return;
  const i64 top = std::max<i64>(i64(y) - r, 0);
  const i64 bottom = std::min<i64>(i64(y) + r, page.height - 1);
  for (i64 py = top; py <= bottom; ++py) {
    const i64 h = halfWidth(r, py - y);
    fillClipped(page, i64(x) - h, py, i64(x) + h, py, colour);
  }
}

void drawArc(Page& page, int x, int y, int r, double start, double end, Colour colour) {
  // A non-finite angle names no point of the circle.
  if (r < 0 || !std::isfinite(start) || !std::isfinite(end)) return;
  for (double a : {start, end}) {
    if (a < 0) {
      const auto [i, j] = circlePointNearest(r, -a);
      line64(page, x, y, x + i, y + j, colour);
    }
  }
  start = std::fabs(start);
  end = std::fabs(end);
  if (start == end) {
    const auto [i, j] = circlePointNearest(r, start);
    plot(page, x + i, y + j, colour);
    return;
  }
  // Angles are compared as given: start 0 with an end of 2*pi or a little more (2*pi in
  // single precision) is the whole circle. A start above the end runs on through angle 0.
  const bool wraps = start > end;
  // The circle of radius 0 is its centre, which lies at every angle.
  const bool whole = r == 0 || (!wraps && start <= 0.0 && end >= kTwoPi);
  forEachCirclePixel(page, x, y, r, [&](i64 px, i64 py) {
    if (!whole) {
      const double a = angleOf(px - x, py - y);
      if (wraps ? (a < start && a > end) : (a < start || a > end)) return;
    }
    page.at(int(px), int(py)) = colour;
  });
}

void floodFill(Page& page, int x, int y, Colour fill, Colour border) {
  if (!page.contains(x, y) || page.at(x, y) == border) return;
  // The board fills dozens of small wedges a frame, so the visited marks live on between
  // fills: a pixel is visited when its mark equals this fill's generation, and the marks are
  // only wiped when the generation wraps.
  thread_local std::vector<std::uint16_t> seen;
  thread_local std::uint16_t generation = 0;
  // A seed remembers the span it was found from: that span is filled already, so the row it
  // lies on needs looking at only where the new span reaches past it.
  struct Seed {
    int x, y;
    int fromY, fromLeft, fromRight;
  };
  thread_local std::vector<Seed> seeds;
  const std::size_t size = std::size_t(page.width) * std::size_t(page.height);
  if (seen.size() != size) {
    seen.assign(size, 0);
    generation = 0;
  }
  if (++generation == 0) {
    std::fill(seen.begin(), seen.end(), std::uint16_t{0});
    generation = 1;
  }
  const std::uint16_t mark = generation;
  const int w = page.width;
  Colour* const pixels = page.pixels.data();
  std::uint16_t* const marks = seen.data();
  // Open: not yet visited and not the border. The fill colour is no wall, it is filled through.
  auto open = [&](std::size_t k) { return marks[k] != mark && pixels[k] != border; };

  seeds.clear();
  seeds.push_back({x, y, -1, 0, -1});
  while (!seeds.empty()) {
    const Seed seed = seeds.back();
    seeds.pop_back();
    const int sy = seed.y;
    const std::size_t row = std::size_t(sy) * w;
    if (!open(row + seed.x)) continue;
    int left = seed.x;
    int right = seed.x;
    while (left > 0 && open(row + left - 1)) --left;
    while (right < w - 1 && open(row + right + 1)) ++right;
    std::fill(marks + row + left, marks + row + right + 1, mark);
    std::fill(pixels + row + left, pixels + row + right + 1, fill);
    // One seed for each open run in the rows above and below the span.
    auto scan = [&](int ny, int from, int to) {
      const std::size_t next = std::size_t(ny) * w;
      bool inRun = false;
      for (int px = from; px <= to; ++px) {
        const bool o = open(next + px);
        if (o && !inRun) seeds.push_back({px, ny, sy, left, right});
        inRun = o;
      }
    };
    for (int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= page.height) continue;
      if (ny == seed.fromY) {
        scan(ny, left, seed.fromLeft - 1);
        scan(ny, seed.fromRight + 1, right);
      } else {
        scan(ny, left, right);
      }
    }
  }
}

void drawText(Page& page, int x, int y, std::string_view text, Colour colour) {
  const i64 firstRow = std::max<i64>(0, -i64(y));
  const i64 lastRow = std::min<i64>(kGlyphHeight, i64(page.height) - y) - 1;
  if (firstRow > lastRow) return;
  // Characters whose cells end left of the page are skipped without a look.
  const std::size_t first = x < 0 ? std::size_t(-i64(x) / kGlyphWidth) : 0;
  for (std::size_t n = first; n < text.size(); ++n) {
    const i64 left = x + i64(n) * kGlyphWidth;
    if (left >= page.width) break;
    const Glyph& glyph = glyphFor(static_cast<unsigned char>(text[n]));
    for (i64 row = firstRow; row <= lastRow; ++row) {
      const unsigned bits = glyph[std::size_t(row)];
      if (bits == 0) continue;
      for (int b = 0; b < kGlyphWidth; ++b) {
        if (bits & (0x80u >> b)) plot(page, left + b, y + row, colour);
      }
    }
  }
}

}  // namespace wedgora
