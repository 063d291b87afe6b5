// The drawing primitives, pixel for pixel: lines, boxes, discs, arcs, flood fill, text, clipping.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/font.h"
#include "platform/page.h"

namespace wedgora {
namespace {

constexpr Colour kPaper = 0xFF1E1E1E;
constexpr Colour kInk = 0xFFFFFF00;
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2 * kPi;

using Pixel = std::pair<int, int>;
using Pixels = std::set<Pixel>;

Pixels pixelsOf(const Page& page, Colour colour = kInk) {
  Pixels out;
  for (int y = 0; y < page.height; ++y) {
    for (int x = 0; x < page.width; ++x) {
      if (page.at(x, y) == colour) out.insert({x, y});
    }
  }
  return out;
}

// What a drawing leaves in ink on a fresh page of the given size.
Pixels drawn(int w, int h, const std::function<void(Page&)>& draw) {
  Page page(w, h, kPaper);
  draw(page);
  return pixelsOf(page);
}

// Draws the same shape on a w x h page and, shifted by `margin`, on a page `margin` larger on
// every side; the small page must show exactly the big page's pixels in its window.
void expectClipsLikeCrop(int w, int h, int margin,
                         const std::function<void(Page&, int shift)>& draw) {
  Page small(w, h, kPaper);
  draw(small, 0);
  Page big(w + 2 * margin, h + 2 * margin, kPaper);
  draw(big, margin);
  Pixels cropped;
  for (const auto& [x, y] : pixelsOf(big)) {
    if (x >= margin && x < margin + w && y >= margin && y < margin + h) {
      cropped.insert({x - margin, y - margin});
    }
  }
  EXPECT_EQ(pixelsOf(small), cropped);
}

// The angle of a pixel seen from a centre, counter-clockwise on the screen, in [0, 2*pi).
Pixels only(int x, int y) {
  return Pixels{{x, y}};
}

double angleFrom(int cx, int cy, int px, int py) {
  const double a = std::atan2(double(cy - py), double(px - cx));
  return a < 0 ? a + kTwoPi : a;
}

double angularDistance(double a, double b) {
  const double d = std::fabs(a - b);
  return std::min(d, kTwoPi - d);
}

TEST(Pixel, SetsOnePixelAndSkipsThoseOffThePage) {
  EXPECT_EQ(drawn(8, 6, [](Page& p) { drawPixel(p, 7, 5, kInk); }), only(7, 5));
  EXPECT_EQ(drawn(8, 6, [](Page& p) { drawPixel(p, 0, 0, kInk); }), only(0, 0));
  for (const auto& q : std::vector<Pixel>{{8, 0}, {0, 6}, {-1, 0}, {INT_MIN, INT_MAX}}) {
    const int x = q.first, y = q.second;
    EXPECT_TRUE(drawn(8, 6, [&](Page& p) { drawPixel(p, x, y, kInk); }).empty()) << x << "," << y;
  }
}

// --- lines ---

TEST(Line, DrawsExactPixels) {
  struct Case {
    const char* name;
    int x1, y1, x2, y2;
    Pixels expected;
  };
  const Case cases[] = {
      {"horizontal", 2, 3, 6, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}},
      {"vertical", 4, 5, 4, 1, {{4, 1}, {4, 2}, {4, 3}, {4, 4}, {4, 5}}},
      {"45 degrees", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
      {"45 degrees rising", 1, 4, 4, 1, {{1, 4}, {2, 3}, {3, 2}, {4, 1}}},
      {"shallow, half step rounds up", 0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
      {"shallow thirds", 0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}},
      {"shallow rising", 0, 4, 4, 3, {{0, 4}, {1, 4}, {2, 3}, {3, 3}, {4, 3}}},
      {"steep", 0, 0, 1, 3, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
      {"steep leftwards", 3, 0, 2, 3, {{3, 0}, {3, 1}, {2, 2}, {2, 3}}},
      {"one point", 3, 3, 3, 3, {{3, 3}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(drawn(8, 8, [&](Page& p) { drawLine(p, c.x1, c.y1, c.x2, c.y2, kInk); }), c.expected)
        << c.name;
    EXPECT_EQ(drawn(8, 8, [&](Page& p) { drawLine(p, c.x2, c.y2, c.x1, c.y1, kInk); }), c.expected)
        << c.name << " reversed";
  }
}

// Every line: one pixel per step of its longer axis, each the nearest to the ideal line (a
// half is rounded either way), both ends included, and the same pixels drawn either way.
TEST(Line, IsBresenhamInEveryDirection) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, 39);
  for (int n = 0; n < 400; ++n) {
    const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
    const Pixels forward = drawn(40, 40, [&](Page& p) { drawLine(p, x1, y1, x2, y2, kInk); });
    ASSERT_EQ(forward, drawn(40, 40, [&](Page& p) { drawLine(p, x2, y2, x1, y1, kInk); }));
    const bool xMajor = std::abs(x2 - x1) >= std::abs(y2 - y1);
    const int run = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    const int rise = xMajor ? y2 - y1 : x2 - x1;
    ASSERT_EQ(forward.size(), std::size_t(run) + 1) << x1 << "," << y1 << " " << x2 << "," << y2;
    EXPECT_TRUE(forward.count({x1, y1}) && forward.count({x2, y2}));
    for (const auto& [x, y] : forward) {
      const int k = xMajor ? (x - x1) * (x2 >= x1 ? 1 : -1) : (y - y1) * (y2 >= y1 ? 1 : -1);
      const int offset = xMajor ? y - y1 : x - x1;
      ASSERT_LE(std::abs(2 * run * offset - 2 * k * rise), run)
          << x1 << "," << y1 << " " << x2 << "," << y2 << " at " << x << "," << y;
    }
  }
}

TEST(Line, ClipsToExactlyTheVisiblePixels) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-120, 170);
  for (int n = 0; n < 150; ++n) {
    const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
    expectClipsLikeCrop(50, 40, 130,
                        [&](Page& p, int s) { drawLine(p, x1 + s, y1 + s, x2 + s, y2 + s, kInk); });
  }
  // Lines along and just past each edge.
  for (const auto& q : std::vector<std::array<int, 4>>{{-1, -5, -1, 50},
                                                       {0, -5, 0, 50},
                                                       {49, -5, 49, 50},
                                                       {50, -5, 50, 50},
                                                       {-5, 39, 60, 39},
                                                       {-5, 40, 60, 40},
                                                       {-3, -1, 60, 42},
                                                       {52, -2, -3, 41}}) {
    const int x1 = q[0], y1 = q[1], x2 = q[2], y2 = q[3];
    expectClipsLikeCrop(50, 40, 20,
                        [&](Page& p, int s) { drawLine(p, x1 + s, y1 + s, x2 + s, y2 + s, kInk); });
  }
}

TEST(Line, ExtremeCoordinatesKeepTheUnclippedPixels) {
  // Across the whole 32-bit plane at 45 degrees: the page's diagonal.
  Pixels diagonal;
  for (int i = 0; i < 48; ++i) diagonal.insert({i, i});
  EXPECT_EQ(drawn(64, 48, [](Page& p) { drawLine(p, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kInk); }),
            diagonal);
  EXPECT_EQ(drawn(64, 48, [](Page& p) { drawLine(p, INT_MAX, INT_MAX, INT_MIN, INT_MIN, kInk); }),
            diagonal);
  // The other diagonal passes just above the page's top-left corner.
  EXPECT_TRUE(drawn(64, 48, [](Page& p) {
                drawLine(p, INT_MIN, INT_MAX, INT_MAX, INT_MIN, kInk);
              }).empty());
  EXPECT_TRUE(drawn(64, 48, [](Page& p) { drawLine(p, INT_MIN, -1, INT_MAX, -1, kInk); }).empty());

  // A slope of exactly 1/3 over the full width: step k sits at k/3 rounded, halves up.
  const std::int64_t third = 1431655765;  // (2^32 - 1) / 3
  const int y0 = -715827882;              // puts the line across the page
  Pixels shallow, steep;
  for (int x = 0; x < 64; ++x) {
    const std::int64_t k = std::int64_t(x) + 2147483648LL;
    const std::int64_t y = y0 + (2 * k + 3) / 6;
    if (y >= 0 && y < 48) shallow.insert({x, int(y)});
    if (y >= 0 && y < 64) steep.insert({int(y), x});
  }
  ASSERT_FALSE(shallow.empty());
  EXPECT_EQ(
      drawn(64, 48, [&](Page& p) { drawLine(p, INT_MIN, y0, INT_MAX, int(y0 + third), kInk); }),
      shallow);
  EXPECT_EQ(
      drawn(64, 64, [&](Page& p) { drawLine(p, y0, INT_MIN, int(y0 + third), INT_MAX, kInk); }),
      steep);
}

// --- boxes ---

TEST(Box, IncludesBothCornersInAnyOrder) {
  Pixels outline, filled;
  for (int y = 3; y <= 7; ++y) {
    for (int x = 2; x <= 6; ++x) {
      filled.insert({x, y});
      if (x == 2 || x == 6 || y == 3 || y == 7) outline.insert({x, y});
    }
  }
  for (const auto& q :
       std::vector<std::array<int, 4>>{{2, 3, 6, 7}, {6, 7, 2, 3}, {2, 7, 6, 3}, {6, 3, 2, 7}}) {
    const int x1 = q[0], y1 = q[1], x2 = q[2], y2 = q[3];
    EXPECT_EQ(drawn(10, 10, [&](Page& p) { drawBox(p, x1, y1, x2, y2, kInk, false); }), outline);
    EXPECT_EQ(drawn(10, 10, [&](Page& p) { drawBox(p, x1, y1, x2, y2, kInk, true); }), filled);
  }
  const Pixels row{{2, 4}, {3, 4}, {4, 4}};
  EXPECT_EQ(drawn(10, 10, [](Page& p) { drawBox(p, 4, 4, 2, 4, kInk, false); }), row);
  EXPECT_EQ(drawn(10, 10, [](Page& p) { drawBox(p, 5, 5, 5, 5, kInk, false); }), only(5, 5));
}

TEST(Box, ClipsAtEveryEdge) {
  for (bool filled : {false, true}) {
    for (const auto& q : std::vector<std::array<int, 4>>{{-5, 2, 60, 10},
                                                         {3, -4, 9, 45},
                                                         {-1, -1, 50, 40},
                                                         {0, 0, 49, 39},
                                                         {45, 35, 70, 70},
                                                         {-9, -9, -1, 20}}) {
      const int x1 = q[0], y1 = q[1], x2 = q[2], y2 = q[3];
      expectClipsLikeCrop(50, 40, 30, [&](Page& p, int s) {
        drawBox(p, x1 + s, y1 + s, x2 + s, y2 + s, kInk, filled);
      });
    }
  }
  EXPECT_EQ(
      drawn(50, 40, [](Page& p) { drawBox(p, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kInk, true); })
          .size(),
      50u * 40u);
  EXPECT_TRUE(drawn(50, 40, [](Page& p) {
                drawBox(p, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kInk, false);
              }).empty());
}

// --- discs ---

TEST(Disc, IsRoundSymmetricAndSpansItsRadius) {
  const int cx = 70, cy = 60;
  for (int r : {0, 1, 2, 3, 5, 20, 45, 48, 51, 55}) {
    Page page(140, 120, kPaper);
    drawDisc(page, cx, cy, r, kInk);
    const Pixels disc = pixelsOf(page);
    for (const auto& [x, y] : disc) {
      const int i = x - cx, j = y - cy;
      ASSERT_TRUE(disc.count({cx - i, cy + j}) && disc.count({cx + i, cy - j}) &&
                  disc.count({cx + j, cy + i}))
          << "r " << r << " asymmetric at " << i << "," << j;
      // Round: nothing beyond half a pixel past the radius.
      ASSERT_LT(i * i + j * j, (r + 0.5) * (r + 0.5)) << "r " << r;
    }
    for (int j = -r; j <= r; ++j) {
      for (int i = -r; i <= r; ++i) {
        if (i * i + j * j <= r * r) {
          ASSERT_TRUE(disc.count({cx + i, cy + j})) << "r " << r;
        }
      }
    }
    // The centre row runs exactly from x - r to x + r; the top and bottom rows are y -/+ r.
    EXPECT_TRUE(disc.count({cx - r, cy}) && disc.count({cx + r, cy}));
    EXPECT_FALSE(disc.count({cx - r - 1, cy}) || disc.count({cx + r + 1, cy}));
    EXPECT_TRUE(disc.count({cx, cy - r}) && disc.count({cx, cy + r}));
    EXPECT_FALSE(disc.count({cx, cy - r - 1}) || disc.count({cx, cy + r + 1}));
  }
  EXPECT_EQ(drawn(9, 9, [](Page& p) { drawDisc(p, 4, 4, 0, kInk); }), only(4, 4));
  EXPECT_TRUE(drawn(9, 9, [](Page& p) { drawDisc(p, 4, 4, -1, kInk); }).empty());
}

TEST(Disc, ClipsAndCopesWithAnyRadius) {
  const std::vector<std::array<int, 3>> discs{
      {-10, 20, 15}, {25, -3, 12}, {55, 45, 20}, {25, 20, 40}, {-30, -30, 10}};
  for (const auto& q : discs) {
    const int x = q[0], y = q[1], r = q[2];
    expectClipsLikeCrop(50, 40, 70, [&](Page& p, int s) { drawDisc(p, x + s, y + s, r, kInk); });
  }
  EXPECT_EQ(drawn(50, 40, [](Page& p) { drawDisc(p, 25, 20, INT_MAX, kInk); }).size(), 50u * 40u);
  EXPECT_EQ(drawn(50, 40, [](Page& p) { drawDisc(p, INT_MAX, INT_MIN, INT_MAX, kInk); }).size(),
            0u);
  // A disc reaching the page from far away: its top row, 2*isqrt(r)+1 wide, covers the page.
  EXPECT_EQ(drawn(50, 4, [](Page& p) { drawDisc(p, 25, INT_MAX, INT_MAX, kInk); }).size(),
            50u * 4u);
}

// --- arcs ---

Pixels arc(int r, double start, double end, int w = 140, int h = 140) {
  return drawn(w, h, [&](Page& p) { drawArc(p, w / 2, h / 2, r, start, end, kInk); });
}

Pixels unite(Pixels a, const Pixels& b) {
  a.insert(b.begin(), b.end());
  return a;
}

TEST(Arc, WholeCircleIsTheClosedRimOfTheDisc) {
  const int c = 70;
  for (int r : {1, 2, 3, 7, 20, 55}) {
    Page disc(140, 140, kPaper);
    drawDisc(disc, c, c, r, kInk);
    Pixels rim;
    for (const auto& [x, y] : pixelsOf(disc)) {
      if (disc.at(x - 1, y) != kInk || disc.at(x + 1, y) != kInk || disc.at(x, y - 1) != kInk ||
          disc.at(x, y + 1) != kInk) {
        rim.insert({x, y});
      }
    }
    EXPECT_EQ(arc(r, 0, kTwoPi), rim) << "r " << r;
    EXPECT_EQ(arc(r, 0, double(6.2831855f)), rim) << "r " << r;
    // Closed: a fill from the centre stays inside it.
    Page page(140, 140, kPaper);
    drawArc(page, c, c, r, 0, kTwoPi, kInk);
    floodFill(page, c, c, 0xFF00FF00, kInk);
    EXPECT_EQ(page.at(0, 0), kPaper) << "r " << r;
  }
  EXPECT_EQ(arc(0, 0, kTwoPi), only(70, 70));
  EXPECT_EQ(arc(0, 1.0, 2.0), only(70, 70));
  EXPECT_TRUE(arc(-1, 0, kTwoPi).empty());
}

TEST(Arc, PartsMakeUpTheWholeCircle) {
  for (int r : {3, 10, 55}) {
    const Pixels whole = arc(r, 0, kTwoPi);
    for (double a : {0.3, kPi / 4, kPi / 2, 2.0, kPi, 4.0, 3 * kPi / 2, 6.0}) {
      EXPECT_EQ(unite(arc(r, 0, a), arc(r, a, kTwoPi)), whole) << "r " << r << " a " << a;
      // A start past the end runs on through angle 0.
      EXPECT_EQ(arc(r, a, 0.2), unite(arc(r, a, kTwoPi), arc(r, 0, 0.2))) << "r " << r;
    }
  }
}

TEST(Arc, EqualEndsDrawTheCirclesPointNearestThatAngle) {
  EXPECT_EQ(arc(55, 0, 0), only(125, 70));
  EXPECT_EQ(arc(55, kPi / 2, kPi / 2), only(70, 15));
  EXPECT_EQ(arc(55, kPi, kPi), only(15, 70));
  EXPECT_EQ(arc(55, 3 * kPi / 2, 3 * kPi / 2), only(70, 125));
  EXPECT_EQ(arc(55, kTwoPi, kTwoPi), only(125, 70));
  // -0.0 is not negative: one point and no line.
  EXPECT_EQ(arc(55, 0, -0.0), only(125, 70));

  for (int r : {1, 2, 5, 17, 55}) {
    const Pixels whole = arc(r, 0, kTwoPi);
    for (int n = 0; n < 180; ++n) {
      const double a = n * kTwoPi / 180 + 0.001;
      const Pixels point = arc(r, a, a);
      ASSERT_EQ(point.size(), 1u) << "r " << r << " a " << a;
      const auto [px, py] = *point.begin();
      ASSERT_TRUE(whole.count({px, py})) << "r " << r << " a " << a;
      double best = 10;
      for (const auto& [x, y] : whole)
        best = std::min(best, angularDistance(angleFrom(70, 70, x, y), a));
      EXPECT_EQ(angularDistance(angleFrom(70, 70, px, py), a), best) << "r " << r << " a " << a;
    }
  }
}

// The turn gauge paints a black arc from 0 over a coloured half ring: whatever the black arc
// leaves must be exactly the coloured pixels past its end, with no stray coloured pixel.
TEST(Arc, BlackArcOverColouredHalfRingLeavesNoStrayPixel) {
  constexpr Colour kGreen = 0xFF00FF00, kBlack = 0xFF000000;
  const int cx = 320, cy = 250, r = 55;
  const double halfTurn = double(3.1415927f);
  Page base(640, 480, kPaper);
  drawArc(base, cx, cy, r, 0, halfTurn, kGreen);
  const Pixels half = pixelsOf(base, kGreen);
  // The half ring runs from its right end over the top to its left end, and no lower.
  EXPECT_TRUE(half.count({cx + r, cy}) && half.count({cx, cy - r}) && half.count({cx - r, cy}));
  for (const auto& [x, y] : half) EXPECT_LE(y, cy);

  std::vector<double> ends{0.0, 1e-9, 0.01, 0.5, kPi / 4, 1.0, kPi / 2, 2.0, 3.0, kPi};
  for (int n = 1; n < 90; ++n) ends.push_back(double(float(kPi - kPi * n / 90)));
  for (double e : ends) {
    Page page = base;
    drawArc(page, cx, cy, r, 0, e, kBlack);
    for (const auto& [x, y] : half) {
      const bool spent = angleFrom(cx, cy, x, y) <= e;
      ASSERT_EQ(page.at(x, y), spent ? kBlack : kGreen) << "e " << e << " at " << x << "," << y;
    }
    ASSERT_EQ(pixelsOf(page, kBlack).size() + pixelsOf(page, kGreen).size(), half.size())
        << "e " << e;
  }
}

TEST(Arc, NegativeAngleAlsoDrawsALineFromTheCentre) {
  const int c = 70;
  for (int r : {5, 55}) {
    for (double e : {kPi / 8, 1.0, kPi / 2, 2.5, double(float(kPi / 8))}) {
      const Pixels point = arc(r, e, e);
      const Pixel at = *point.begin();
      const int px = at.first, py = at.second;
      const Pixels expected =
          unite(drawn(140, 140, [&](Page& p) { drawLine(p, c, c, px, py, kInk); }), arc(r, 0, e));
      EXPECT_EQ(arc(r, 0, -e), expected) << "r " << r << " e " << e;
      EXPECT_EQ(arc(r, -0.0, -e), expected) << "r " << r << " e " << e;
      EXPECT_TRUE(expected.count({c, c}));
    }
  }
  // Two negative angles draw two lines: to the top point and to the left point.
  const Pixels up = drawn(140, 140, [](Page& p) { drawLine(p, 70, 70, 70, 40, kInk); });
  const Pixels left = drawn(140, 140, [](Page& p) { drawLine(p, 70, 70, 40, 70, kInk); });
  EXPECT_EQ(arc(30, -kPi / 2, -kPi), unite(unite(up, left), arc(30, kPi / 2, kPi)));
}

TEST(Arc, ClipsAndCopesWithAnyRadius) {
  const std::vector<std::array<int, 3>> circles{
      {-10, 20, 15}, {25, -3, 12}, {55, 45, 20}, {25, 20, 40}};
  const std::vector<std::pair<double, double>> ranges{{0, kTwoPi}, {0, kPi},    {1.0, 5.0},
                                                      {5.0, 1.0},  {0.5, -2.0}, {-3.0, -3.0}};
  for (const auto& c : circles) {
    const int x = c[0], y = c[1], r = c[2];
    for (const auto& range : ranges) {
      const double s = range.first, e = range.second;
      expectClipsLikeCrop(50, 40, 70,
                          [&](Page& p, int sh) { drawArc(p, x + sh, y + sh, r, s, e, kInk); });
    }
  }
  // The largest circle touches the page's top row from far below: only that row is rim, and
  // the line to its top point is the page's column 20.
  Pixels top;
  for (int x = 0; x < 64; ++x) top.insert({x, 0});
  EXPECT_EQ(drawn(64, 8, [](Page& p) { drawArc(p, 20, INT_MAX, INT_MAX, 0, kTwoPi, kInk); }), top);
  Pixels rightAndLine;
  for (int x = 20; x < 64; ++x) rightAndLine.insert({x, 0});
  for (int y = 0; y < 8; ++y) rightAndLine.insert({20, y});
  EXPECT_EQ(drawn(64, 8, [](Page& p) { drawArc(p, 20, INT_MAX, INT_MAX, 0, -kPi / 2, kInk); }),
            rightAndLine);
  EXPECT_TRUE(drawn(64, 8, [](Page& p) {
                drawArc(p, INT_MIN, INT_MIN, INT_MAX, -1.0, -2.0, kInk);
              }).empty());
  // Angles that name no point draw nothing.
  EXPECT_TRUE(arc(20, -INFINITY, 1.0).empty());
  EXPECT_TRUE(arc(20, 0, NAN).empty());
}

// --- flood fill ---

constexpr Colour kFill = 0xFF00C800;
constexpr Colour kBorder = 0xFF006400;

TEST(FloodFill, StaysInsideAnEightConnectedOutline) {
  Page page(24, 24, kPaper);
  drawLine(page, 12, 2, 20, 10, kBorder);
  drawLine(page, 20, 10, 12, 18, kBorder);
  drawLine(page, 12, 18, 4, 10, kBorder);
  drawLine(page, 4, 10, 12, 2, kBorder);
  floodFill(page, 12, 10, kFill, kBorder);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      const int d = std::abs(x - 12) + std::abs(y - 10);
      const Colour want = d < 8 ? kFill : d == 8 ? kBorder : kPaper;
      ASSERT_EQ(page.at(x, y), want) << x << "," << y;
    }
  }
}

