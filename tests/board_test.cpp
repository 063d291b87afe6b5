// The board's drawing on the headless page: pies and segments, the hover and click test, the
// backdrop, the turn gauge and the dimming, and the run-time errors they stop with.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "draw/board.h"
#include "game/state.h"
#include "platform/font.h"
#include "platform/runtime_error.h"
#include "support/headless_fixture.h"

namespace wedgora {
namespace {

using test::HeadlessScreen;

constexpr Colour kBlue = 0xFF0000FF;
constexpr Colour kYellow = 0xFFFFFF00;
constexpr Colour kGreen = 0xFF00FF00;
constexpr Colour kBlack = 0xFF000000;
constexpr Colour kBody = 0xFF141414;
constexpr Colour kEmptyFill = 0xFF0A0A0A;
constexpr Colour kEmptyOutline = 0xFF323232;
constexpr Colour kGround = 0xFF1E1E1E;
constexpr Colour kRing = 0xFF000064;
constexpr Colour kGreyFill = 0xFF787878;
constexpr Colour kWhite = 0xFFFFFFFF;

// A plain page in one colour, to draw on.
void paint(HeadlessScreen& s, Colour colour) {
  s.platform.setColour(0, colour, kBackgroundOnly);
  s.platform.clear();
}

Pie pieAt(int x, int y) {
  Pie pie;
  pie.x = x;
  pie.y = y;
  pie.radius = 45;
  pie.radiusCopy = 45;
  return pie;
}

// Escapes a text for use as a death test's regular expression.
std::string literal(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) out += '\\';
    out += c;
  }
  return out;
}

// The report of a run-time error in a procedure, at whatever line.
std::string reportAnyLine(int code, const std::string& text, const std::string& procedure) {
  return "\nAborting due to runtime error " + std::to_string(code) + " \\(" + text +
         "\\) at line [0-9]+ of wedgora::" + procedure + "\\(\\)\n\n";
}

// ---------------------------------------------------------------------------------------------
// Pies

TEST(Pie, RimBodyAndTheColourLeftBehind) {
  HeadlessScreen s;
  paint(s, kGround);
  s.platform.setColour(0xFF123456, 0xFF654321, kBothColours);
  CIRC(s.platform, 320, 250, 45);
  EXPECT_EQ(s.at(371, 250), kBlue);  // rim disc radius 51, its edge included
  EXPECT_EQ(s.at(372, 250), kGround);
  EXPECT_EQ(s.at(368, 250), kBody);  // body radius 48
  EXPECT_EQ(s.at(369, 250), kBlue);
  EXPECT_EQ(s.at(320, 250), kBody);  // the centre lies in the gap between the wedges
  EXPECT_EQ(s.platform.foreground(), kEmptyOutline);
  EXPECT_EQ(s.platform.background(), 0xFF654321u);

  CIRCHI(s.platform, 320, 250, 45);
  EXPECT_EQ(s.at(371, 250), kYellow);
  EXPECT_EQ(s.at(320, 199), kYellow);
  EXPECT_EQ(s.at(368, 250), kBody);
  EXPECT_EQ(s.platform.foreground(), kEmptyOutline);
}

TEST(Pie, HighlightDiffersFromThePlainPieOnlyInTheRim) {
  HeadlessScreen plain;
  HeadlessScreen lit;
  CIRC(plain.platform, 320, 250, 45);
  CIRCHI(lit.platform, 320, 250, 45);
  int rim = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (plain.at(x, y) == lit.at(x, y)) continue;
      ASSERT_EQ(plain.at(x, y), kBlue) << x << "," << y;
      ASSERT_EQ(lit.at(x, y), kYellow) << x << "," << y;
      ++rim;
    }
  }
  EXPECT_NEAR(rim, 3.14159 * (51 * 51 - 48 * 48), 60);  // the ring between radius 48 and 51
}

