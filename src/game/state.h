// The game's state: the board pies and every variable of the main program, in one plain struct.
#pragma once

#include <cstdint>
#include <string>

#include "game/tables.h"
#include "ui/messbox.h"

namespace wedgora {

// One board pie.
struct Pie {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t radius = 0;
  std::int32_t radiusCopy = 0;      // set by every new game; nothing reads it
  Table<std::int32_t, 7> segments;  // slots 1..6 hold colour codes (0 empty); entry 0 unused
};

struct GameState {
  Table<Pie, 7> pies;  // pies 1..6 are the board; record 0 is unused

  std::int32_t score = 0;
  std::int32_t hiScore = 0;
  std::int32_t lives = 0;
  std::int32_t level = 1;
  std::int32_t colourCount = 3;
  std::int32_t turnFrames = 0;
  std::int32_t countdown = 0;
  std::int32_t nextColour = 0;
  std::int32_t nextSlot = 0;
  std::int32_t pointMultiplier = 1;
  std::int32_t clearState = 0;
  std::int32_t freezeState = 0;
  std::int32_t doubleState = 0;
  std::int32_t freezeFrames = 0;
  std::int32_t doubleFrames = 0;
  std::int32_t previousColour = 0;
  std::int32_t previousSlot = 0;
  std::int32_t buttonHeld = 0;
  std::int32_t clickPending = 0;
  bool escHeld = false;
  std::string lastKey;
  std::int32_t screenWidth = 640;
  std::int32_t screenHeight = 480;
  std::int32_t centreX = 320;
  double framePeriod = 1.0 / 30;
  double frameStart = 0.0;

  MessageBoxSpec titleBox;
};

}  // namespace wedgora
