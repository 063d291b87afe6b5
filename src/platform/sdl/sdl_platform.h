// The SDL2 backend: the layer in a real desktop window (resizable, HiDPI-aware, fullscreen on
// F11 or Alt+Enter), ending the program at once on SIGINT and SIGTERM.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace wedgora {

class SdlPlatform : public Platform {
 public:
  SdlPlatform();
  ~SdlPlatform() override;

  double timer() override;
  // Sleeps while window events keep being handled (a resize or an expose redraws at once).
  void sleepMs(int ms) override;
  void setWindowIcon(const Page& icon) override;

 protected:
  // Fails when no display can show the window: no X11 or Wayland display is named, or SDL
  // would only offer an invisible window.
  bool openWindow(int width, int height) override;
  void closeWindow() override;
  void present(const Page& page) override;
  void pumpEvents() override;
  void titleChanged() override;

 private:
  struct Impl;  // keeps SDL's types out of this header
  std::unique_ptr<Impl> impl_;
};

}  // namespace wedgora
