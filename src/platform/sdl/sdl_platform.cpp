// The SDL2 backend (placeholder until the window is built).
#include "platform/sdl/sdl_platform.h"

#include <chrono>
#include <thread>

namespace wedgora {

struct SdlPlatform::Impl {};

SdlPlatform::SdlPlatform() : impl_(std::make_unique<Impl>()) {}
SdlPlatform::~SdlPlatform() = default;
double SdlPlatform::timer() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}
void SdlPlatform::sleepMs(int) {}
bool SdlPlatform::openWindow(int, int) { return false; }
void SdlPlatform::closeWindow() {}
void SdlPlatform::present(const Page&) {}
void SdlPlatform::pumpEvents() {}
void SdlPlatform::titleChanged() {}

}  // namespace wedgora
