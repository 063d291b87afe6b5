// Hostile but legal calls: numbers far outside what the game passes, texts of any byte. Nothing
// may touch memory outside the page (the sanitizer build runs this table), and the visible page
// never changes.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "draw/board.h"
#include "support/headless_fixture.h"
#include "ui/box.h"

namespace wedgora {
namespace {

constexpr int kMin = INT_MIN;
constexpr int kMax = INT_MAX;

TEST(HostileCalls, DrawOnlyOnTheWorkPage) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += char(b);
  const std::string caption = everyByte + everyByte;

  struct Case {
    const char* name;
    std::function<void(Platform&)> call;
  };
  const Case cases[] = {
      {"SHOWSEG far away with every code",
       [](Platform& p) {
         for (int code : {kMin, -1, 0, 5, 6, 99, kMax}) {
           for (int xy : {kMin, -60, 630, kMax}) SHOWSEG(p, xy, xy, 1 + (code & 3), code);
         }
       }},
      {"CIRC and CIRCHI with huge radii",
       [](Platform& p) {
         for (int r : {kMin, -7, 0, 1000, kMax - 3, kMax}) {
           CIRC(p, 320, 240, r);
           CIRCHI(p, kMax, kMin, r);
         }
       }},
      {"GAUGE with any countdown",
       [](Platform& p) {
         for (int turn : {1, 2, 30, 90, kMax}) {
           for (int countdown : {kMin, -1, 0, 45, 91, kMax}) GAUGE(p, 320, 250, countdown, turn);
         }
         GAUGE(p, kMin, kMax, 5, 10);
       }},
      {"BOX in every state, far away, with any caption",
       [&](Platform& p) {
         for (int state : {kMin, -1, 0, 1, 2, 3, kMax}) {
           for (int frames : {kMin, -31, 0, 750, kMax}) {
             BOX(p, 320, 50, 100, 20, caption, state, frames);
             BOX(p, kMax, kMin, kMax, kMax, caption, state, frames);
             BOX(p, kMin, kMax, kMin, kMin, caption, state, frames);
           }
         }
       }},
      {"CLR on odd sizes",
       [](Platform& p) {
         for (int size : {kMin, -1, 0, 1, 641, kMax}) CLR(p, size, size);
       }},
      {"primitives far outside the page",
       [&](Platform& p) {
         p.line(kMin, kMin, kMax, kMax);
         p.line(kMax, kMin, kMin, kMax);
         p.box(kMin, kMin, kMax, kMax, false);
         p.circle(kMax, kMax, kMax, 0, 6.3, true);
         p.circle(kMin, 0, kMax, -1.0, -2.0, false);
         p.floodFill(kMax, kMin, 0xFF000000, 0xFFFFFFFF);
         p.pixel(kMin, kMax);
         EXPECT_EQ(p.text(kMax - 5, 0, caption), 0);
         EXPECT_EQ(p.text(kMin, kMin, caption), 0);
         EXPECT_EQ(p.text(-100, 10, everyByte), 0);
       }},
  };
  for (const Case& c : cases) {
    test::HeadlessScreen s(Script().move(320, 60).buttonDown());
    const std::uint64_t before = s.platform.visibleHash();
    c.call(s.platform);
    EXPECT_EQ(s.platform.visibleHash(), before) << c.name;
  }
}

TEST(HostileCalls, DimmingNeverReachesPastThePage) {
  for (int size : {kMin, -1, 0, 1, 640, 100000, kMax}) {
    test::HeadlessScreen s;
    SCREENDIM(s.platform, size, size, 4);
    SCREENDIM(s.platform, 640, 480, size);
  }
}

}  // namespace
}  // namespace wedgora
