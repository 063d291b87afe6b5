// The main program's parts: one game's frame loop and the title, pause and game-over screens.
#pragma once

#include <cstdint>

#include "draw/palette.h"
#include "game/rules.h"
#include "game/state.h"
#include "game/wedgora.h"
#include "platform/page.h"

namespace wedgora {

class Platform;

using palette::kBackdropGrey;
using palette::kRed;
using palette::kYellow;

// Plays one game, frame after frame, until "q" is read or the lives are gone.
void playGame(Platform& platform, GameState& state, const GameHooks& hooks,
              const RandomDraw& random);

// One frame of play. Returns true while the game goes on.
bool runFrame(Platform& platform, GameState& state, const GameHooks& hooks,
              const RandomDraw& random);

// The score line along the top edge: labels in red, values in yellow under them, the best score
// ending at the right edge and, during play, the lives centred under the middle column.
enum class ShowLives { kNo, kYes };
void drawScoreLine(Platform& platform, const GameState& state, ShowLives showLives);

// Shows the backdrop, the scores and the title box with the rules; returns the box's answer,
// 1 to start a game or 2 to quit.
std::int32_t titleScreen(Platform& platform, GameState& state);

// Covers the board with the pause message and waits for any key, which it drops.
void pauseScreen(Platform& platform, GameState& state);

// Dims the last frame, keeps the best score, and waits for Space or an Esc release.
void gameOverScreen(Platform& platform, GameState& state);

// Reads and throws away every key waiting in the queue.
void drainKeys(Platform& platform);

}  // namespace wedgora