TEST(FloodFill, FillsThroughPixelsAlreadyInTheFillColour) {
  Page page(20, 10, kPaper);
  drawBox(page, 0, 0, 19, 9, kBorder, false);
  drawLine(page, 8, 1, 8, 8, kFill);  // a wall in the fill colour splits the box
  page.at(14, 4) = 0xFF123456;
  floodFill(page, 3, 4, kFill, kBorder);
  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 18; ++x) ASSERT_EQ(page.at(x, y), kFill) << x << "," << y;
  }
  EXPECT_EQ(pixelsOf(page, kBorder).size(), 2u * 20 + 2u * 8);
}

TEST(FloodFill, SeedOnTheBorderOrOffThePageDoesNothing) {
  Page page(20, 10, kPaper);
  drawBox(page, 2, 2, 12, 8, kBorder, false);
  const Page before = page;
  for (const auto& [x, y] : std::vector<Pixel>{
           {2, 2}, {12, 5}, {-1, 0}, {20, 0}, {0, -1}, {0, 10}, {INT_MIN, INT_MIN}, {INT_MAX, 3}}) {
    floodFill(page, x, y, kFill, kBorder);
    EXPECT_EQ(page.pixels, before.pixels) << x << "," << y;
  }
}

// Against the plain four-neighbour search, on random pages with border, fill-coloured and
// other pixels; enough fills in a row to reuse the visited marks many times over.
TEST(FloodFill, MatchesAPlainSearchOnRandomPages) {
  std::mt19937 rng(3);
  const Colour palette[] = {kPaper, kBorder, kBorder, kFill, 0xFF0A0A0A};
  for (int n = 0; n < 600; ++n) {
    const int w = n % 7 == 0 ? 31 : 40, h = 30;
    Page page(w, h);
    for (Colour& c : page.pixels) c = palette[rng() % 5];
    const int sx = int(rng() % w), sy = int(rng() % h);
    Page expected = page;
    if (expected.at(sx, sy) != kBorder) {
      std::vector<bool> seen(page.pixels.size());
      std::deque<Pixel> todo{{sx, sy}};
      seen[std::size_t(sy) * w + sx] = true;
      while (!todo.empty()) {
        const auto [x, y] = todo.front();
        todo.pop_front();
        expected.at(x, y) = kFill;
        for (const auto& [nx, ny] :
             {Pixel{x - 1, y}, Pixel{x + 1, y}, Pixel{x, y - 1}, Pixel{x, y + 1}}) {
          if (!page.contains(nx, ny) || page.at(nx, ny) == kBorder) continue;
          if (seen[std::size_t(ny) * w + nx]) continue;
          seen[std::size_t(ny) * w + nx] = true;
          todo.push_back({nx, ny});
        }
      }
    }
    floodFill(page, sx, sy, kFill, kBorder);
    ASSERT_EQ(page.pixels, expected.pixels) << "page " << n;
  }
}

