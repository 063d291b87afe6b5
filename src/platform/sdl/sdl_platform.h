// The SDL2 backend: the layer in a real desktop window.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace wedgora {

class SdlPlatform : public Platform {
 public:
  SdlPlatform();
  ~SdlPlatform() override;

  double timer() override;
  void sleepMs(int ms) override;

 protected:
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
