// The rules of play: layout, new game, deal, turn timer, click latch, placement, completion,
// levels, colours and the three powers.
#include "game/rules.h"

namespace wedgora {

namespace {

constexpr int kFirstPie = 1;
constexpr int kLastPie = 6;
constexpr int kFirstSlot = 1;
constexpr int kLastSlot = 6;
constexpr int kSlotCount = 6;

// A power's counter rests here while the power is idle, so that it never runs down for ever.
constexpr std::int32_t kIdleFrames = -1;

std::int32_t countCode(const Pie& pie, std::int32_t code) {
  std::int32_t count = 0;
  for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
    if (pie.segments[slot] == code) ++count;
  }
  return count;
}

void emptyPie(Pie& pie) {
  for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) pie.segments[slot] = 0;
}

// Counts a power's frames down, or ends the power once they are spent. An idle counter stops
// at -1: nothing reads it then, and counting on would overflow after about two years of play.
// Returns true when the power ended in this call.
bool runPowerTimer(std::int32_t& powerState, std::int32_t& frames) {
  if (powerState == kPowerRunning && frames <= 0) {
    powerState = kPowerNone;
    return true;
  }
  if (frames > kIdleFrames) --frames;
  return false;
}

}  // namespace

std::int32_t randomCode(const RandomDraw& random, std::int32_t count) {
  return static_cast<std::int32_t>(std::floor(random() * count)) + 1;
}

void layOutBoard(GameState& state) {
  // Columns follow the queried width; rows are fixed.
  struct Place {
    double offset;  // from the middle column
    std::int32_t y;
  };
  static constexpr Place kPlaces[kLastPie + 1] = {
      {0, 0},       // record 0 is never used
      {0, 130},     // top: Clear
      {-100, 190},  // upper left
      {100, 190},   // upper right
      {-100, 310},  // lower left: Freeze
      {100, 310},   // lower right: x2
      {0, 370},     // bottom
  };
  const double middle = state.screenWidth / 2.0;
  state.centreX = roundHalfEven(middle);
  for (int i = kFirstPie; i <= kLastPie; ++i) {
    Pie& pie = state.pies[i];
    pie.x = roundHalfEven(middle + kPlaces[i].offset);
    pie.y = kPlaces[i].y;
  }
}

void newGameReset(GameState& state, const RandomDraw& random) {
  for (int i = kFirstPie; i <= kLastPie; ++i) {
    Pie& pie = state.pies[i];
    pie.radius = kPieRadius;
    pie.radiusCopy = pie.radius;
    emptyPie(pie);
  }
  // The first segment is drawn before the colours are set back, so it may still be amber if
  // the last game reached it; it need not differ from anything.
  state.nextSlot = randomCode(random, kSlotCount);
  state.nextColour = randomCode(random, state.colourCount);
  state.score = 0;
  state.lives = kStartingLives;
  state.colourCount = 3;
  state.level = 1;
  state.pointMultiplier = 1;
  state.clearState = kPowerNone;
  state.doubleState = kPowerNone;
  state.freezeState = kPowerNone;
  state.turnFrames = kFirstTurnFrames;
  state.countdown = state.turnFrames;
  state.escHeld = false;
  // A button still held from the last game (or from the title box's click) is not a click of
  // this one: only a press and release seen during play counts.
  state.buttonHeld = 0;
}

void deal(GameState& state, const RandomDraw& random) {
  // Colour first, then slot; each loop ends because at least three colours are dealt.
  state.previousColour = state.nextColour;
  do {
    state.nextColour = randomCode(random, state.colourCount);
  } while (state.nextColour == state.previousColour);
  state.previousSlot = state.nextSlot;
  do {
    state.nextSlot = randomCode(random, kSlotCount);
  } while (state.nextSlot == state.previousSlot);
}

void runTurnTimer(GameState& state, const RandomDraw& random) {
  if (state.freezeState < kPowerRunning) --state.countdown;
  if (state.countdown <= 0) {
    deal(state, random);
    --state.lives;
    state.countdown = state.turnFrames;
  }
}

void latchMouseButtons(GameState& state, int buttons) {
  // A failed poll (window inactive, pointer outside) reports -1, which says nothing about the
  // button: the latch keeps its value, so leaving the window and coming back is no click.
  if (buttons < 0) return;
  if ((buttons & 1) != 0) state.buttonHeld = 1;
  if (state.buttonHeld == 1 && buttons == 0) {
    state.buttonHeld = 0;
    state.clickPending = 1;
  }
}

bool placeSegment(GameState& state, int pie, const RandomDraw& random) {
  Pie& target = state.pies[pie];
  if (target.segments[state.nextSlot] != 0) return false;
  target.segments[state.nextSlot] = state.nextColour;
  state.score += state.pointMultiplier * countCode(target, state.nextColour);
  deal(state, random);
  state.countdown = state.turnFrames;
  return true;
}

void completePies(GameState& state) {
  for (int i = kFirstPie; i <= kLastPie; ++i) {
    Pie& pie = state.pies[i];
    std::int32_t filled = 0;
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
      if (pie.segments[slot] > 0) ++filled;
    }
    if (filled != kSlotCount) continue;
    state.score += 6 * state.pointMultiplier;
    if (countCode(pie, pie.segments[kFirstSlot]) == kSlotCount) {
      state.score += 6 * state.pointMultiplier;
      ++state.lives;
      // A power already available or running is not granted again; Clear has no running state.
      if (i == kClearPie) state.clearState = kPowerAvailable;
      if (i == kFreezePie && state.freezeState == kPowerNone) state.freezeState = kPowerAvailable;
      if (i == kDoublePie && state.doubleState == kPowerNone) state.doubleState = kPowerAvailable;
    }
    emptyPie(pie);
  }
}

void raiseLevel(GameState& state) {
  if (state.score > state.level * 100) {
    if (state.turnFrames > kShortestTurnFrames) state.turnFrames -= 10;
    ++state.level;
  }
}

void widenColours(GameState& state) {
  // Amber (4) joins red, green and cyan once, for the rest of the game. Code 5 looks like an
  // empty slot and codes from 6 up all look alike, so none of them is ever dealt.
  if (state.score > kWideColourScore) state.colourCount = 4;
}

void activateBonus(GameState& state) {
  if (state.lastKey == "c" && state.clearState == kPowerAvailable) {
    state.clearState = kPowerNone;
    for (int i = kFirstPie; i <= kLastPie; ++i) {
      Pie& pie = state.pies[i];
      for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
        if (pie.segments[slot] > 0) state.score += state.pointMultiplier;
        pie.segments[slot] = 0;
      }
    }
  }
  if (state.lastKey == "x" && state.doubleState == kPowerAvailable) {
    state.pointMultiplier = 2;
    state.doubleFrames = kPowerFrames;
    state.doubleState = kPowerRunning;
  }
  if (state.lastKey == "z" && state.freezeState == kPowerAvailable) {
    state.freezeState = kPowerRunning;
    state.freezeFrames = kPowerFrames;
    // The current turn starts over at full length and holds there.
    state.countdown = state.turnFrames;
  }
}

void runBonusTimers(GameState& state) {
  runPowerTimer(state.freezeState, state.freezeFrames);
  if (runPowerTimer(state.doubleState, state.doubleFrames)) state.pointMultiplier = 1;
}

}  // namespace wedgora
