// The title, pause and game-over screens: each draws once, shows the page and waits.
#include "game/screens.h"

#include <array>
#include <string>

#include "draw/board.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"
#include "ui/messbox.h"

namespace wedgora {

namespace {

// How long the pause and game-over screens sleep between empty reads of the keyboard.
constexpr int kWaitSleepMs = 10;

// Three yellow lines centred on the page, from its middle row down, 12 pixels apart.
void drawCentredLines(Platform& platform, const GameState& state,
                      const std::array<std::string, 3>& lines) {
  platform.setColour(kYellow, 0, kForegroundOnly);
  const double middle = state.screenWidth / 2.0;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const std::string& line = lines[k];
    checkText(platform.text(roundHalfEven(middle - 4.0 * double(line.size())),
                            roundHalfEven(state.screenHeight / 2.0 + 12.0 * double(k)), line));
  }
}

// The title box is filled anew on every visit, centred on the screen.
void fillTitleBox(GameState& state) {
  MessageBoxSpec& box = state.titleBox;
  box.width = 400;
  box.height = 300;
  box.x = roundHalfEven((state.screenWidth - box.width) / 2.0);
  box.y = roundHalfEven((state.screenHeight - box.height) / 2.0);
  auto& lines = box.lines;
  lines[0] = "Wedgora";
  lines[1] = "v1.01 (26/10/2022)";
  lines[2] = "The aim of this game is to fill the pies with ";
  lines[3] = "the coloured segment shown in the center. Once";
  lines[4] = "a pie is completed it is then cleared.";
  lines[5] = "";
  lines[6] = "The more of the same colour segments in a pie,";
  lines[7] = "the more points you get!";
  lines[8] = "";
  lines[9] = "Filling a pie in one colour gets you";
  lines[10] = "bonus points and an extra life. Complete";
  lines[11] = "a bonus pie in one colour and you can gain:";
  lines[12] = "";
  lines[13] = "* x2 - Double points for 25 second [X]";
  lines[14] = "* Clear - Clears the pies [C].";
  lines[15] = "* Freeze - Stops the timer for 25 seconds [Z]";
  lines[16] = "";
  // Lines 17 and 20 are never set: they stay empty, as the box never draws them.
  lines[18] = "Press Space or Click to start";
  lines[19] = "Press Q to Exit";
}

}  // namespace

void drawScoreLine(Platform& platform, const GameState& state, ShowLives showLives) {
  const double middle = state.screenWidth / 2.0;
  const bool lives = showLives == ShowLives::kYes;
  platform.setColour(kRed, 0, kForegroundOnly);
  checkText(platform.text(0, 0, "Score"));
  checkText(platform.text(state.screenWidth - 64, 0, "Hi Score"));
  if (lives) checkText(platform.text(roundHalfEven(middle - 20), 0, "Lives"));

  platform.setColour(kYellow, 0, kForegroundOnly);
  const std::string score = std::to_string(state.score);
  const std::string hiScore = std::to_string(state.hiScore);
  checkText(platform.text(0, 12, score));
  checkText(platform.text(state.screenWidth - 8 * int(hiScore.size()), 12, hiScore));
  if (lives) {
    const std::string count = std::to_string(state.lives);
    checkText(platform.text(roundHalfEven(middle - 4.0 * double(count.size())), 12, count));
  }
}

void drainKeys(Platform& platform) {
  while (!platform.readKey().empty()) {
  }
}

std::int32_t titleScreen(Platform& platform, GameState& state) {
  CLR(platform, state.screenWidth, state.screenHeight);

  // The scores as during play, without the lives: after a game, that game's score and the best.
  drawScoreLine(platform, state, ShowLives::kNo);

  fillTitleBox(state);
  return MESSBOX(platform, state.titleBox);
}

void pauseScreen(Platform& platform, GameState& state) {
  // Keys typed before the pause came up do not end it.
  drainKeys(platform);

  // The grey box leaves the top and bottom 30 rows: the score line and the bands stay in view.
  platform.setColour(kBackdropGrey, 0, kForegroundOnly);
  platform.box(0, 30, state.screenWidth, state.screenHeight - 30, true);
  drawCentredLines(platform, state,
                   {"Wedgora is Paused", "Score: " + std::to_string(state.score),
                    "Press any key to return to the game!"});
  platform.copyPage();

  // Any key resumes and is dropped. The sleep between empty reads keeps a long pause from
  // keeping a processor core busy; a key still ends the pause within 10 ms.
  while (platform.readKey().empty()) platform.sleepMs(kWaitSleepMs);
}

void gameOverScreen(Platform& platform, GameState& state) {
  // The last frame is already on view; dim it, then write over it at full brightness.
  SCREENDIM(platform, state.screenWidth, state.screenHeight, 4);
  if (state.score > state.hiScore) state.hiScore = state.score;
  drawCentredLines(
      platform, state,
      {"Game Over", "Score: " + std::to_string(state.score), "Press Space to continue"});
  platform.copyPage();

  // A Space typed in the last moments of play must not skip this screen.
  drainKeys(platform);
  state.escHeld = false;
  bool carryOn = false;
  while (!carryOn) {
    // Taken as read: only a plain Space continues, every other key is read and ignored.
    state.lastKey = platform.readKey();
    if (platform.keyHeld(scan::kEsc)) state.escHeld = true;
    if (state.escHeld && !platform.keyHeld(scan::kEsc)) {
      carryOn = true;
      state.escHeld = false;
    }
    if (state.lastKey == " ") carryOn = true;
    platform.sleepMs(kWaitSleepMs);
  }
}

}  // namespace wedgora
