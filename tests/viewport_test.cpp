// The page in a window of any size: the fit, the pointer mapping and the scaled picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/viewport.h"

namespace wedgora {
namespace {

struct FitCase {
  const char* name;
  int window[2];
  int drawable[2];
  int factor;
  Rect picture;
};

TEST(Viewport, FitsTheLargestWholeFactorOrShrinksAndCentres) {
  const FitCase cases[] = {
      {"exact 1x", {640, 480}, {640, 480}, 1, {0, 0, 640, 480}},
      {"exact 2x", {1280, 960}, {1280, 960}, 2, {0, 0, 1280, 960}},
      {"wide and tall letterbox at 2x", {1400, 1100}, {1400, 1100}, 2, {60, 70, 1280, 960}},
      {"just short of 2x stays 1x", {1279, 960}, {1279, 960}, 1, {319, 240, 640, 480}},
      {"odd spare pixel goes right", {641, 481}, {641, 481}, 1, {0, 0, 640, 480}},
      {"HiDPI: the drawable decides", {640, 480}, {1280, 960}, 2, {0, 0, 1280, 960}},
      {"shrunk, width bound", {320, 480}, {320, 480}, 0, {0, 120, 320, 240}},
      {"shrunk, height bound", {500, 300}, {500, 300}, 0, {50, 0, 400, 300}},
      {"nothing fits", {1, 100}, {1, 100}, 0, {0, 0, 0, 0}},
      {"minimised", {0, 0}, {0, 0}, 0, {0, 0, 0, 0}},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Viewport v = fitPage(640, 480, c.window[0], c.window[1], c.drawable[0], c.drawable[1]);
    EXPECT_EQ(v.factor, c.factor);
    EXPECT_EQ(v.picture.x, c.picture.x);
    EXPECT_EQ(v.picture.y, c.picture.y);
    EXPECT_EQ(v.picture.width, c.picture.width);
    EXPECT_EQ(v.picture.height, c.picture.height);
  }
}

struct PointerCase {
  const char* name;
  int window[2];
  int drawable[2];
  int pointer[2];
  bool inside;
  int page[2];
};

TEST(Viewport, PointerLandsOnThePagePixelShownUnderIt) {
  const PointerCase cases[] = {
      {"1x first pixel", {640, 480}, {640, 480}, {0, 0}, true, {0, 0}},
      {"1x last pixel", {640, 480}, {640, 480}, {639, 479}, true, {639, 479}},
      {"1x right of the page", {640, 480}, {640, 480}, {640, 10}, false, {}},
      {"1x below the page", {640, 480}, {640, 480}, {10, 480}, false, {}},
      {"1x left of the window", {640, 480}, {640, 480}, {-1, 10}, false, {}},
      {"2x first pixel's last screen pixel", {1280, 960}, {1280, 960}, {1, 1}, true, {0, 0}},
      {"2x second pixel", {1280, 960}, {1280, 960}, {2, 3}, true, {1, 1}},
      {"2x last pixel", {1280, 960}, {1280, 960}, {1279, 959}, true, {639, 479}},
      // A 1400 x 1100 window shows the page doubled at (60, 70) with black strips around.
      {"letterbox: first picture pixel", {1400, 1100}, {1400, 1100}, {60, 70}, true, {0, 0}},
      {"letterbox: last picture pixel", {1400, 1100}, {1400, 1100}, {1339, 1029}, true, {639, 479}},
      {"letterbox: strip left", {1400, 1100}, {1400, 1100}, {59, 500}, false, {}},
      {"letterbox: strip above", {1400, 1100}, {1400, 1100}, {700, 69}, false, {}},
      {"letterbox: strip right", {1400, 1100}, {1400, 1100}, {1340, 500}, false, {}},
      {"letterbox: strip below", {1400, 1100}, {1400, 1100}, {700, 1030}, false, {}},
      {"letterbox: far corner", {1400, 1100}, {1400, 1100}, {0, 0}, false, {}},
      // HiDPI of factor 2: window coordinates are half the drawable's pixels.
      {"HiDPI first pixel", {640, 480}, {1280, 960}, {0, 0}, true, {0, 0}},
      {"HiDPI middle", {640, 480}, {1280, 960}, {320, 240}, true, {320, 240}},
      {"HiDPI last pixel", {640, 480}, {1280, 960}, {639, 479}, true, {639, 479}},
      {"HiDPI letterbox edge inside", {700, 500}, {1400, 1000}, {30, 10}, true, {0, 0}},
      {"HiDPI strip left", {700, 500}, {1400, 1000}, {29, 10}, false, {}},
      {"HiDPI strip right", {700, 500}, {1400, 1000}, {670, 10}, false, {}},
      {"HiDPI last inside", {700, 500}, {1400, 1000}, {669, 489}, true, {639, 479}},
      // Shrunk to 320 x 240 at (0, 120): each screen pixel covers two page pixels.
      {"shrunk first", {320, 480}, {320, 480}, {0, 120}, true, {0, 0}},
      {"shrunk above", {320, 480}, {320, 480}, {0, 119}, false, {}},
      {"shrunk last", {320, 480}, {320, 480}, {319, 359}, true, {638, 478}},
      {"shrunk below", {320, 480}, {320, 480}, {0, 360}, false, {}},
      {"minimised window", {0, 0}, {0, 0}, {0, 0}, false, {}},
  };
  for (const PointerCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Viewport v = fitPage(640, 480, c.window[0], c.window[1], c.drawable[0], c.drawable[1]);
    const PagePoint p = pageAt(v, c.pointer[0], c.pointer[1]);
    EXPECT_EQ(p.inside, c.inside);
    if (c.inside && p.inside) {
      EXPECT_EQ(p.x, c.page[0]);
      EXPECT_EQ(p.y, c.page[1]);
    }
  }
}

TEST(Viewport, PageColumnLeftOfThePictureIsMinusOneNotZero) {
  // The strip just left of the picture must never be folded onto column 0.
  const Viewport v = fitPage(640, 480, 1400, 1100, 1400, 1100);
  EXPECT_EQ(v.pageColumn(v.picture.x - 1), -1);
  EXPECT_EQ(v.pageRow(v.picture.y - 1), -1);
  EXPECT_EQ(v.pageColumn(v.picture.x), 0);
}

// A small page whose every pixel differs, with alpha below 0xFF as dimming leaves it.
Page numberedPage(int w, int h) {
  Page page(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) page.at(x, y) = 0x7F000000u | std::uint32_t(y << 8 | x);
  }
  return page;
}

struct Drawable {
  int width;
  int height;
  int pitchPixels;  // wider than the width, as a window surface's rows may be
  std::vector<std::uint32_t> pixels;

