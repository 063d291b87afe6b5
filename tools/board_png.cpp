// Draws a sample board on the headless page and saves it as a PNG: board_png OUT.png
//
// The picture shows the backdrop, the centre pie with its next segment, the six board pies with
// segments of every colour (one pie under the cursor), and a turn gauge a little past half way.
#include <cstdio>
#include <string>

#include "draw/board.h"
#include "game/rules.h"
#include "game/state.h"
#include "platform/headless.h"
#include "png_writer.h"

namespace {

using namespace wedgora;

// Slot codes 1..6 for each board pie: every colour appears, some pies nearly full, one empty.
constexpr std::int32_t kBoard[7][7] = {
    {},
    {0, 1, 1, 0, 1, 0, 1},  // top: red, on its way to a one-colour pie
    {0, 2, 0, 3, 0, 4, 0},  // upper left: one of each, every other slot
    {0, 4, 4, 4, 4, 4, 0},  // upper right: amber, one slot short (under the cursor)
    {0, 0, 0, 0, 0, 0, 0},  // lower left: empty
    {0, 3, 2, 1, 4, 3, 2},  // lower right: full, mixed
    {0, 0, 3, 0, 0, 2, 0},  // bottom
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.png\n", argc > 0 ? argv[0] : "board_png");
    return 2;
  }

  GameState state;
  layOutBoard(state);
  for (int pie = 1; pie <= 6; ++pie) {
    state.pies[pie].radius = kPieRadius;
    for (int slot = 1; slot <= 6; ++slot) state.pies[pie].segments[slot] = kBoard[pie][slot];
  }

  // The cursor rests over the upper right pie.
  HeadlessPlatform platform(Script().move(state.pies[3].x + 10, state.pies[3].y - 5));
  if (platform.openScreen(18, 24, 2, 0, 0) != 0) {
    std::fprintf(stderr, "board_png: the headless screen did not open\n");
    return 1;
  }
  platform.setWorkPage(1);
  platform.setVisiblePage(0);

  // In the order of a frame: backdrop, centre pie and next segment, board pies, gauge.
  CLR(platform, state.screenWidth, state.screenHeight);
  CIRC(platform, state.centreX, kCentreY, kPieRadius);
  SHOWSEG(platform, state.centreX, kCentreY, 5, 2);
  for (int pie = 1; pie <= 6; ++pie) CHKZONE(platform, state.pies[pie], 0);
  GAUGE(platform, state.centreX, kCentreY, 40, kFirstTurnFrames);

  std::string error;
  if (!writePng(argv[1], platform.page(platform.workPageIndex()), &error)) {
    std::fprintf(stderr, "board_png: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
