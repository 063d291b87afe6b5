// The whole program as a library call: start-up, title, games, and the exit code.
#pragma once

#include <functional>

namespace wedgora {

class Platform;
struct GameState;

// Observes the game; the shipped game leaves both empty.
struct GameHooks {
  // Called at every page copy of the frame loop, right after the copy, with the game state.
  std::function<void(const GameState&)> onFrame;
  // A seam for tests: called right after each new-game reset, before the first frame, so that
  // a test can lay out a board or a power mid-game. The shipped game never sets it.
  std::function<void(GameState&)> onNewGame;
};

// Runs Wedgora on this platform until the player quits; returns the exit code (0).
// A run-time error ends the process with its report instead.
int runWedgora(Platform& platform, const GameHooks& hooks = {});

}  // namespace wedgora
