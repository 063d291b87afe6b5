// Starts Wedgora in a real window.
#include "game/wedgora.h"
#include "game/window_icon.h"
#include "platform/sdl/sdl_platform.h"

int main() {
  wedgora::SdlPlatform platform;
  platform.setWindowIcon(wedgora::windowIcon());
  return wedgora::runWedgora(platform);
}