TEST(Pie, TheBoardsSevenPiesStandApart) {
  // The six board pies and the centre pie, where the game lays them out on a 640-wide page.
  const std::vector<std::pair<int, int>> centres = {{320, 130}, {220, 190}, {420, 190}, {220, 310},
                                                    {420, 310}, {320, 370}, {320, 250}};
  HeadlessScreen s;
  paint(s, kGround);
  for (auto [x, y] : centres) CIRC(s.platform, x, y, 45);
  for (auto [x, y] : centres) {
    SCOPED_TRACE(testing::Message() << "pie at " << x << "," << y);
    EXPECT_EQ(s.at(x, y), kBody);
    EXPECT_EQ(s.at(x + 51, y), kBlue);
    EXPECT_EQ(s.at(x - 51, y), kBlue);
    EXPECT_EQ(s.at(x, y - 51), kBlue);
    EXPECT_EQ(s.at(x, y + 51), kBlue);
  }
}

// ---------------------------------------------------------------------------------------------
// Segments

struct SlotGeometry {
  int slot;
  int cornerX, cornerY;  // from the pie's centre
  int firstX, firstY;    // arc ends and fill seed, from the corner
  int lastX, lastY;
  int seedX, seedY;
};

const SlotGeometry kSlots[] = {
    {1, 0, -5, 20, -35, -20, -35, 0, -20}, {2, -4, -3, -20, -35, -40, 0, -17, -10},
    {3, -4, 3, -40, 0, -20, 35, -17, 10},  {4, 0, 5, -20, 35, 20, 35, 0, 20},
    {5, 4, 3, 20, 35, 40, 0, 17, 10},      {6, 4, -2, 40, 0, 20, -35, 17, -10},
};

TEST(Segment, CornerArcEndsAndSeedOfEverySlot) {
  for (const SlotGeometry& g : kSlots) {
    SCOPED_TRACE(testing::Message() << "slot " << g.slot);
    HeadlessScreen s;
    paint(s, kGround);
    SHOWSEG(s.platform, 320, 250, g.slot, 1);
    const int cx = 320 + g.cornerX;
    const int cy = 250 + g.cornerY;
    EXPECT_EQ(s.at(cx, cy), 0xFF640000u);
    EXPECT_EQ(s.at(cx + g.firstX, cy + g.firstY), 0xFF640000u);
    EXPECT_EQ(s.at(cx + g.lastX, cy + g.lastY), 0xFF640000u);
    EXPECT_EQ(s.at(cx + g.seedX, cy + g.seedY), 0xFFC80000u);
  }
}

TEST(Segment, CornerPointsAroundTheCentrePie) {
  // Slot 6's corner is (+4, -2), one row off a mirror image of slot 2.
  const struct { int slot, x, y; } corners[] = {{1, 320, 245}, {6, 324, 248}, {2, 316, 247}};
  for (auto c : corners) {
    HeadlessScreen s;
    paint(s, kGround);
    SHOWSEG(s.platform, 320, 250, c.slot, 3);
    EXPECT_EQ(s.at(c.x, c.y), 0xFF006464u) << "slot " << c.slot;
  }
  // Slot 4's arc runs from (300, 290) to (340, 290), along the bottom.
  HeadlessScreen bottom;
  paint(bottom, kGround);
  SHOWSEG(bottom.platform, 320, 250, 4, 3);
  EXPECT_EQ(bottom.at(300, 290), 0xFF006464u);
  EXPECT_EQ(bottom.at(340, 290), 0xFF006464u);
  EXPECT_EQ(bottom.at(320, 295), 0xFF006464u);  // the arc's lowest point, 40 below (320, 255)
  EXPECT_EQ(bottom.at(320, 296), kGround);
}

TEST(Segment, EveryCodeHasItsLookAndLeavesItsOutlineColour) {
  const struct {
    std::int32_t code;
    Colour fill, outline;
  } looks[] = {
      {1, 0xFFC80000, 0xFF640000}, {2, 0xFF00C800, 0xFF006400},    {3, 0xFF00C8C8, 0xFF006464},
      {4, 0xFFFFC800, 0xFF786400}, {5, kEmptyFill, kEmptyOutline}, {0, kGreyFill, kWhite},
      {-1, kGreyFill, kWhite},     {INT_MIN, kGreyFill, kWhite},   {6, kGreyFill, kWhite},
      {7, kGreyFill, kWhite},      {INT_MAX, kGreyFill, kWhite},
  };
  for (auto look : looks) {
    SCOPED_TRACE(testing::Message() << "code " << look.code);
    HeadlessScreen s;
    CIRC(s.platform, 320, 250, 45);
    SHOWSEG(s.platform, 320, 250, 2, look.code);
    EXPECT_EQ(s.at(299, 237), look.fill);     // slot 2's seed
    EXPECT_EQ(s.at(316, 247), look.outline);  // its corner
    EXPECT_EQ(s.at(276, 247), look.outline);  // its last arc end
    EXPECT_EQ(s.at(299, 263), kEmptyFill);    // slot 3 untouched
    EXPECT_EQ(s.platform.foreground(), look.outline);
  }
}