// --- text ---

// The text as the font says it should look: glyph pixels in ink, nothing else touched.
Pixels textPixels(int x, int y, std::string_view text, int w, int h) {
  Pixels out;
  for (std::size_t n = 0; n < text.size(); ++n) {
    const Glyph& g = glyphFor(static_cast<unsigned char>(text[n]));
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int b = 0; b < kGlyphWidth; ++b) {
        const long long px = x + 8LL * (long long)n + b, py = y + row;
        if ((g[row] & (0x80 >> b)) && px >= 0 && px < w && py >= 0 && py < h) {
          out.insert({int(px), int(py)});
        }
      }
    }
  }
  return out;
}

TEST(Text, DrawsGlyphPixelsEightApart) {
  std::string all;
  for (int c = 32; c < 127; ++c) all += char(c);
  const std::string odd("A\0\x7f\x80\xffZ", 6);
  for (const std::string& text : {all, odd, std::string("Wedgora")}) {
    const int w = int(text.size()) * 8 + 4;
    ASSERT_FALSE(textPixels(2, 3, text, w, 20).empty());  // the font has glyphs to compare
    EXPECT_EQ(drawn(w, 20, [&](Page& p) { drawText(p, 2, 3, text, kInk); }),
              textPixels(2, 3, text, w, 20));
  }
  // Bytes outside the printable range have empty cells.
  for (int c : {0, 31, 127, 128, 255}) {
    EXPECT_TRUE(
        drawn(8, 16, [&](Page& p) { drawText(p, 0, 0, std::string(1, char(c)), kInk); }).empty())
        << c;
  }
}

