// The rules of play on a bare game state: layout, new game, deal, turn timer, click latch,
// placement, completion, levels, colours and the three powers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <vector>

#include "game/rules.h"
#include "game/state.h"

namespace wedgora {
namespace {

// Hands out the given random numbers in turn and counts them.
class Draws {
 public:
  Draws(std::initializer_list<double> values) : values_(values) {}
  RandomDraw source() {
    return [this] {
      EXPECT_LT(next_, values_.size()) << "more random draws than expected";
      return next_ < values_.size() ? values_[next_++] : 0.0;
    };
  }
  std::size_t used() const { return next_; }

 private:
  std::vector<double> values_;
  std::size_t next_ = 0;
};

// The random number that draws `code` out of 1..count.
double drawFor(int code, int count) {
  return (code - 0.5) / count;
}

// A game as the reset leaves it, with the given next segment.
GameState freshGame(int nextColour = 1, int nextSlot = 1) {
  GameState state;
  layOutBoard(state);
  Draws draws{drawFor(nextSlot, 6), drawFor(nextColour, 3)};
  newGameReset(state, draws.source());
  return state;
}

void fillPie(GameState& state, int pie, std::array<int, 6> codes) {
  for (int slot = 1; slot <= 6; ++slot) state.pies[pie].segments[slot] = codes[slot - 1];
}

bool pieEmpty(const GameState& state, int pie) {
  for (int slot = 1; slot <= 6; ++slot) {
    if (state.pies[pie].segments[slot] != 0) return false;
  }
  return true;
}

TEST(Layout, PiesStandAroundTheCentrePieOnA640PixelScreen) {
  GameState state;
  layOutBoard(state);
  EXPECT_EQ(state.centreX, 320);
  const int expected[7][2] = {{0, 0},     {320, 130}, {220, 190}, {420, 190},
                              {220, 310}, {420, 310}, {320, 370}};
  for (int i = 0; i <= 6; ++i) {
    EXPECT_EQ(state.pies[i].x, expected[i][0]) << "pie " << i;
    EXPECT_EQ(state.pies[i].y, expected[i][1]) << "pie " << i;
  }
  // No cursor position lies in two pies' open squares (half-width 45) at once.
  for (int i = 1; i <= 6; ++i) {
    for (int j = i + 1; j <= 6; ++j) {
      const int dx = std::abs(state.pies[i].x - state.pies[j].x);
      const int dy = std::abs(state.pies[i].y - state.pies[j].y);
      EXPECT_TRUE(dx >= 89 || dy >= 89) << "pies " << i << " and " << j;
    }
  }
}

TEST(Layout, HalfPixelColumnsGoToTheEvenNeighbour) {
  struct Case {
    int width;
    int centre, left, right;
  };
  for (const Case& c : {Case{641, 320, 220, 420}, Case{643, 322, 222, 422}}) {
    GameState state;
    state.screenWidth = c.width;
    layOutBoard(state);
    EXPECT_EQ(state.centreX, c.centre) << c.width;
    EXPECT_EQ(state.pies[1].x, c.centre) << c.width;
    EXPECT_EQ(state.pies[2].x, c.left) << c.width;
    EXPECT_EQ(state.pies[3].x, c.right) << c.width;
  }
}

TEST(NewGame, SetsTheStartingValuesAndEmptiesThePies) {
  GameState state;
  layOutBoard(state);
  state.score = 512;
  state.lives = 0;
  state.level = 6;
  state.turnFrames = 40;
  state.pointMultiplier = 2;
  state.clearState = state.freezeState = state.doubleState = 1;
  state.escHeld = true;
  for (int i = 1; i <= 6; ++i) {
    state.pies[i].radius = 7;
    fillPie(state, i, {1, 2, 3, 1, 2, 3});
  }
  Draws draws{drawFor(4, 6), drawFor(2, 3)};
  newGameReset(state, draws.source());

  EXPECT_EQ(draws.used(), 2u);
  EXPECT_EQ(state.nextSlot, 4);
  EXPECT_EQ(state.nextColour, 2);
  EXPECT_EQ(state.score, 0);
  EXPECT_EQ(state.lives, 10);
  EXPECT_EQ(state.level, 1);
  EXPECT_EQ(state.colourCount, 3);
  EXPECT_EQ(state.turnFrames, 90);
  EXPECT_EQ(state.countdown, 90);
  EXPECT_EQ(state.pointMultiplier, 1);
  EXPECT_EQ(state.clearState, 0);
  EXPECT_EQ(state.freezeState, 0);
  EXPECT_EQ(state.doubleState, 0);
  EXPECT_FALSE(state.escHeld);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(state.pies[i].radius, 45);
    EXPECT_EQ(state.pies[i].radiusCopy, 45);
    EXPECT_TRUE(pieEmpty(state, i)) << "pie " << i;
  }
}

TEST(NewGame, KeepsWhatLastsFromGameToGame) {
  GameState state;
  layOutBoard(state);
  state.hiScore = 77;
  state.freezeFrames = 12;
  state.doubleFrames = -1;
  state.previousColour = 2;
  state.previousSlot = 5;
  state.lastKey = "q";
  state.pies[0].segments[0] = 9;
  state.pies[3].segments[0] = 8;
  Draws draws{0.0, 0.0};
  newGameReset(state, draws.source());
  EXPECT_EQ(state.hiScore, 77);
  EXPECT_EQ(state.freezeFrames, 12);
  EXPECT_EQ(state.doubleFrames, -1);
  EXPECT_EQ(state.previousColour, 2);
  EXPECT_EQ(state.previousSlot, 5);
  EXPECT_EQ(state.lastKey, "q");
  EXPECT_EQ(state.pies[0].segments[0], 9);  // record 0 and entry 0 are never touched
  EXPECT_EQ(state.pies[3].segments[0], 8);
  EXPECT_EQ(state.pies[3].x, 420);
}

TEST(NewGame, FirstSegmentUsesTheColoursOfTheGameBefore) {
  GameState state;
  state.colourCount = 4;  // the last game passed 600 points
  Draws draws{drawFor(6, 6), drawFor(4, 4)};
  newGameReset(state, draws.source());
  EXPECT_EQ(state.nextColour, 4);
  EXPECT_EQ(state.colourCount, 3);
}

TEST(NewGame, ForgetsAButtonHeldFromTheGameBefore) {
  // Mended: a press that ended the last game (or started this one) is no click in frame 1.
  GameState state;
  state.buttonHeld = 1;
  Draws draws{0.0, 0.0};
  newGameReset(state, draws.source());
  EXPECT_EQ(state.buttonHeld, 0);
  latchMouseButtons(state, 0);
  EXPECT_EQ(state.clickPending, 0);
}

TEST(Deal, DrawsColourThenSlotUntilBothDiffer) {
  GameState state = freshGame(2, 3);
  // Colour: 2 (same), 2 (same), 3; slot: 3 (same), 1.
  Draws draws{drawFor(2, 3), drawFor(2, 3), drawFor(3, 3), drawFor(3, 6), drawFor(1, 6)};
  deal(state, draws.source());
  EXPECT_EQ(draws.used(), 5u);
  EXPECT_EQ(state.previousColour, 2);
  EXPECT_EQ(state.nextColour, 3);
  EXPECT_EQ(state.previousSlot, 3);
  EXPECT_EQ(state.nextSlot, 1);
}

TEST(Deal, NewSegmentAlwaysDiffersAndStaysInRange) {
  std::mt19937_64 engine(42);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const RandomDraw random = [&] { return uniform(engine); };
  for (int colours : {3, 4}) {
    GameState state = freshGame();
    state.colourCount = colours;
    std::array<int, 8> seen{};
    for (int i = 0; i < 2000; ++i) {
      const int colour = state.nextColour;
      const int slot = state.nextSlot;
      deal(state, random);
      ASSERT_NE(state.nextColour, colour);
      ASSERT_NE(state.nextSlot, slot);
      ASSERT_GE(state.nextColour, 1);
      ASSERT_LE(state.nextColour, colours);
      ASSERT_GE(state.nextSlot, 1);
      ASSERT_LE(state.nextSlot, 6);
      ++seen[std::size_t(state.nextColour)];
    }
    for (int c = 1; c <= colours; ++c) EXPECT_GT(seen[std::size_t(c)], 0) << c;
  }
}

TEST(TurnTimer, CountsDownAndOnExpiryDealsAtTheCostOfALife) {
  GameState state = freshGame(1, 1);
  Draws none{};
  for (int f = 1; f <= 89; ++f) {
    runTurnTimer(state, none.source());
    ASSERT_EQ(state.countdown, 90 - f);
  }
  Draws deal{drawFor(3, 3), drawFor(5, 6)};
  runTurnTimer(state, deal.source());
  EXPECT_EQ(state.countdown, 90);
  EXPECT_EQ(state.lives, 9);
  EXPECT_EQ(state.nextColour, 3);
  EXPECT_EQ(state.nextSlot, 5);
}

TEST(TurnTimer, HoldsWhileFreezeRuns) {
  GameState state = freshGame();
  state.countdown = 1;
  state.freezeState = kPowerRunning;
  Draws none{};
  for (int f = 0; f < 100; ++f) runTurnTimer(state, none.source());
  EXPECT_EQ(state.countdown, 1);
  EXPECT_EQ(state.lives, 10);
  state.freezeState = kPowerAvailable;  // available is not running: the turn runs
  Draws deal{drawFor(2, 3), drawFor(2, 6)};
  runTurnTimer(state, deal.source());
  EXPECT_EQ(state.lives, 9);
}

TEST(ClickLatch, AClickIsTheLeftButtonLetGoWithNoButtonDown) {
  struct Case {
    const char* name;
    std::vector<int> polls;   // button masks, -1 for a failed poll
    std::vector<int> clicks;  // clickPending after each poll
  };
  const Case cases[] = {
      {"press then release", {0, 1, 1, 0, 0}, {0, 0, 0, 1, 0}},
      {"right button keeps the click until both are up", {1, 3, 2, 0}, {0, 0, 0, 1}},
      {"right button alone is no click", {2, 0}, {0, 0}},
      {"press, failed poll, release", {1, -1, 0}, {0, 0, 1}},
      {"press, failed polls, held again, release", {1, -1, -1, 1, 0}, {0, 0, 0, 0, 1}},
      // Mended: a failed poll says nothing about the button.
      {"leaving the window and coming back", {0, -1, -1, 0, 0}, {0, 0, 0, 0, 0}},
      {"failed polls from the start", {-1, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    GameState state;
    for (std::size_t i = 0; i < c.polls.size(); ++i) {
      state.clickPending = 0;  // it lives for one frame
      latchMouseButtons(state, c.polls[i]);
      EXPECT_EQ(state.clickPending, c.clicks[i]) << c.name << ", poll " << i;
    }
  }
}

TEST(Placement, ScoresTheMatchingSegmentsTimesTheMultiplier) {
  struct Case {
    const char* name;
    std::array<int, 6> pie;  // slots 1..6; the segment goes to slot 1
    int multiplier;
    int gain;
  };
  const Case cases[] = {
      {"empty pie", {0, 0, 0, 0, 0, 0}, 1, 1},
      {"other colours only", {0, 1, 3, 1, 0, 3}, 1, 1},
      {"two of the colour", {0, 2, 0, 2, 0, 0}, 1, 3},
      {"two of the colour at x2", {0, 2, 0, 2, 0, 0}, 2, 6},
      {"codes 6 and up match only themselves", {0, 6, 7, 2, 0, 0}, 1, 2},
  };
  for (const Case& c : cases) {
    GameState state = freshGame(2, 1);
    fillPie(state, 3, c.pie);
    state.pointMultiplier = c.multiplier;
    state.score = 10;
    state.countdown = 17;
    Draws deal{drawFor(1, 3), drawFor(4, 6)};
    EXPECT_TRUE(placeSegment(state, 3, deal.source())) << c.name;
    EXPECT_EQ(state.pies[3].segments[1], 2) << c.name;
    EXPECT_EQ(state.score, 10 + c.gain) << c.name;
    EXPECT_EQ(state.countdown, 90) << c.name;
    EXPECT_EQ(state.lives, 10) << c.name;
    EXPECT_EQ(state.nextColour, 1) << c.name;
    EXPECT_EQ(state.nextSlot, 4) << c.name;
  }
}

TEST(Placement, AFilledSlotChangesNothing) {
  GameState state = freshGame(2, 5);
  fillPie(state, 6, {0, 0, 0, 0, 3, 0});
  state.countdown = 40;
  const GameState before = state;
  Draws none{};
  EXPECT_FALSE(placeSegment(state, 6, none.source()));
  EXPECT_EQ(state.pies[6].segments[5], 3);
  EXPECT_EQ(state.score, before.score);
  EXPECT_EQ(state.countdown, 40);
  EXPECT_EQ(state.nextColour, 2);
  EXPECT_EQ(state.nextSlot, 5);
}

TEST(Placement, SixthSegmentOfAOneColourPieAddsEighteenAndALife) {
  GameState state = freshGame(3, 6);
  fillPie(state, 2, {3, 3, 3, 3, 3, 0});
  Draws deal{drawFor(1, 3), drawFor(1, 6)};
  ASSERT_TRUE(placeSegment(state, 2, deal.source()));
  completePies(state);
  EXPECT_EQ(state.score, 6 + 6 + 6);
  EXPECT_EQ(state.lives, 11);
  EXPECT_TRUE(pieEmpty(state, 2));
}

TEST(Completion, ScoresAndEmptiesFullPies) {
  struct Case {
    const char* name;
    int pie;
    std::array<int, 6> codes;
    int multiplier;
    int gain;
    int lives;
    bool emptied;
  };
  const Case cases[] = {
      {"mixed", 2, {1, 2, 1, 1, 1, 1}, 1, 6, 0, true},
      {"mixed at x2", 3, {1, 2, 1, 1, 1, 1}, 2, 12, 0, true},
      {"one colour", 6, {3, 3, 3, 3, 3, 3}, 1, 12, 1, true},
      {"one colour at x2", 6, {2, 2, 2, 2, 2, 2}, 2, 24, 1, true},
      {"one slot empty", 2, {1, 1, 1, 0, 1, 1}, 1, 0, 0, false},
      {"a negative code is no segment", 2, {1, 1, 1, -1, 1, 1}, 1, 0, 0, false},
      {"code 5 counts as filled", 2, {5, 1, 1, 1, 1, 1}, 1, 6, 0, true},
      {"six code-5 segments are one colour", 2, {5, 5, 5, 5, 5, 5}, 1, 12, 1, true},
      {"codes 6 and up match only themselves", 2, {6, 7, 6, 6, 6, 6}, 1, 6, 0, true},
  };
  for (const Case& c : cases) {
    GameState state = freshGame();
    state.pointMultiplier = c.multiplier;
    fillPie(state, c.pie, c.codes);
    completePies(state);
    EXPECT_EQ(state.score, c.gain) << c.name;
    EXPECT_EQ(state.lives, 10 + c.lives) << c.name;
    EXPECT_EQ(pieEmpty(state, c.pie), c.emptied) << c.name;
  }
}

TEST(Completion, EveryFullPieOfTheFrameIsScored) {
  GameState state = freshGame();
  fillPie(state, 1, {1, 2, 3, 1, 2, 3});
  fillPie(state, 6, {2, 2, 2, 2, 2, 2});
  fillPie(state, 4, {2, 2, 2, 2, 2, 0});
  completePies(state);
  EXPECT_EQ(state.score, 6 + 12);
  EXPECT_TRUE(pieEmpty(state, 1));
  EXPECT_TRUE(pieEmpty(state, 6));
  EXPECT_FALSE(pieEmpty(state, 4));
}

TEST(Completion, PowersComeOnlyFromTheirPiesAndOnlyWhenIdle) {
  struct Case {
    const char* name;
    int pie;
    int before;  // the state of that pie's power (Clear, Freeze, x2; pies 2, 3, 6 none)
    int after;
  };
  const Case cases[] = {
      {"Clear from none", 1, 0, 1},      {"Clear again", 1, 1, 1},
      {"Freeze from none", 4, 0, 1},     {"Freeze while available", 4, 1, 1},
      {"Freeze while running", 4, 2, 2}, {"x2 from none", 5, 0, 1},
      {"x2 while available", 5, 1, 1},   {"x2 while running", 5, 2, 2},
  };
  for (const Case& c : cases) {
    GameState state = freshGame();
    std::int32_t& power = c.pie == 1   ? state.clearState
                          : c.pie == 4 ? state.freezeState
                                       : state.doubleState;
    power = c.before;
    state.freezeFrames = 321;
    state.doubleFrames = 123;
    fillPie(state, c.pie, {3, 3, 3, 3, 3, 3});
    completePies(state);
    EXPECT_EQ(power, c.after) << c.name;
    EXPECT_EQ(state.lives, 11) << c.name;
    EXPECT_EQ(state.score, 12) << c.name;
    EXPECT_EQ(state.freezeFrames, 321) << c.name;
    EXPECT_EQ(state.doubleFrames, 123) << c.name;
  }
  for (int pie : {2, 3, 6}) {
    GameState state = freshGame();
    fillPie(state, pie, {1, 1, 1, 1, 1, 1});
    completePies(state);
    EXPECT_EQ(state.clearState + state.freezeState + state.doubleState, 0) << "pie " << pie;
  }
  // A mixed pie 1 grants nothing.
  GameState state = freshGame();
  fillPie(state, 1, {1, 1, 1, 1, 1, 2});
  completePies(state);
  EXPECT_EQ(state.clearState, 0);
}

TEST(Level, RisesOncePastEachHundredAndShortensTheTurnDownToThirty) {
  GameState state = freshGame();
  state.score = 100;
  raiseLevel(state);
  EXPECT_EQ(state.level, 1);  // exactly level x 100 is not past it
  state.score = 101;
  state.countdown = 55;
  raiseLevel(state);
  EXPECT_EQ(state.level, 2);
  EXPECT_EQ(state.turnFrames, 80);
  EXPECT_EQ(state.countdown, 55);  // the shorter turn starts with the next one

  // A big jump raises one level per frame.
  state.score = 450;
  std::vector<int> levels;
  for (int f = 0; f < 5; ++f) {
    raiseLevel(state);
    levels.push_back(state.level);
  }
  EXPECT_EQ(levels, (std::vector<int>{3, 4, 5, 5, 5}));

  state.score = 1'000'000;
  for (int f = 0; f < 20; ++f) {
    raiseLevel(state);
    ASSERT_EQ(state.turnFrames, std::max(30, 100 - 10 * state.level)) << "level " << state.level;
  }
  EXPECT_EQ(state.level, 25);
  EXPECT_EQ(state.turnFrames, 30);
}

TEST(Colours, AmberJoinsOncePastSixHundred) {
  GameState state = freshGame();
  state.score = 600;
  widenColours(state);
  EXPECT_EQ(state.colourCount, 3);
  state.score = 601;
  widenColours(state);
  EXPECT_EQ(state.colourCount, 4);
  state.score = 5000;
  widenColours(state);
  EXPECT_EQ(state.colourCount, 4);  // once: codes 5 and up are never dealt
}

TEST(Powers, ClearEmptiesEveryPieForAPointPerSegment) {
  for (int multiplier : {1, 2}) {
    GameState state = freshGame(2, 4);
    state.clearState = kPowerAvailable;
    state.pointMultiplier = multiplier;
    state.countdown = 33;
    state.pies[1].segments[2] = 1;
    state.pies[3].segments[6] = 3;
    state.pies[6].segments[1] = 5;
    state.pies[6].segments[4] = 2;
    state.pies[5].segments[3] = -2;  // not a segment: no point, but emptied too
    state.lastKey = "c";
    activateBonus(state);
    EXPECT_EQ(state.score, 4 * multiplier);
    EXPECT_EQ(state.clearState, 0);
    for (int i = 1; i <= 6; ++i) EXPECT_TRUE(pieEmpty(state, i)) << "pie " << i;
    EXPECT_EQ(state.countdown, 33);
    EXPECT_EQ(state.lives, 10);
    EXPECT_EQ(state.nextColour, 2);
    EXPECT_EQ(state.nextSlot, 4);
  }
}

TEST(Powers, KeysStartOnlyAvailablePowers) {
  struct Case {
    const char* key;
    int clear, freeze, doubled;  // states before
    int clearAfter, freezeAfter, doubleAfter;
    int multiplier;
    int countdown;
  };
  const Case cases[] = {
      {"x", 0, 0, 1, 0, 0, 2, 2, 41}, {"z", 0, 1, 0, 0, 2, 0, 1, 80},
      {"z", 0, 0, 0, 0, 0, 0, 1, 41}, {"x", 0, 0, 0, 0, 0, 0, 1, 41},
      {"c", 0, 1, 1, 0, 1, 1, 1, 41}, {"p", 1, 1, 1, 1, 1, 1, 1, 41},
      {"", 1, 1, 1, 1, 1, 1, 1, 41},  {"Z", 0, 1, 0, 0, 1, 0, 1, 41},
  };
  for (const Case& c : cases) {
    GameState state = freshGame();
    state.turnFrames = 80;
    state.countdown = 41;
    state.clearState = c.clear;
    state.freezeState = c.freeze;
    state.doubleState = c.doubled;
    state.lastKey = c.key;
    activateBonus(state);
    const std::string name = std::string("key \"") + c.key + "\"";
    EXPECT_EQ(state.clearState, c.clearAfter) << name;
    EXPECT_EQ(state.freezeState, c.freezeAfter) << name;
    EXPECT_EQ(state.doubleState, c.doubleAfter) << name;
    EXPECT_EQ(state.pointMultiplier, c.multiplier) << name;
    EXPECT_EQ(state.countdown, c.countdown) << name;
    if (c.freezeAfter == 2 && c.freeze == 1) {
      EXPECT_EQ(state.freezeFrames, 750);
    }
    if (c.doubleAfter == 2 && c.doubled == 1) {
      EXPECT_EQ(state.doubleFrames, 750);
    }
  }
}

TEST(Powers, StartedInFrameFTheyEndAtFrameFPlus750) {
  // Within a frame activation (step 14) runs before the timers (step 15).
  GameState state = freshGame();
  state.freezeState = kPowerAvailable;
  state.doubleState = kPowerAvailable;
  state.lastKey = "x";
  activateBonus(state);
  state.lastKey = "z";
  activateBonus(state);
  runBonusTimers(state);  // frame F
  EXPECT_EQ(state.freezeFrames, 749);
  EXPECT_EQ(state.doubleFrames, 749);
  for (int f = 1; f <= 749; ++f) {
    runBonusTimers(state);
    ASSERT_EQ(state.freezeState, kPowerRunning) << "frame F + " << f;
    ASSERT_EQ(state.doubleState, kPowerRunning) << "frame F + " << f;
    ASSERT_EQ(state.pointMultiplier, 2) << "frame F + " << f;
    ASSERT_EQ(state.freezeFrames, 749 - f);
  }
  runBonusTimers(state);  // frame F + 750
  EXPECT_EQ(state.freezeState, kPowerNone);
  EXPECT_EQ(state.doubleState, kPowerNone);
  EXPECT_EQ(state.pointMultiplier, 1);
}

TEST(Powers, IdleCountersRestAtMinusOne) {
  // Mended: an idle counter no longer runs down for ever (it would overflow after two years).
  GameState state = freshGame();
  for (int f = 0; f < 10'000; ++f) runBonusTimers(state);
  EXPECT_EQ(state.freezeFrames, -1);
  EXPECT_EQ(state.doubleFrames, -1);
  state.freezeFrames = INT_MIN;  // no value makes it count past the bottom
  runBonusTimers(state);
  EXPECT_EQ(state.freezeFrames, INT_MIN);
  // A power that ends goes on to rest at -1 too, and a new one starts from 750.
  state.doubleState = kPowerRunning;
  state.doubleFrames = 0;
  runBonusTimers(state);
  EXPECT_EQ(state.doubleState, kPowerNone);
  for (int f = 0; f < 5; ++f) runBonusTimers(state);
  EXPECT_EQ(state.doubleFrames, -1);
}

}  // namespace
}  // namespace wedgora
