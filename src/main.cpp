// Starts Wedgora in a real window.
#include "game/wedgora.h"
#include "platform/sdl/sdl_platform.h"

int main() {
  wedgora::SdlPlatform platform;
  return wedgora::runWedgora(platform);
}