TEST(Segment, EmptyLookOverAnEmptySlotChangesNothing) {
  HeadlessScreen s;
  CIRC(s.platform, 420, 310, 45);
  const std::vector<Colour> before = s.work().pixels;
  for (int slot = 1; slot <= 6; ++slot) SHOWSEG(s.platform, 420, 310, slot, 5);
  EXPECT_TRUE(s.work().pixels == before);
}

TEST(Segment, ASecondSegmentLeavesOnlyItsOwnLook) {
  for (int slot = 1; slot <= 6; ++slot) {
    SCOPED_TRACE(testing::Message() << "slot " << slot);
    for (auto [first, second] : {std::pair{1, 3}, {3, 1}, {4, 9}, {9, 2}, {2, 5}}) {
      HeadlessScreen twice;
      CIRC(twice.platform, 320, 250, 45);
      SHOWSEG(twice.platform, 320, 250, slot, first);
      SHOWSEG(twice.platform, 320, 250, slot, second);
      HeadlessScreen once;
      CIRC(once.platform, 320, 250, 45);
      SHOWSEG(once.platform, 320, 250, slot, second);
      EXPECT_TRUE(twice.work().pixels == once.work().pixels) << first << " then " << second;
    }
  }
}

TEST(Segment, TheFillStaysInsideTheWedge) {
  // A leak through the outline would flood the whole page: the fill colour may appear only
  // within the wedge's 40-pixel reach of its corner, and fill about a sixth of that disc.
  for (const SlotGeometry& g : kSlots) {
    for (bool onPie : {false, true}) {
      SCOPED_TRACE(testing::Message() << "slot " << g.slot << (onPie ? " on a pie" : ""));
      HeadlessScreen s;
      paint(s, kGround);
      if (onPie) CIRC(s.platform, 320, 250, 45);
      SHOWSEG(s.platform, 320, 250, g.slot, 2);
      const int cx = 320 + g.cornerX;
      const int cy = 250 + g.cornerY;
      int inside = 0;
      int outside = 0;
      for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
          if (s.at(x, y) != 0xFF00C800) continue;
          const int dx = x - cx;
          const int dy = y - cy;
          (dx * dx + dy * dy <= 40 * 40 ? inside : outside)++;
        }
      }
      EXPECT_EQ(outside, 0);
      EXPECT_GT(inside, 700);
      EXPECT_LT(inside, 900);
    }
  }
}

