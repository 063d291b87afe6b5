// Drawing the board: pies and segments, the hover and click test, the backdrop, the turn gauge
// and the game-over dimming.
#include "draw/board.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstddef>

#include "draw/palette.h"
#include "game/state.h"
#include "game/tables.h"
#include "platform/coordinates.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace wedgora {

namespace {

using palette::kBackdropGrey;
using palette::kBlack;
using palette::kGreen;
using palette::kYellow;
constexpr double kPi = 3.141592653589793;
constexpr double kFullTurn = 2 * kPi;

constexpr Colour kRimBlue = palette::kBlue;
constexpr Colour kRimYellow = palette::kYellow;
constexpr Colour kBody = 0xFF141414;

constexpr Colour kRingBlue = 0xFF000064;

constexpr int kSegmentLength = 40;  // corner point to arc
constexpr int kSeedDistance = 20;   // corner point to the fill seed, along the wedge's middle
constexpr int kGaugeRadius = 55;

// The empty-slot look: what CIRC and CIRCHI fill each slot with.
constexpr std::int32_t kEmptyLookCode = 5;

struct SegmentLook {
  Colour fill;
  Colour outline;
};

// The look of every colour code. Codes the game never deals still get a look of their own, so
// a stray value shows up on the board instead of passing for a real colour.
SegmentLook lookOf(std::int32_t code) {
  switch (code) {
    case 1:
      return {0xFFC80000, 0xFF640000};  // red
    case 2:
      return {0xFF00C800, 0xFF006400};  // green
    case 3:
      return {0xFF00C8C8, 0xFF006464};  // cyan
    case 4:
      return {0xFFFFC800, 0xFF786400};  // amber
    case kEmptyLookCode:
      return {0xFF0A0A0A, 0xFF323232};
    default:
      return {0xFF787878, 0xFFFFFFFF};  // grey with a white outline
  }
}

// A pixel position, or an offset between two.
struct Point {
  int x;
  int y;
};

// Where each slot's wedge has its tip, from the pie's centre, for slots 1..6 at entries 0..5.
// Slot 6 sits one pixel higher than a mirror of slot 2 would: that is how the board has always
// looked, and the gap it leaves between slots 5 and 6 is part of it.
const Table<Point, 6>& cornerOffsets() {
  static const Table<Point, 6> offsets = [] {
    Table<Point, 6> t;
    t[0] = {0, -5};
    t[1] = {-4, -3};
    t[2] = {-4, 3};
    t[3] = {0, 5};
    t[4] = {4, 3};
    t[5] = {4, -2};
    return t;
  }();
  return offsets;
}

// A page coordinate from a wider sum: positions this far out are off the page either way.
int toCoordinate(std::int64_t v) {
  return saturate(v);
}

int nearest(double v) {
  return roundHalfEven(v);
}

// The point `length` pixels from (x, y) in the direction `degrees` (0 down, 90 right, 180 up).
Point along(double degrees, int length) {
  const double radians = degrees * kPi / 180;
  return {nearest(length * std::sin(radians)), nearest(length * std::cos(radians))};
}

// The outline of one slot's wedge, from its corner point: the 61 points of its arc, one per
// degree, and the seed of its fill. Every pie draws dozens of wedges a frame, so the sines and
// cosines are worked out once, for slots 1..6 at entries 0..5.
struct WedgeShape {
  std::array<Point, 61> arc;
  Point seed;
};

const Table<WedgeShape, 6>& wedgeShapes() {
  static const Table<WedgeShape, 6> shapes = [] {
    Table<WedgeShape, 6> t;
    for (int slot = 1; slot <= 6; ++slot) {
      // The wedge spans 60 degrees; one pixel per degree at radius 40 leaves no holes.
      const double firstDirection = 60.0 * slot + 90;
      WedgeShape& shape = t[slot - 1];
      for (int i = 0; i <= 60; ++i) shape.arc[i] = along(firstDirection + i, kSegmentLength);
      shape.seed = along(firstDirection + 30, kSeedDistance);
    }
    return t;
  }();
  return shapes;
}

void setForeground(Platform& platform, Colour colour) {
  platform.setColour(colour, 0, kForegroundOnly);
}

// Both pies share everything but the rim's colour.
void drawPie(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t r, Colour rim) {
  const std::int64_t r64 = r;
  platform.circle(x, y, toCoordinate(r64 + 6), 0, kFullTurn, true, rim);
  setForeground(platform, kBody);
  platform.circle(x, y, toCoordinate(r64 + 3), 0, kFullTurn, true);
  for (std::int32_t slot = 1; slot <= 6; ++slot) SHOWSEG(platform, x, y, slot, kEmptyLookCode);
}

}  // namespace

void CIRC(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t r) {
  ProcedureScope scope("CIRC");
  drawPie(platform, x, y, r, kRimBlue);
}

void CIRCHI(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t r) {
  ProcedureScope scope("CIRCHI");
  drawPie(platform, x, y, r, kRimYellow);
}

void SHOWSEG(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t slot,
             std::int32_t code) {
  ProcedureScope scope("SHOWSEG");
  const SegmentLook look = lookOf(code);
  setForeground(platform, look.outline);

  // A slot outside 1..6 stops the program here, at the tables' bounds checks.
  const Point corner = cornerOffsets()[slot >= 1 ? slot - 1 : -1];
  const WedgeShape& shape = wedgeShapes()[slot - 1];
  const std::int64_t cx = std::int64_t(x) + corner.x;
  const std::int64_t cy = std::int64_t(y) + corner.y;
  auto at = [&](Point d) { return Point{toCoordinate(cx + d.x), toCoordinate(cy + d.y)}; };

  for (const Point& d : shape.arc) {
    const Point p = at(d);
    platform.pixel(p.x, p.y);
  }
  const Point tip = at({0, 0});
  const Point first = at(shape.arc.front());
  const Point last = at(shape.arc.back());
  platform.line(tip.x, tip.y, first.x, first.y);
  platform.line(tip.x, tip.y, last.x, last.y);

  // The outline is closed and 8-connected, so a 4-way fill from the middle stays inside it.
  const Point seed = at(shape.seed);
  platform.floodFill(seed.x, seed.y, look.fill, look.outline);
}

