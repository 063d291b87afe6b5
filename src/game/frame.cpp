// The frame loop: one pass per frame redraws the board, runs the turn and the rules, reads the
// mouse and one key, shows the page and waits out the rest of the frame.
#include <string>

#include "draw/board.h"
#include "game/screens.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"
#include "ui/box.h"

namespace wedgora {

namespace {

// Step 13: the three bonus buttons. A click on an available one stands for its key and
// replaces whatever key this frame read.
void pressBonusButtons(Platform& platform, GameState& state) {
  const double middle = state.screenWidth / 2.0;
  if (BOX(platform, state.centreX, 50, 100, 20, "Clear [C]", state.clearState, 0) == 1) {
    state.lastKey = "c";
  }
  if (BOX(platform, roundHalfEven(middle - 120), 370, 100, 30, "Freeze [Z]", state.freezeState,
          state.freezeFrames) == 1) {
    state.lastKey = "z";
  }
  if (BOX(platform, roundHalfEven(middle + 120), 370, 100, 30, "x2 [X]", state.doubleState,
          state.doubleFrames) == 1) {
    state.lastKey = "x";
  }
}

// Step 19: Esc ends the game when it is let go, not when it goes down.
void watchEsc(Platform& platform, GameState& state) {
  if (platform.keyHeld(scan::kEsc)) state.escHeld = true;
  if (state.escHeld && !platform.keyHeld(scan::kEsc)) {
    state.lives = 0;
    state.escHeld = false;
  }
}

// Step 21: at most 30 frames a second, measured from the top of the frame. A late frame does
// not sleep, and later frames do not make up for it.
void waitForNextFrame(Platform& platform, const GameState& state) {
  const double due = state.frameStart + state.framePeriod;
  if (platform.timer() < due) {
    const double now = platform.timer();
    platform.sleepMs(roundHalfEven((due - now) * 1000));
  }
}

}  // namespace

bool runFrame(Platform& platform, GameState& state, const GameHooks& hooks,
              const RandomDraw& random) {
  state.frameStart = platform.timer();
  CLR(platform, state.screenWidth, state.screenHeight);
  runTurnTimer(state, random);

  CIRC(platform, state.centreX, kCentreY, kPieRadius);
  SHOWSEG(platform, state.centreX, kCentreY, state.nextSlot, state.nextColour);

  latchMouseButtons(state, platform.pollMouse().buttons);
  // Each pie is drawn before any placement is applied, so a placed segment shows from the next
  // frame on. The click stays pending through all six pies, with the new segment in force.
  for (int i = 1; i <= 6; ++i) {
    if (CHKZONE(platform, state.pies[i], state.clickPending) == 1) placeSegment(state, i, random);
  }
  state.clickPending = 0;

  completePies(state);
  raiseLevel(state);
  widenColours(state);

  // One key per frame, so keys typed quickly are taken in order, one frame each.
  state.lastKey = lowerCase(platform.readKey());
  pressBonusButtons(platform, state);
  activateBonus(state);
  runBonusTimers(state);

  GAUGE(platform, state.centreX, kCentreY, state.countdown, state.turnFrames);
  drawScoreLine(platform, state, ShowLives::kYes);

  if (state.lastKey == "p" || state.lastKey == " ") pauseScreen(platform, state);
  watchEsc(platform, state);

  platform.copyPage();
  if (hooks.onFrame) hooks.onFrame(state);
  waitForNextFrame(platform, state);

  return state.lastKey != "q" && state.lives > 0;
}

void playGame(Platform& platform, GameState& state, const GameHooks& hooks,
              const RandomDraw& random) {
  while (runFrame(platform, state, hooks, random)) {
  }
}

}  // namespace wedgora
