// The main program: start-up, then title, game and game over, over and over until quit.
#include "game/wedgora.h"

#include <string>

#include "draw/board.h"
#include "game/rules.h"
#include "game/screens.h"
#include "game/state.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace wedgora {

namespace {

// The title box answers 2 for quit.
constexpr std::int32_t kQuit = 2;

// Seeds the random numbers, names and opens the window with its two pages, and lays the board
// out from the size the screen reports.
void startUp(Platform& platform, GameState& state) {
  platform.seedRandom(platform.timer());
  platform.setWindowTitle(std::string("Wedgora v1.01 (26/10/2022) - ") + kWebAddress);
  if (platform.openScreen(18, 24, 2, 0, 0) != 0) runtimeError(kIllegalFunctionCall);
  // Every frame is drawn on page 1 and copied to page 0, so no half-drawn frame is ever seen.
  platform.setWorkPage(1);
  platform.setVisiblePage(0);
  const ScreenInfo screen = platform.queryScreen();
  state.screenWidth = screen.width;
  state.screenHeight = screen.height;
  layOutBoard(state);
}

}  // namespace

int runWedgora(Platform& platform, const GameHooks& hooks) {
  GameState state;
  startUp(platform, state);
  const RandomDraw random = [&platform] { return platform.random(); };
  for (;;) {
    if (titleScreen(platform, state) == kQuit) break;
    newGameReset(state, random);
    if (hooks.onNewGame) hooks.onNewGame(state);
    playGame(platform, state, hooks, random);
    gameOverScreen(platform, state);
  }
  platform.closeScreen();
  return 0;
}

}  // namespace wedgora
