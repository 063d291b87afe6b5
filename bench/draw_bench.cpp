// How long the primitives, the drawing procedures and a worst-case frame take on the headless page.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "draw/board.h"
#include "game/state.h"
#include "platform/headless.h"
#include "ui/box.h"
#include "ui/messbox.h"

namespace wedgora {
namespace {

constexpr double kPi = 3.141592653589793;

// A headless screen with work page 1 and visible page 0, as the game sets it up; the pointer
// rests over the board pie at (220, 190) unless a benchmark says otherwise.
struct Screen {
  HeadlessPlatform platform;
  explicit Screen(Script script = Script().move(220, 190)) : platform(std::move(script)) {
    platform.openScreen(18, 24, 2, 0, 0);
    platform.setWorkPage(1);
    platform.setVisiblePage(0);
    platform.setColour(0xFFFFFFFF, 0xFF1E1E1E, kBothColours);
    platform.clear();
  }
};

void BM_Floor_ClearAndCopy(benchmark::State& state) {
  Screen s;
  for (auto _ : state) {
    s.platform.clear();
    s.platform.copyPage();
  }
}
BENCHMARK(BM_Floor_ClearAndCopy);

void BM_Line(benchmark::State& state) {
  Screen s;
  for (auto _ : state) s.platform.line(0, 17, 639, 463);
}
BENCHMARK(BM_Line);

void BM_LineFarOffPage(benchmark::State& state) {
  Screen s;
  for (auto _ : state) s.platform.line(-2000000000, -1999999000, 2000000000, 1999999000);
}
BENCHMARK(BM_LineFarOffPage);

void BM_FilledBox(benchmark::State& state) {
  Screen s;
  for (auto _ : state) s.platform.box(0, 30, 640, 450, true);
}
BENCHMARK(BM_FilledBox);

void BM_Disc(benchmark::State& state) {
  Screen s;
  for (auto _ : state) s.platform.circle(320, 250, 120, 0, 2 * kPi, true, 0xFF000064);
}
BENCHMARK(BM_Disc);

void BM_Arc(benchmark::State& state) {
  Screen s;
  for (auto _ : state) s.platform.circle(320, 250, 55, 0, double(3.14159265f), false);
}
BENCHMARK(BM_Arc);

void BM_FloodFillWedge(benchmark::State& state) {
  Screen s;
  SHOWSEG(s.platform, 320, 250, 1, 1);
  for (auto _ : state) s.platform.floodFill(320, 225, 0xFFC80000, 0xFF640000);
}
BENCHMARK(BM_FloodFillWedge);

void BM_TextLine(benchmark::State& state) {
  Screen s;
  const std::string line = "* Freeze - Stops the timer for 25 seconds [Z]";
  for (auto _ : state) benchmark::DoNotOptimize(s.platform.text(130, 300, line));
}
BENCHMARK(BM_TextLine);

void BM_CLR(benchmark::State& state) {
  Screen s;
  for (auto _ : state) CLR(s.platform, 640, 480);
}
BENCHMARK(BM_CLR);

void BM_CIRC(benchmark::State& state) {
  Screen s;
  for (auto _ : state) CIRC(s.platform, 320, 250, 45);
}
BENCHMARK(BM_CIRC);

void BM_SHOWSEG(benchmark::State& state) {
  Screen s;
  CIRC(s.platform, 320, 250, 45);
  for (auto _ : state) SHOWSEG(s.platform, 320, 250, 3, 2);
}
BENCHMARK(BM_SHOWSEG);

void BM_CHKZONE_HoveredWithFiveSegments(benchmark::State& state) {
  Screen s;
  Pie pie;
  pie.x = 220;
  pie.y = 190;
  pie.radius = 45;
  for (int slot = 1; slot <= 5; ++slot) pie.segments[slot] = slot % 4 + 1;
  for (auto _ : state) benchmark::DoNotOptimize(CHKZONE(s.platform, pie, 0));
}
BENCHMARK(BM_CHKZONE_HoveredWithFiveSegments);

void BM_GAUGE(benchmark::State& state) {
  Screen s;
  for (auto _ : state) GAUGE(s.platform, 320, 250, 40, 90);
}
BENCHMARK(BM_GAUGE);

void BM_BOX(benchmark::State& state) {
  Screen s;
  const std::string caption = "Freeze [Z]";
  for (auto _ : state)
    benchmark::DoNotOptimize(BOX(s.platform, 200, 370, 100, 30, caption, 2, 700));
}
BENCHMARK(BM_BOX);

void BM_SCREENDIM(benchmark::State& state) {
  Screen s;
  for (auto _ : state) SCREENDIM(s.platform, 640, 480, 4);
}
BENCHMARK(BM_SCREENDIM);

// The message box's drawing alone: the band, rim, panel and 21 lines, as the title shows them.
void BM_MessageBoxDrawing(benchmark::State& state) {
  Screen s;
  const std::string body = "The aim of this game is to fill the pies with ";
  for (auto _ : state) {
    Platform& p = s.platform;
    p.setColour(0xFF1E1E1E, 0, kForegroundOnly);
    p.box(0, 30, 640, 450, true);
    p.setColour(0xFF0000FF, 0, kForegroundOnly);
    p.box(120, 90, 520, 390, true);
    p.setColour(0xFF000000, 0, kForegroundOnly);
    p.box(123, 93, 517, 387, true);
    p.setColour(0xFFFFFF00, 0, kForegroundOnly);
    for (int i = 2; i <= 16; ++i) benchmark::DoNotOptimize(p.text(130, 96 + 12 * (i + 1), body));
    p.setColour(0xFFFF0000, 0, kForegroundOnly);
    for (int row : {96, 108, 312, 324}) benchmark::DoNotOptimize(p.text(200, row, body));
  }
}
BENCHMARK(BM_MessageBoxDrawing);

// The most a frame ever draws: every board pie holding five segments, one pie hovered, all
// three buttons available, the gauge and the score line, then the page copy.
void BM_WorstCaseFrame(benchmark::State& state) {
  Screen s;
  Platform& p = s.platform;
  GameState g;
  const int pieX[] = {0, 320, 220, 420, 220, 420, 320};
  const int pieY[] = {0, 130, 190, 190, 310, 310, 370};
  for (int i = 1; i <= 6; ++i) {
    g.pies[i].x = pieX[i];
    g.pies[i].y = pieY[i];
    g.pies[i].radius = 45;
    for (int slot = 1; slot <= 5; ++slot) g.pies[i].segments[slot] = (i + slot) % 4 + 1;
  }
  const std::string clear = "Clear [C]", freeze = "Freeze [Z]", twice = "x2 [X]";
  for (auto _ : state) {
    CLR(p, 640, 480);
    CIRC(p, 320, 250, 45);
    SHOWSEG(p, 320, 250, 6, 3);
    benchmark::DoNotOptimize(p.pollMouse());
    for (int i = 1; i <= 6; ++i) benchmark::DoNotOptimize(CHKZONE(p, g.pies[i], 0));
    benchmark::DoNotOptimize(BOX(p, 320, 50, 100, 20, clear, 1, 0));
    benchmark::DoNotOptimize(BOX(p, 200, 370, 100, 30, freeze, 1, 0));
    benchmark::DoNotOptimize(BOX(p, 440, 370, 100, 30, twice, 1, 0));
    GAUGE(p, 320, 250, 40, 90);
    p.setColour(0xFFFF0000, 0, kForegroundOnly);
    p.text(0, 0, "Score");
    p.text(576, 0, "Hi Score");
    p.text(300, 0, "Lives");
    p.setColour(0xFFFFFF00, 0, kForegroundOnly);
    p.text(0, 12, "12345");
    p.text(600, 12, "99999");
    p.text(316, 12, "10");
    p.copyPage();
  }
}
BENCHMARK(BM_WorstCaseFrame);

}  // namespace
}  // namespace wedgora

BENCHMARK_MAIN();