  Drawable(int w, int h)
      : width(w), height(h), pitchPixels(w + 3), pixels(std::size_t(pitchPixels) * h, 0x12345678) {}
  int pitchBytes() const { return pitchPixels * 4; }
  std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * pitchPixels + x]; }
};

TEST(Viewport, ScaledPictureShowsWhatThePointerMapsTo) {
  // Every drawable pixel: inside the picture it shows, opaque, the page pixel that a pointer
  // there maps to; outside it is black.
  const int sizes[][2] = {{8, 6}, {16, 12}, {20, 13}, {25, 19}, {5, 6}, {11, 4}, {3, 2}};
  const Page page = numberedPage(8, 6);
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
    const Viewport v = fitPage(8, 6, size[0], size[1], size[0], size[1]);
    Drawable d(size[0], size[1]);
    fillBlack(v, d.pixels.data(), d.pitchBytes());
    const Rect wrote = drawScaled(page, v, {0, 0, 8, 6}, d.pixels.data(), d.pitchBytes());
    EXPECT_EQ(wrote.x, v.picture.x);
    EXPECT_EQ(wrote.y, v.picture.y);
    EXPECT_EQ(wrote.width, v.picture.width);
    EXPECT_EQ(wrote.height, v.picture.height);
    for (int y = 0; y < d.height; ++y) {
      for (int x = 0; x < d.width; ++x) {
        const PagePoint p = pageAt(v, x, y);
        const std::uint32_t want = p.inside ? page.at(p.x, p.y) | 0xFF000000u : 0xFF000000u;
        ASSERT_EQ(d.at(x, y), want) << "at " << x << ", " << y;
      }
      // The pitch's slack beyond the drawable is never written.
      ASSERT_EQ(d.pixels[std::size_t(y) * d.pitchPixels + d.width], 0x12345678u);
    }
  }
}

TEST(Viewport, RedrawingOnlyTheChangedAreaGivesTheFullPicture) {
  const int sizes[][2] = {{640, 480}, {1400, 1100}, {500, 300}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(testing::Message() << size[0] << " x " << size[1]);
    const Viewport v = fitPage(640, 480, size[0], size[1], size[0], size[1]);
    const Page before = numberedPage(640, 480);
    Page after = before;
    after.at(100, 50) = 0xFFFF0000;
    after.at(639, 479) = 0xFF00FF00;
    after.at(7, 300) = 0xFF0000FF;

    Drawable incremental(size[0], size[1]);
    fillBlack(v, incremental.pixels.data(), incremental.pitchBytes());
    drawScaled(before, v, {0, 0, 640, 480}, incremental.pixels.data(), incremental.pitchBytes());
    const Rect changed = changedArea(before, after);
    const Rect wrote =
        drawScaled(after, v, changed, incremental.pixels.data(), incremental.pitchBytes());
    EXPECT_LT(wrote.width, v.picture.width);

    Drawable full(size[0], size[1]);
    fillBlack(v, full.pixels.data(), full.pitchBytes());
    drawScaled(after, v, {0, 0, 640, 480}, full.pixels.data(), full.pitchBytes());
    EXPECT_EQ(incremental.pixels, full.pixels);
  }
}

TEST(Viewport, ChangedAreaBoundsEveryDifference) {
  const Page base = numberedPage(16, 12);
  EXPECT_TRUE(changedArea(base, base).empty());

  Page one = base;
  one.at(5, 7) ^= 1;
  const Rect a = changedArea(base, one);
  EXPECT_EQ(a.x, 5);
  EXPECT_EQ(a.y, 7);
  EXPECT_EQ(a.width, 1);
  EXPECT_EQ(a.height, 1);

  Page corners = base;
  corners.at(15, 0) ^= 1;
  corners.at(0, 11) ^= 1;
  const Rect b = changedArea(base, corners);
  EXPECT_EQ(b.x, 0);
  EXPECT_EQ(b.y, 0);
  EXPECT_EQ(b.width, 16);
  EXPECT_EQ(b.height, 12);

  // Only the alpha byte changed (a dimmed frame): still a change to present.
  Page alpha = base;
  alpha.at(3, 4) = base.at(3, 4) ^ 0x40000000u;
  EXPECT_FALSE(changedArea(base, alpha).empty());

  const Rect c = changedArea(Page(4, 4), base);
  EXPECT_EQ(c.width, 16);
  EXPECT_EQ(c.height, 12);
}

}  // namespace
}  // namespace wedgora
