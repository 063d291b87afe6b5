// The rules of play as small functions of the game state: the board layout, the new game, the
// deal, the turn timer, the click latch, placement, completion, levels, colours and the powers.
//
// None of them draws or reads input: the frame loop feeds them what it polled, so each rule can
// be run and checked on a plain GameState.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>

#include "game/state.h"
#include "platform/coordinates.h"

namespace wedgora {

// A uniform random number r with 0 <= r < 1; the game passes the platform's generator.
using RandomDraw = std::function<double()>;

inline constexpr std::int32_t kCentreY = 250;  // row of the centre pie and of the gauge
inline constexpr std::int32_t kPieRadius = 45;
inline constexpr std::int32_t kFirstTurnFrames = 90;  // 3 seconds at 30 frames per second
inline constexpr std::int32_t kShortestTurnFrames = 30;
inline constexpr std::int32_t kPowerFrames = 750;  // a running power lasts 25 seconds
inline constexpr std::int32_t kStartingLives = 10;
inline constexpr std::int32_t kWideColourScore = 600;  // past this score amber is dealt too

// Bonus states.
inline constexpr std::int32_t kPowerNone = 0;
inline constexpr std::int32_t kPowerAvailable = 1;
inline constexpr std::int32_t kPowerRunning = 2;

// Pies whose one-colour completion grants a power.
inline constexpr int kClearPie = 1;
inline constexpr int kFreezePie = 4;
inline constexpr int kDoublePie = 5;

// floor(r * count) + 1: a code from 1 to count.
std::int32_t randomCode(const RandomDraw& random, std::int32_t count);

// Places the six board pies around the centre pie, from the queried screen width.
void layOutBoard(GameState& state);

// Everything a new game starts from: empty pies, the first segment, ten lives, level 1.
void newGameReset(GameState& state, const RandomDraw& random);

// Replaces the next segment with one that differs from it in colour and in slot.
void deal(GameState& state, const RandomDraw& random);

// Counts the turn down, unless Freeze runs, and on expiry deals a new segment at a life's cost.
void runTurnTimer(GameState& state, const RandomDraw& random);

// Turns one mouse poll's button mask into the click latch: a click is the release of the left
// button, taken when no button at all is down any more.
void latchMouseButtons(GameState& state, int buttons);

// Drops the next segment into its slot of pie 1..6 if that slot is empty, scores it and deals
// the next one. Returns whether the segment was placed.
bool placeSegment(GameState& state, int pie, const RandomDraw& random);

// Scores and empties every full pie; a one-colour pie also gives a life and maybe a power.
void completePies(GameState& state);

// Raises the level by one when the score has passed level x 100, shortening the turn.
void raiseLevel(GameState& state);

// Brings amber into the deal once the score has passed 600.
void widenColours(GameState& state);

// Starts the power that `lastKey` asks for, if it is available.
void activateBonus(GameState& state);

// Counts the running powers down and ends them.
void runBonusTimers(GameState& state);

}  // namespace wedgora
