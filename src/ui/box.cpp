// The bonus buttons: one button drawn from its arguments, with its own poll of the mouse.
#include "ui/box.h"

#include <cmath>

#include "draw/palette.h"
#include "platform/coordinates.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace wedgora {

namespace {

using palette::kBlack;
using palette::kBlue;
using palette::kGreen;
using palette::kWhite;
using palette::kYellow;

constexpr std::int32_t kAvailable = 1;
constexpr std::int32_t kRunning = 2;
constexpr double kFramesPerSecond = 30;

// A line of white text centred on column `centre`, its top edge at row `top`.
void drawCentred(Platform& platform, double centre, std::int32_t top, const std::string& text) {
  checkText(platform.text(roundHalfEven(centre - 4.0 * double(text.size())), top, text));
}

}  // namespace

std::int32_t BOX(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t width,
                 std::int32_t height, const std::string& caption, std::int32_t state,
                 std::int32_t frames) {
  ProcedureScope scope("BOX");
  // The position is used as reported: a failed poll gives (-1, -1), outside every button.
  const MouseState mouse = platform.pollMouse();
  std::int32_t result = 0;
  // Sums in 64 bits: a button placed near the ends of the integers must not wrap round.
  const std::int64_t left = roundHalfEven(x - width / 2.0);
  const std::int64_t right = left + width;
  const std::int64_t bottom = std::int64_t(y) + height;

  // Only an available power lights up under the pointer and answers a held left button; the
  // answer is a level, so the caller acts on the first frame and changes the state.
  Colour rim = kBlue;
  if (state == kAvailable) {
    rim = kGreen;
    if (left < mouse.x && mouse.x < right && y < mouse.y && mouse.y < bottom) {
      rim = kYellow;
      if ((mouse.buttons & 1) != 0) result = 1;
    }
  }
  platform.setColour(rim, 0, kForegroundOnly);
  platform.box(saturate(left), y, saturate(right), saturate(bottom), true);
  platform.setColour(kBlack, 0, kForegroundOnly);
  platform.box(saturate(left + 3), saturate(std::int64_t(y) + 3), saturate(right - 3),
               saturate(bottom - 3), true);

  platform.setColour(kWhite, 0, kForegroundOnly);
  const double centre = double(left) + width / 2.0;
  drawCentred(platform, centre, saturate(std::int64_t(y) + 3), caption);
  if (state == kRunning) {
    const auto seconds = static_cast<std::int32_t>(std::floor(frames / kFramesPerSecond));
    drawCentred(platform, centre, saturate(std::int64_t(y) + 15),
                "Active! " + std::to_string(seconds));
  }
  return result;
}

}  // namespace wedgora
