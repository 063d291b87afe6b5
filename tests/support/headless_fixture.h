// A headless screen opened the way the game opens its own: 640 x 480, two pages, drawing on
// page 1 while page 0 is shown.
#pragma once

#include <stdexcept>
#include <utility>

#include "platform/headless.h"

namespace wedgora::test {

struct HeadlessScreen {
  explicit HeadlessScreen(Script script = {}, HeadlessOptions options = {})
      : platform(std::move(script), options) {
    if (platform.openScreen(18, 24, 2, 0, 0) != 0) {
      throw std::runtime_error("the headless screen did not open");
    }
    platform.setWorkPage(1);
    platform.setVisiblePage(0);
  }

  const Page& work() const { return platform.page(platform.workPageIndex()); }
  Colour at(int x, int y) const { return work().at(x, y); }

  HeadlessPlatform platform;
};

}  // namespace wedgora::test
