// The web backend: the layer in a browser page, on a 640 x 480 canvas (built with Emscripten).
//
// The game runs as one long call that blocks in its own loops; every sleep suspends it
// (ASYNCIFY) and hands the browser its turn, which is when the canvas is painted and the
// keyboard and mouse callbacks run. The callbacks only record into the input state.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace wedgora {

class WebPlatform : public Platform {
 public:
  // The CSS selector of the page's canvas.
  static constexpr const char* kCanvas = "#canvas";
  // A run that has not yielded to the browser for this long yields at the next page copy or
  // input poll, so that a late frame or a loop that polls without sleeping keeps the page alive.
  static constexpr double kYieldAfter = 0.033;

  WebPlatform() = default;
  ~WebPlatform() override;

  double timer() override;
  void sleepMs(int ms) override;

  // A drill for the page's handling of a run-time error: the game's next input poll stops the
  // program with the report for this error, from inside the game as a real fault would.
  void failAtNextPoll(int code) { failCode_ = code; }

 protected:
  bool openWindow(int width, int height) override;
  void closeWindow() override;
  void present(const Page& page) override;
  void pumpEvents() override;
  void titleChanged() override;

 private:
  struct Callbacks;  // the browser's event handlers; they reach input() through this class

  void yieldIfStale();

  std::vector<std::uint32_t> rgba_;  // the visible page as the canvas takes it: R, G, B, A bytes
  double lastYield_ = 0.0;
  bool listening_ = false;
  int failCode_ = 0;
};

}  // namespace wedgora
