// The main program (placeholder: opens the screen and quits).
#include "game/wedgora.h"

#include "draw/board.h"
#include "game/state.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace wedgora {

int runWedgora(Platform& platform, const GameHooks&) {
  platform.seedRandom(platform.timer());
  platform.setWindowTitle(std::string("Wedgora v1.01 (26/10/2022) - ") + kWebAddress);
  if (platform.openScreen(18, 24, 2, 0, 0) != 0) runtimeError(kIllegalFunctionCall);
  platform.setWorkPage(1);
  platform.setVisiblePage(0);
  platform.copyPage();
  return 0;
}

}  // namespace wedgora