TEST(Text, ClipsAtEveryEdgeAndFarAway) {
  const std::string text = "Score 123 Wedgora!";
  for (const auto& q :
       std::vector<Pixel>{{-3, -5}, {-20, 10}, {30, 30}, {-1, 34}, {-144, 0}, {-150, -15}}) {
    const int x = q.first, y = q.second;
    EXPECT_EQ(drawn(60, 40, [&](Page& p) { drawText(p, x, y, text, kInk); }),
              textPixels(x, y, text, 60, 40))
        << x << "," << y;
  }
  // A long text far to the left shows only its last characters; far right shows nothing.
  std::string longText(100000, 'W');
  longText += "end";
  EXPECT_EQ(drawn(60, 20, [&](Page& p) { drawText(p, -800000, 2, longText, kInk); }),
            textPixels(0, 2, "end", 60, 20));
  EXPECT_TRUE(drawn(60, 20, [&](Page& p) { drawText(p, INT_MAX, 0, longText, kInk); }).empty());
  EXPECT_TRUE(drawn(60, 20, [&](Page& p) { drawText(p, INT_MIN, 0, longText, kInk); }).empty());
  EXPECT_TRUE(drawn(60, 20, [&](Page& p) { drawText(p, 0, INT_MIN, longText, kInk); }).empty());
  EXPECT_TRUE(drawn(60, 20, [&](Page& p) { drawText(p, 0, INT_MAX, longText, kInk); }).empty());
}

}  // namespace
}  // namespace wedgora