std::int32_t CHKZONE(Platform& platform, const Pie& pie, std::int32_t click) {
  ProcedureScope scope("CHKZONE");
  std::int32_t result = 0;
  // Wide sums: the bounds of a pie near the edge of the integers must not wrap.
  const std::int64_t left = std::int64_t(pie.x) - pie.radius;
  const std::int64_t top = std::int64_t(pie.y) - pie.radius;
  const std::int64_t right = std::int64_t(pie.x) + pie.radius;
  const std::int64_t bottom = std::int64_t(pie.y) + pie.radius;

  // One poll, before any drawing: the highlight and the click answer the same cursor.
  const MouseState mouse = platform.pollMouse();

  CIRC(platform, pie.x, pie.y, pie.radius);
  if (left < mouse.x && mouse.x < right && top < mouse.y && mouse.y < bottom) {
    if (click == 1) result = 1;
    CIRCHI(platform, pie.x, pie.y, pie.radius);
  }
  for (std::int32_t slot = 1; slot <= 6; ++slot) {
    const std::int32_t code = pie.segments[slot];
    if (code >= 1) SHOWSEG(platform, pie.x, pie.y, slot, code);
  }
  return result;
}

void CLR(Platform& platform, std::int32_t width, std::int32_t height) {
  ProcedureScope scope("CLR");
  const std::int64_t w = width;
  const std::int64_t h = height;
  platform.setColour(0, kBackdropGrey, kBackgroundOnly);
  platform.clear();

  // The bands darken towards the page's edges. The bottom line of step 0 lies just below the
  // page, so the bottom band is one row shorter than the top one.
  for (int i = 0; i <= 24; ++i) {
    setForeground(platform, kBlack + Colour(10 * i));
    platform.line(0, toCoordinate(h - i), width, toCoordinate(h - i));
    platform.line(0, i, width, i);
  }

  const int c = toCoordinate(std::int64_t(std::nearbyint(w / 2.0)));
  platform.circle(c, 250, 120, 0, kFullTurn, true, kRingBlue);
  platform.circle(c, 250, 100, 0, kFullTurn, true, kBackdropGrey);

  // The bars lead from the three bonus pies to their buttons.
  setForeground(platform, kRingBlue);
  const std::int64_t c64 = c;
  platform.box(toCoordinate(c64 - 10), 60, toCoordinate(c64 + 10), 90, true);
  platform.box(toCoordinate(c64 - 130), 330, toCoordinate(c64 - 110), 380, true);
  platform.box(toCoordinate(c64 + 110), 330, toCoordinate(c64 + 130), 380, true);

  // 17 characters of 8 pixels end exactly at the right edge.
  setForeground(platform, kYellow);
  checkText(platform.text(toCoordinate(w - 136), toCoordinate(h - 16), kWebAddress));
}

float gaugeSpentAngle(std::int32_t countdown, std::int32_t turnFrames) {
  // Taken from the exact difference of the frame counts: a full turn then gives exactly 0, a
  // single black point, where the rounding of pi - pi * countdown / turnFrames could come out a
  // hair below zero and draw a black line from the centre. Above a full turn the angle is
  // negative, and that line is wanted.
  if (turnFrames <= 0) return 0.0f;
  const double spent = double(std::int64_t(turnFrames) - countdown) / turnFrames;
  return float(kPi * spent);
}

void GAUGE(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t countdown,
           std::int32_t turnFrames) {
  ProcedureScope scope("GAUGE");
  setForeground(platform, double(countdown) > double(turnFrames) / 2 ? kGreen : kYellow);
  platform.circle(x, y, kGaugeRadius, 0, double(3.14159265f), false);

  setForeground(platform, kBlack);
  // Without a turn length there is no spent part to show.
  if (turnFrames <= 0) return;
  const float e = gaugeSpentAngle(countdown, turnFrames);
  platform.circle(x, y, kGaugeRadius, 0, double(e), false);
}

void SCREENDIM(Platform& platform, std::int32_t width, std::int32_t height,
               std::int32_t bytesPerPixel) {
  ProcedureScope scope("SCREENDIM");
  std::uint8_t* bytes = platform.pageAddress();
  if (bytes == nullptr) runtimeError(kNullPointer);
  platform.lock();
  // Whatever the arguments say, only the work page's own bytes are touched.
  std::int64_t count = 0;
  if (width > 0 && height > 0 && bytesPerPixel > 0) {
    const Page& page = platform.page(platform.workPageIndex());
    const std::int64_t pageBytes = std::int64_t(page.pixels.size() * sizeof(Colour));
    // Step by step, so that no product can overflow: width * height fits in 64 bits, and once
    // it is within the page, so is the product with bytesPerPixel.
    const std::int64_t pixels = std::int64_t(width) * height;
    count = pixels >= pageBytes ? pageBytes : std::min(pixels * bytesPerPixel, pageBytes);
  }
  for (std::int64_t k = 0; k < count; ++k) bytes[k] = std::uint8_t(bytes[k] >> 1);
  platform.unlock();
}

}  // namespace wedgora