TEST(SegmentDeathTest, ASlotOutsideOneToSixStopsWithError6) {
  for (std::int32_t slot : {-1, 0, 7, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(testing::Message() << "slot " << slot);
    EXPECT_EXIT(
        {
          HeadlessScreen s;
          SHOWSEG(s.platform, 320, 250, slot, 1);
        },
        testing::ExitedWithCode(6), reportAnyLine(6, "out of bounds array access", "SHOWSEG"));
  }
}

TEST(SegmentDeathTest, TheBoardTablesStopWithError6OutsideTheirBounds) {
  // The line is the line of the access; the procedure is whichever one is running.
  const int line = __LINE__ + 1;
  auto pieX = [](GameState& state, int pie) { return state.pies[pie].x; };
  auto slotCode = [](Pie& pie, int slot) { return pie.segments[slot]; };
  for (int index : {-1, 7}) {
    SCOPED_TRACE(testing::Message() << "index " << index);
    GameState state;
    EXPECT_EXIT(pieX(state, index), testing::ExitedWithCode(6),
                literal(runtimeErrorReport(kOutOfBounds, line, "")));
    EXPECT_EXIT(
        {
          ProcedureScope scope("CHKZONE");
          slotCode(state.pies[1], index);
        },
        testing::ExitedWithCode(6), literal(runtimeErrorReport(kOutOfBounds, line + 1, "CHKZONE")));
  }
}

// ---------------------------------------------------------------------------------------------
// The hover and click test

// Where the cursor is, and whether the pie at (220, 190) takes it as over itself.
TEST(HoverZone, TheOpenSquareAroundThePie) {
  const struct {
    int x, y;
    bool over;
  } cursors[] = {
      {175, 190, false}, {265, 190, false}, {220, 145, false}, {220, 235, false},
      {176, 146, true},  {264, 234, true},  {176, 234, true},  {220, 190, true},
      {175, 146, false}, {176, 145, false}, {264, 235, false}, {-1, -1, false},
  };
  for (auto c : cursors) {
    SCOPED_TRACE(testing::Message() << "cursor at " << c.x << "," << c.y);
    HeadlessScreen s(Script().move(c.x, c.y));
    EXPECT_EQ(CHKZONE(s.platform, pieAt(220, 190), 1), c.over ? 1 : 0);
    EXPECT_EQ(s.at(270, 190), c.over ? kYellow : kBlue);
  }
}

TEST(HoverZone, OnlyAClickOfExactlyOneCounts) {
  for (std::int32_t click : {0, 1, 2, -1, INT_MIN}) {
    HeadlessScreen s(Script().move(200, 200));
    EXPECT_EQ(CHKZONE(s.platform, pieAt(220, 190), click), click == 1 ? 1 : 0) << click;
    EXPECT_EQ(s.at(220, 139), kYellow) << click;
  }
}

TEST(HoverZone, AFailedPollHighlightsNothing) {
  // The pointer left the window, or the window lost the focus: the poll reports (-1, -1).
  for (Script script : {Script().move(220, 190).leave(), Script().move(220, 190).focusLost()}) {
    HeadlessScreen s(std::move(script));
    EXPECT_EQ(CHKZONE(s.platform, pieAt(220, 190), 1), 0);
    EXPECT_EQ(s.at(270, 190), kBlue);
  }
}

TEST(HoverZone, EveryCallAsksWhereTheCursorIsNow) {
  HeadlessScreen s(Script().move(220, 190).at(1.0).move(420, 190));
  EXPECT_EQ(CHKZONE(s.platform, pieAt(220, 190), 1), 1);
  EXPECT_EQ(CHKZONE(s.platform, pieAt(420, 190), 1), 0);
  s.platform.sleepMs(1000);
  EXPECT_EQ(CHKZONE(s.platform, pieAt(220, 190), 1), 0);
  EXPECT_EQ(CHKZONE(s.platform, pieAt(420, 190), 1), 1);
  EXPECT_EQ(s.at(270, 190), kBlue);
  EXPECT_EQ(s.at(470, 190), kYellow);
}

TEST(HoverZone, FilledSlotsAreDrawnOverThePie) {
  // Codes of 1 and above are drawn, 5 and the grey codes included; 0 and below look empty.
  Pie pie = pieAt(220, 310);
  const std::int32_t codes[] = {0, 1, 0, -2, 5, 7, 4};
  for (int slot = 1; slot <= 6; ++slot) pie.segments[slot] = codes[slot];
  for (bool hover : {false, true}) {
    HeadlessScreen s(hover ? Script().move(220, 310) : Script());
    CHKZONE(s.platform, pie, 0);
    HeadlessScreen expected;
    (hover ? CIRCHI : CIRC)(expected.platform, 220, 310, 45);
    SHOWSEG(expected.platform, 220, 310, 1, 1);
    SHOWSEG(expected.platform, 220, 310, 4, 5);
    SHOWSEG(expected.platform, 220, 310, 5, 7);
    SHOWSEG(expected.platform, 220, 310, 6, 4);
    EXPECT_TRUE(s.work().pixels == expected.work().pixels) << (hover ? "hovered" : "plain");
    EXPECT_EQ(s.at(220, 290), 0xFFC80000u);  // slot 1 red
    EXPECT_EQ(s.at(203, 320), kEmptyFill);   // slot 3 (-2) looks empty
    EXPECT_EQ(s.at(237, 320), kGreyFill);    // slot 5 (7) grey
  }
}

TEST(HoverZone, TheUnreadFieldsChangeNothing) {
  Pie pie = pieAt(420, 310);
  pie.segments[2] = 3;
  HeadlessScreen plain(Script().move(430, 300));
  const std::int32_t result = CHKZONE(plain.platform, pie, 1);

  pie.radiusCopy = 7;
  pie.segments[0] = 4;
  HeadlessScreen changed(Script().move(430, 300));
  EXPECT_EQ(CHKZONE(changed.platform, pie, 1), result);
  EXPECT_TRUE(changed.work().pixels == plain.work().pixels);
  EXPECT_EQ(pie.segments[0], 4);  // and the record is left as it was
}

// ---------------------------------------------------------------------------------------------
// The backdrop

// The colour a band row should have, or 0 for a row outside the bands.
Colour bandColour(int y) {
  if (y <= 24) return kBlack + Colour(10 * y);
  if (y >= 456) return kBlack + Colour(10 * (480 - y));
  return 0;
}

TEST(Backdrop, BandsRunFromTheEdgesInwards) {
  HeadlessScreen s;
  CLR(s.platform, 640, 480);
  EXPECT_EQ(bandColour(0), kBlack);
  EXPECT_EQ(bandColour(24), 0xFF0000F0u);
  EXPECT_EQ(bandColour(479), 0xFF00000Au);
  EXPECT_EQ(bandColour(456), 0xFF0000F0u);
  for (int y : {0, 1, 12, 24, 456, 470, 479}) {
    const int lastX = y >= 464 ? 503 : 639;  // the web address sits in the last 16 rows
    for (int x = 0; x <= lastX; ++x) ASSERT_EQ(s.at(x, y), bandColour(y)) << x << "," << y;
  }
  for (int y : {25, 455}) {
    for (int x = 0; x < 640; ++x) ASSERT_EQ(s.at(x, y), kGround) << x << "," << y;
  }
  EXPECT_EQ(s.platform.foreground(), kYellow);
  EXPECT_EQ(s.platform.background(), kGround);
}

TEST(Backdrop, RingAndBars) {
  HeadlessScreen s;
  CLR(s.platform, 640, 480);
  const struct {
    int x, y;
    Colour colour;
  } points[] = {
      // the ring, 20 pixels wide between radius 100 and 120 around (320, 250)
      {440, 250, kRing},
      {441, 250, kGround},
      {421, 250, kRing},
      {420, 250, kGround},
      {200, 250, kRing},
      {199, 250, kGround},
      {219, 250, kRing},
      {220, 250, kGround},
      {320, 130, kRing},
      {320, 129, kGround},
      {320, 149, kRing},
      {320, 150, kGround},
      {320, 370, kRing},
      {320, 371, kGround},
      {320, 250, kGround},
      // the bar to the Clear button: x 310..330, y 60..90
      {310, 60, kRing},
      {330, 90, kRing},
      {309, 75, kGround},
      {331, 75, kGround},
      {320, 59, kGround},
      {320, 91, kGround},
      // the bars to Freeze and x2: x 190..210 and 430..450, y 330..380
      {190, 330, kRing},
      {210, 380, kRing},
      {189, 355, kGround},
      {211, 355, kGround},
      {200, 329, kGround},
      {200, 381, kGround},
      {430, 330, kRing},
      {450, 380, kRing},
      {429, 355, kGround},
      {451, 355, kGround},
      {440, 329, kGround},
      {440, 381, kGround},
  };
  for (auto p : points) EXPECT_EQ(s.at(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(Backdrop, RingAndBarsFollowTheWidthRoundedToEven) {
  // Half the width goes to the nearest integer, ties to even: 320.5 -> 320, 321.5 -> 322.
  for (auto [width, c] : {std::pair{640, 320}, {641, 320}, {643, 322}, {600, 300}}) {
    SCOPED_TRACE(testing::Message() << "width " << width);
    HeadlessScreen s;
    CLR(s.platform, width, 480);
    EXPECT_EQ(s.at(c + 120, 250), kRing);
    EXPECT_EQ(s.at(c + 121, 250), kGround);
    EXPECT_EQ(s.at(c - 120, 250), kRing);
    EXPECT_EQ(s.at(c - 121, 250), kGround);
    EXPECT_EQ(s.at(c - 10, 60), kRing);
    EXPECT_EQ(s.at(c - 11, 60), kGround);
  }
}

TEST(Backdrop, WebAddressFillsTheLastCellsOfThePage) {
  HeadlessScreen s;
  CLR(s.platform, 640, 480);
  const std::string address = kWebAddress;
  ASSERT_EQ(address.size(), 17u);
  int glyphPixels = 0;
  for (int y = 464; y < 480; ++y) {
    for (int x = 504; x < 640; ++x) {
      const Glyph& glyph = glyphFor(static_cast<unsigned char>(address[(x - 504) / 8]));
      const bool set = (glyph[y - 464] >> (7 - (x - 504) % 8)) & 1;
      ASSERT_EQ(s.at(x, y), set ? kYellow : bandColour(y)) << x << "," << y;
      glyphPixels += set;
    }
  }
  EXPECT_GT(glyphPixels, 17 * 8);  // the address is really written
  for (int y = 0; y < 464; ++y) {
    for (int x = 0; x < 640; ++x) ASSERT_NE(s.at(x, y), kYellow) << x << "," << y;
  }
}

TEST(BackdropDeathTest, WithoutAScreenTheAddressFailsWithError1) {
  EXPECT_EXIT(
      {
        HeadlessPlatform closed;
        CLR(closed, 640, 480);
      },
      testing::ExitedWithCode(1), reportAnyLine(1, "illegal function call", "CLR"));
}

// ---------------------------------------------------------------------------------------------
// The turn gauge

constexpr int kGaugeX = 320;
constexpr int kGaugeY = 250;

struct GaugePixels {
  std::set<std::pair<int, int>> black, coloured;
  Colour colour = 0;  // the one colour of the non-black pixels
  bool oneColour = true;
};

// Draws the gauge alone on a grey page and sorts what it drew.
GaugePixels drawGauge(HeadlessScreen& s, std::int32_t countdown, std::int32_t turnFrames) {
  paint(s, kGround);
  GAUGE(s.platform, kGaugeX, kGaugeY, countdown, turnFrames);
  GaugePixels g;
  for (int y = kGaugeY - 60; y <= kGaugeY + 60; ++y) {
    for (int x = kGaugeX - 60; x <= kGaugeX + 60; ++x) {
      const Colour c = s.at(x, y);
      if (c == kGround) continue;
      if (c == kBlack) {
        g.black.insert({x, y});
        continue;
      }
      if (g.coloured.empty()) g.colour = c;
      g.oneColour = g.oneColour && c == g.colour;
      g.coloured.insert({x, y});
    }
  }
  return g;
}

TEST(Gauge, GreenUntilHalfTheTurnIsSpent) {
  // countdown > turnFrames / 2 in real arithmetic; (-1, -3) tells it from integer division.
  const struct {
    std::int32_t countdown, turnFrames;
    Colour colour;
  } cases[] = {{90, 90, kGreen}, {46, 90, kGreen},  {45, 90, kYellow}, {1, 90, kYellow},
               {41, 81, kGreen}, {40, 81, kYellow}, {-1, -3, kGreen},  {-2, -3, kYellow}};
  for (auto c : cases) {
    HeadlessScreen s;
    const GaugePixels g = drawGauge(s, c.countdown, c.turnFrames);
    EXPECT_TRUE(g.oneColour);
    EXPECT_EQ(g.colour, c.colour) << c.countdown << " of " << c.turnFrames;
    EXPECT_EQ(s.at(kGaugeX - 55, kGaugeY), c.colour);  // the left end stays coloured
    EXPECT_EQ(s.platform.foreground(), kBlack);
  }
}

TEST(Gauge, FullAndEmptyTurns) {
  HeadlessScreen s;
  const GaugePixels full = drawGauge(s, 90, 90);
  EXPECT_EQ(full.black, (std::set<std::pair<int, int>>{{kGaugeX + 55, kGaugeY}}));
  EXPECT_GT(full.coloured.size(), 150u);  // half of a circle of radius 55
  for (auto [x, y] : full.coloured) {
    EXPECT_LE(y, kGaugeY);
    EXPECT_NEAR(std::hypot(x - kGaugeX, y - kGaugeY), 55, 1);
  }

  const GaugePixels empty = drawGauge(s, 0, 90);
  EXPECT_TRUE(empty.coloured.empty());
  std::set<std::pair<int, int>> ring = full.coloured;
  ring.insert({kGaugeX + 55, kGaugeY});
  EXPECT_EQ(empty.black, ring);

  // Half way: the right quarter black, the left quarter yellow.
  const GaugePixels half = drawGauge(s, 45, 90);
  EXPECT_EQ(half.colour, kYellow);
  EXPECT_EQ(half.black.size() + half.coloured.size(), ring.size());
  for (auto [x, y] : half.black) EXPECT_GE(x, kGaugeX);
  for (auto [x, y] : half.coloured) EXPECT_LE(x, kGaugeX);
}

TEST(Gauge, AboveAFullTurnALineCrossesTheCentre) {
  // countdown 90 of 80 frames: e = -pi/8, an arc to pi/8 and a line from the centre to it.
  HeadlessScreen s;
  const GaugePixels g = drawGauge(s, 90, 80);
  EXPECT_EQ(g.colour, kGreen);
  EXPECT_TRUE(g.black.count({kGaugeX, kGaugeY}));
  const double angle = std::acos(-1.0) / 8;
  const double dirX = std::cos(angle);
  const double dirY = -std::sin(angle);
  int onLine = 0;
  for (auto [x, y] : g.black) {
    const double dx = x - kGaugeX;
    const double dy = y - kGaugeY;
    const double radius = std::hypot(dx, dy);
    if (radius < 54) {
      EXPECT_LT(std::abs(dx * dirY - dy * dirX), 1.5) << x << "," << y;  // near the line
      EXPECT_GT(dx * dirX + dy * dirY, -0.5) << x << "," << y;           // on its outer side
      ++onLine;
    } else {
      EXPECT_LE(std::atan2(-dy, dx), angle + 0.03) << x << "," << y;  // the arc from 0 to pi/8
    }
  }
  EXPECT_GE(onLine, 45);
}

TEST(Gauge, AFullTurnDrawsNoLineWhateverItsLength) {
  std::vector<std::int32_t> lengths;
  for (std::int32_t n = 1; n <= 3000; ++n) lengths.push_back(n);
  for (std::int32_t n : {9999, 65535, 1 << 20, 123456789, 1 << 30, INT_MAX - 1, INT_MAX}) {
    lengths.push_back(n);
  }
  HeadlessScreen s;
  paint(s, kGround);
  for (std::int32_t n : lengths) {
    ASSERT_EQ(gaugeSpentAngle(n, n), 0.0f) << n;
    GAUGE(s.platform, kGaugeX, kGaugeY, n, n);
    for (int y = kGaugeY - 56; y <= kGaugeY + 1; ++y) {
      for (int x = kGaugeX - 56; x <= kGaugeX + 56; ++x) {
        if (x == kGaugeX + 55 && y == kGaugeY) continue;
        ASSERT_NE(s.at(x, y), kBlack) << "turn of " << n << " at " << x << "," << y;
      }
    }
  }
}

TEST(Gauge, SpentAngleMatchesTheTurnFractionToSinglePrecision) {
  // e = pi - pi * countdown / turnFrames in doubles, then rounded to a float.
  const double pi = 3.141592653589793;
  for (std::int32_t n : {1, 2, 3, 7, 30, 80, 90, 1000, 123457, INT_MAX}) {
    for (std::int64_t step = -3; step <= 103; ++step) {
      const std::int64_t wide = std::int64_t(n) * step / 100;
      if (wide > INT_MAX) continue;
      const std::int32_t countdown = std::int32_t(wide);
      const float formula = float(pi - pi * countdown / n);
      const float e = gaugeSpentAngle(countdown, n);
      // Both are within one rounding of the true value, so within two of each other, plus
      // the last bits of pi that the subtraction loses near zero.
      const double ulp = std::nextafter(std::abs(formula), INFINITY) - std::abs(formula);
      EXPECT_LE(std::abs(double(e) - double(formula)), 2 * ulp + 1e-15) << countdown << " of " << n;
    }
  }
  EXPECT_EQ(gaugeSpentAngle(90, 80), float(-pi / 8));
  EXPECT_EQ(gaugeSpentAngle(0, 90), float(pi));
  EXPECT_EQ(gaugeSpentAngle(5, 0), 0.0f);
  EXPECT_EQ(gaugeSpentAngle(5, -10), 0.0f);
}

TEST(Gauge, AnyCountsDrawSafely) {
  // No turn length: the coloured half ring alone. Extreme counts: whatever the arc makes of
  // the angle, the gauge stays within its circle.
  HeadlessScreen s;
  for (std::int32_t turnFrames : {0, -1, -90, INT_MIN}) {
    const GaugePixels g = drawGauge(s, 10, turnFrames);
    EXPECT_TRUE(g.black.empty()) << turnFrames;
    EXPECT_FALSE(g.coloured.empty()) << turnFrames;
  }
  const std::pair<std::int32_t, std::int32_t> extremes[] = {
      {INT_MAX, 1}, {INT_MIN, 1}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MAX - 1}, {-1, 1}};
  for (auto [countdown, turnFrames] : extremes) {
    drawGauge(s, countdown, turnFrames);
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        if (std::hypot(x - kGaugeX, y - kGaugeY) <= 56) continue;
        ASSERT_EQ(s.at(x, y), kGround) << countdown << " of " << turnFrames;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Dimming

TEST(Dim, EveryByteIsHalvedOnItsOwn) {
  const struct {
    Colour before, after;
  } cases[] = {{kGround, 0x7F0F0F0F},
               {kYellow, 0x7F7F7F00},
               {0xFF0000F1, 0x7F000078},
               {0x01010101, 0x00000000},
               {0xFFFFFFFF, 0x7F7F7F7F}};
  for (auto c : cases) {
    HeadlessScreen s;
    paint(s, c.before);
    SCREENDIM(s.platform, 640, 480, 4);
    EXPECT_TRUE(std::all_of(s.work().pixels.begin(), s.work().pixels.end(),
                            [&](Colour p) { return p == c.after; }))
        << std::hex << c.before;
    EXPECT_EQ(s.platform.lockDepth(), 0);
    EXPECT_EQ(s.platform.page(0).at(0, 0), kBlack);  // the visible page is not touched
  }
  HeadlessScreen s;
  paint(s, 0xFFFFFFFF);
  SCREENDIM(s.platform, 640, 480, 4);
  SCREENDIM(s.platform, 640, 480, 4);
  EXPECT_EQ(s.at(0, 0), 0x3F3F3F3Fu);
  EXPECT_EQ(s.at(639, 479), 0x3F3F3F3Fu);
}

TEST(Dim, SizesReachNoFurtherThanThePage) {
  // Arguments that ask for more than the page dim the page once; sizes of zero or less dim
  // nothing; small sizes dim only the first bytes.
  const struct {
    std::int32_t width, height, bytesPerPixel;
    std::int64_t bytes;  // how many of the page's bytes are halved
  } cases[] = {
      {640, 480, 4, 640 * 480 * 4},
      {640, 480, 8, 640 * 480 * 4},
      {65536, 65536, 4, 640 * 480 * 4},
      {INT_MAX, INT_MAX, INT_MAX, 640 * 480 * 4},
      {0, 480, 4, 0},
      {640, 0, 4, 0},
      {640, 480, 0, 0},
      {-640, -480, 4, 0},
      {640, -480, -4, 0},
      {INT_MIN, INT_MIN, 4, 0},
      {1, 1, 4, 4},
      {1, 1, 1, 1},
      {640, 1, 4, 640 * 4},
      {3, 1, 1, 3},
  };
  for (auto c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " x " << c.bytesPerPixel);
    HeadlessScreen s;
    paint(s, 0xFFFFFFFF);
    SCREENDIM(s.platform, c.width, c.height, c.bytesPerPixel);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(s.work().pixels.data());
    const std::int64_t total = 640 * 480 * 4;
    const std::int64_t halved = std::count(bytes, bytes + total, 0x7F);
    EXPECT_EQ(halved, c.bytes);
    EXPECT_EQ(std::count(bytes, bytes + c.bytes, 0x7F), c.bytes);  // the first ones
    EXPECT_EQ(s.platform.lockDepth(), 0);
  }
}

TEST(DimDeathTest, WithoutAScreenStopsWithError7) {
  EXPECT_EXIT(
      {
        HeadlessPlatform closed;
        SCREENDIM(closed, 640, 480, 4);
      },
      testing::ExitedWithCode(7), reportAnyLine(7, "null pointer access", "SCREENDIM"));
}

}  // namespace
}  // namespace wedgora
