// The modal message box: drawn once over the work page, then answered by a key or a click.
#include "ui/messbox.h"

#include "draw/palette.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace wedgora {

namespace {

using palette::kBackdropGrey;
using palette::kBlack;
using palette::kBlue;
using palette::kRed;
using palette::kYellow;

constexpr std::int32_t kStart = 1;
constexpr std::int32_t kQuit = 2;

// Centred lines are centred on the 640-pixel screen, whatever the box's own place.
constexpr std::int32_t kScreenMiddle = 320;

void drawCentred(Platform& platform, std::int32_t row, const std::string& text) {
  checkText(platform.text(kScreenMiddle - 4 * std::int32_t(text.size()), row, text));
}

void drawBox(Platform& platform, const MessageBoxSpec& box) {
  // The band spans the screen's width and leaves the top 30 rows (the scores) in view.
  platform.setColour(kBackdropGrey, 0, kForegroundOnly);
  platform.box(0, 30, 640, 450, true);
  platform.setColour(kBlue, 0, kForegroundOnly);
  platform.box(box.x, box.y, box.x + box.width, box.y + box.height, true);
  platform.setColour(kBlack, 0, kForegroundOnly);
  platform.box(box.x + 3, box.y + 3, box.x + box.width - 3, box.y + box.height - 3, true);

  // Lines follow each other at 12 pixels from the text origin; 17 and 20 are never drawn.
  const std::int32_t top = box.y + 6;
  platform.setColour(kRed, 0, kForegroundOnly);
  drawCentred(platform, top, box.lines[0]);
  drawCentred(platform, top + 12, box.lines[1]);
  drawCentred(platform, top + 216, box.lines[18]);
  drawCentred(platform, top + 228, box.lines[19]);
  platform.setColour(kYellow, 0, kForegroundOnly);
  for (std::size_t i = 2; i <= 16; ++i) {
    const std::string& line = box.lines[i];
    if (line.empty()) continue;
    checkText(platform.text(box.x + 10, top + 12 * (std::int32_t(i) + 1), line));
  }
}

}  // namespace

std::int32_t MESSBOX(Platform& platform, const MessageBoxSpec& box) {
  ProcedureScope scope("MESSBOX");
  drawBox(platform, box);

  // Keys typed before the box came up do not answer it; a button or Esc already held does,
  // when it is let go.
  while (!platform.readKey().empty()) {
  }
  platform.copyPage();

  std::int32_t answer = 0;
  bool escLatch = false;
  bool buttonLatch = false;
  while (answer < kStart) {
    const MouseState mouse = platform.pollMouse();
    const std::string raw = platform.readKey();
    const std::string key = lowerCase(raw);
    if (key == " ") answer = kStart;
    if (key == "q") answer = kQuit;
    if (platform.keyHeld(scan::kEsc)) escLatch = true;
    if (escLatch && !platform.keyHeld(scan::kEsc)) {
      answer = kQuit;
      escLatch = false;
    }
    // The close request is compared as it came: lower-casing would turn the Left arrow
    // (255, 'K') into it.
    if (raw == closeRequestKey()) answer = kQuit;
    // A failed poll tells nothing about the button, and the latch keeps its value.
    if (mouse.result == 0) {
      if ((mouse.buttons & 1) != 0) buttonLatch = true;
      if ((mouse.buttons & 1) == 0 && buttonLatch) answer = kStart;
    }
    platform.sleepMs(1);
  }
  return answer;
}

}  // namespace wedgora
