// The title, pause and game-over screens: how each is left, what each shows, the best score,
// and the pause's mended wait.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "game/rules.h"
#include "game_support.h"
#include "platform/keys.h"

namespace wedgora {
namespace {

using gametest::DrivenPlatform;
using gametest::GameRun;
using gametest::RunSetup;
using gametest::startedGame;
using gametest::textShownAt;

constexpr Colour kRed = 0xFFFF0000;
constexpr Colour kYellow = 0xFFFFFF00;
constexpr Colour kGrey = 0xFF1E1E1E;

// Keeps the pages of the given copies.
std::function<void(const Page&, int)> keepPages(std::map<int, Page>& pages) {
  return [&pages](const Page& page, int copy) { pages[copy] = page; };
}

bool sameRow(const Page& a, const Page& b, int y) {
  for (int x = 0; x < a.width; ++x) {
    if (a.at(x, y) != b.at(x, y)) return false;
  }
  return true;
}

TEST(TitleScreen, QuitsWithExitCode0) {
  struct Case {
    const char* name;
    std::function<void(Script&)> input;
  };
  const Case cases[] = {
      {"q", [](Script& s) { s.type("q"); }},
      {"Q", [](Script& s) { s.type("Q"); }},
      {"Esc released", [](Script& s) { s.tap(Key::esc()); }},
      {"close request", [](Script& s) { s.closeRequest(); }},
  };
  for (const Case& c : cases) {
    RunSetup setup;
    setup.script.afterCopy(1);
    c.input(setup.script);
    setup.finishAfterSleeps = 0;  // nothing else may end the run
    const GameRun run = runGame(setup);
    EXPECT_EQ(run.exitCode, 0) << c.name;
    EXPECT_TRUE(run.newGames.empty()) << c.name;
    EXPECT_EQ(run.copies.size(), 1u) << c.name;
  }
}

TEST(TitleScreen, StartsOnSpaceOrAClickAnywhere) {
  struct Case {
    const char* name;
    std::function<void(Script&)> input;
  };
  const Case cases[] = {
      {"space", [](Script& s) { s.tap(Key::of(' ')); }},
      {"click in a corner", [](Script& s) { s.click(5, 5); }},
      {"click in the box", [](Script& s) { s.click(320, 240); }},
  };
  for (const Case& c : cases) {
    RunSetup setup;
    setup.script.afterCopy(1);
    c.input(setup.script);
    setup.script.afterCopy(3).type("q");
    const GameRun run = runGame(setup);
    EXPECT_EQ(run.exitCode, 0) << c.name;
    EXPECT_EQ(run.newGames.size(), 1u) << c.name;
    EXPECT_EQ(run.frames.size(), 3u) << c.name;
  }
}

TEST(TitleScreen, KeysTypedBeforeItAreDiscarded) {
  RunSetup setup;
  setup.script.type(" ");  // before the box is up
  const GameRun run = runGame(setup);
  EXPECT_TRUE(run.newGames.empty());
  EXPECT_EQ(run.exitCode, 0);
}

TEST(TitleScreen, ShowsTheLastScoreAndTheBest) {
  RunSetup setup;
  setup.script = startedGame();
  setup.script.afterCopy(3).type("q");          // game 1 ends in frame 3; game over is copy 5
  setup.script.afterCopy(6).tap(Key::of(' '));  // the second title (copy 6) starts game 2
  setup.script.afterCopy(8).type("q");          // game 2 ends in its frame 3 (copy 9)
  setup.setUp = [](GameState& state, int game) { state.score = game == 1 ? 35 : 20; };
  std::map<int, Page> pages;
  setup.onCopy = keepPages(pages);
  const GameRun run = runGame(setup);
  ASSERT_EQ(run.newGames.size(), 2u);
  ASSERT_EQ(run.copies.size(), 11u);

  // The first title: both scores 0, labels without "Lives".
  EXPECT_TRUE(textShownAt(pages[1], 0, 0, "Score", kRed, 0, 11));
  EXPECT_TRUE(textShownAt(pages[1], 576, 0, "Hi Score", kRed, 0, 11));
  EXPECT_TRUE(textShownAt(pages[1], 0, 12, "0", kYellow));
  EXPECT_TRUE(textShownAt(pages[1], 632, 12, "0", kYellow));
  for (int x = 280; x < 360; ++x) {
    for (int y = 0; y < 12; ++y) ASSERT_NE(pages[1].at(x, y), kRed) << x << ", " << y;
  }
  // During game 1 the best is still the old one, although the score is higher.
  EXPECT_EQ(run.frame(1).hiScore, 0);
  EXPECT_TRUE(textShownAt(pages[2], 632, 12, "0", kYellow));
  // After game 1: its score and the new best.
  EXPECT_TRUE(textShownAt(pages[6], 0, 12, "35", kYellow));
  EXPECT_TRUE(textShownAt(pages[6], 624, 12, "35", kYellow));
  // A lower score leaves the best as it was.
  EXPECT_EQ(run.frame(4).hiScore, 35);
  EXPECT_TRUE(textShownAt(pages[11], 0, 12, "20", kYellow));
  EXPECT_TRUE(textShownAt(pages[11], 624, 12, "35", kYellow));
}

TEST(PauseScreen, PSpaceAndCapitalPPauseUntilAnyKey) {
  struct Case {
    const char* name;
    std::function<void(Script&)> pause;
    std::function<void(Script&)> resume;
  };
  const Case cases[] = {
      {"p, then a", [](Script& s) { s.type("p"); }, [](Script& s) { s.type("a"); }},
      {"P, then q", [](Script& s) { s.type("P"); }, [](Script& s) { s.type("q"); }},
      {"space, then c", [](Script& s) { s.type(" "); }, [](Script& s) { s.type("c"); }},
      {"p, then the close request", [](Script& s) { s.type("p"); },
       [](Script& s) { s.closeRequest(); }},
      {"p, then Left", [](Script& s) { s.type("p"); },
       [](Script& s) { s.tap(Key::extended(scan::kLeft)); }},
  };
  for (const Case& c : cases) {
    RunSetup setup;
    setup.script = startedGame();
    setup.script.afterCopy(5);
    c.pause(setup.script);  // read in frame 5; the pause shows copy 6
    setup.script.afterCopy(6);
    c.resume(setup.script);               // ends the pause and is dropped
    setup.script.afterCopy(8).type("z");  // frame 7
    setup.script.afterCopy(9).type("q");  // frame 8
    setup.setUp = [](GameState& state, int) {
      state.clearState = kPowerAvailable;
      state.pies[2].segments[3] = 1;
    };
    const GameRun run = runGame(setup);
    ASSERT_EQ(run.frames.size(), 8u) << c.name;
    EXPECT_EQ(run.copies[5].frame, 0) << c.name;  // copy 6 is the pause's
    EXPECT_EQ(run.copyOfFrame(5), 7) << c.name;
    EXPECT_EQ(run.frame(6).lastKey, "") << c.name;
    EXPECT_EQ(run.frame(7).lastKey, "z") << c.name;
    EXPECT_EQ(run.frame(8).clearState, kPowerAvailable) << c.name;  // "c" was dropped
    EXPECT_EQ(run.frame(8).score, 0) << c.name;
  }
}

TEST(PauseScreen, KeysTypedBeforeItAreDrained) {
  RunSetup setup;
  setup.script = startedGame();
  setup.script.afterCopy(5).type("pqc");  // "q" and "c" wait in the queue behind "p"
  setup.script.afterCopy(6).type("a");
  setup.script.afterCopy(9).type("q");
  setup.setUp = [](GameState& state, int) {
    state.clearState = kPowerAvailable;
    state.pies[2].segments[3] = 1;
  };
  const GameRun run = runGame(setup);
  ASSERT_EQ(run.frames.size(), 8u);
  for (int f = 6; f <= 7; ++f) EXPECT_EQ(run.frame(f).lastKey, "") << "frame " << f;
  EXPECT_EQ(run.frame(8).clearState, kPowerAvailable);
}

TEST(PauseScreen, EscEndingAPauseEndsTheGameWhenReleased) {
  RunSetup setup;
  setup.script = startedGame();
  setup.script.afterCopy(5).type("p");
  setup.script.afterCopy(6).press(Key::esc());    // ends the pause (copy 6)
  setup.script.afterCopy(8).release(Key::esc());  // in frame 7
  const GameRun run = runGame(setup);
  ASSERT_EQ(run.frames.size(), 7u);
  EXPECT_TRUE(run.frame(5).escHeld);
  EXPECT_EQ(run.frame(6).lives, 10);
  EXPECT_EQ(run.frame(7).lives, 0);
}

TEST(PauseScreen, CoversTheBoardButNotTheTopAndBottomRows) {
  RunSetup setup;
  setup.script = startedGame();
  setup.script.afterCopy(5).type("p");
  setup.script.afterCopy(6).type("a");
  setup.script.afterCopy(8).type("q");
  setup.setUp = [](GameState& state, int) { state.score = 42; };
  std::map<int, Page> pages;
  setup.onCopy = keepPages(pages);
  runGame(setup);
  const Page& frame = pages[5];  // frame 4
  const Page& paused = pages[6];
  for (int y = 0; y < 30; ++y) EXPECT_TRUE(sameRow(frame, paused, y)) << "row " << y;
  for (int y = 451; y < 480; ++y) EXPECT_TRUE(sameRow(frame, paused, y)) << "row " << y;
  for (int y : {30, 31, 100, 449, 450}) {
    for (int x = 0; x < 640; x += 639) EXPECT_EQ(paused.at(x, y), kGrey) << x << ", " << y;
  }
  EXPECT_EQ(paused.at(320, 250 - 55), kGrey);  // where the gauge was
  EXPECT_TRUE(textShownAt(paused, 252, 240, "Wedgora is Paused", kYellow, 0, 11));
  EXPECT_TRUE(textShownAt(paused, 284, 252, "Score: 42", kYellow, 4, 11));
  EXPECT_TRUE(textShownAt(paused, 176, 264, "Press any key to return to the game!", kYellow, 4));
  // The frame goes on from the pause and copies the same page again.
  EXPECT_TRUE(pages[7].pixels == paused.pixels);
}

TEST(PauseScreen, WaitsInTenMillisecondSleepsAndPlayResumesAtOnce) {
  // Mended: the pause used to read the keyboard with no sleep at all, keeping a core busy.
  RunSetup setup;
  setup.script = startedGame();
  setup.script.afterCopy(5).type("p");
  setup.script.afterCopy(11).type("q");
  setup.whileWaiting = [](DrivenPlatform& platform, int copies, int sleeps) {
    if (copies == 6 && sleeps == 50) platform.tap(Key::of('a'));
  };
  const GameRun run = runGame(setup);
  ASSERT_EQ(run.frames.size(), 10u);
  const auto& pause = run.copies[5];
  const auto& after = run.copies[6];  // frame 5, once the pause is over
  EXPECT_EQ(after.sleepsBefore, 50);
  EXPECT_NEAR(after.elapsed - pause.elapsed, 0.5, 0.001);  // 50 sleeps of 10 ms
  // The frame that held the pause is late: it does not sleep, and no frame makes up for it.
  EXPECT_EQ(run.copies[7].sleepsBefore, 0);
  EXPECT_NEAR(run.frame(6).frameStart - run.frame(5).frameStart, 0.5, 0.01);
  EXPECT_NEAR(run.frame(7).frameStart - run.frame(6).frameStart, 0.033, 0.0005);
}

TEST(GameOverScreen, DimsTheLastFrameUnderItsText) {
  RunSetup setup;
  setup.script = startedGame();
  setup.script.afterCopy(5).type("q");  // frame 5 is copy 6, the game over copy 7
  setup.setUp = [](GameState& state, int) { state.score = 9; };
  std::map<int, Page> pages;
  setup.onCopy = keepPages(pages);
  runGame(setup);
  const Page& last = pages[6];
  const Page& over = pages[7];
  EXPECT_TRUE(textShownAt(over, 284, 240, "Game Over", kYellow, 0, 11));
  EXPECT_TRUE(textShownAt(over, 288, 252, "Score: 9", kYellow, 4, 11));
  EXPECT_TRUE(textShownAt(over, 228, 264, "Press Space to continue", kYellow, 4));
  int text = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (over.at(x, y) == kYellow && y >= 240 && y < 280) {
        ++text;
        continue;
      }
      // Every byte halved, alpha too.
      ASSERT_EQ(over.at(x, y), (last.at(x, y) >> 1) & 0x7F7F7F7Fu) << x << ", " << y;
    }
  }
  EXPECT_GT(text, 0);
}

TEST(GameOverScreen, OnlySpaceOrAnEscReleaseContinues) {
  struct Case {
    const char* name;
    std::function<void(DrivenPlatform&, int sleeps)> act;  // from the game-over copy on
    bool continues;
  };
  auto at2 = [](std::function<void(DrivenPlatform&)> f) {
    return [f](DrivenPlatform& p, int sleeps) {
      if (sleeps == 2) f(p);
    };
  };
  const Case cases[] = {
      {"space", at2([](DrivenPlatform& p) { p.tap(Key::of(' ')); }), true},
      {"Esc tapped", at2([](DrivenPlatform& p) { p.tap(Key::esc()); }), true},
      {"q", at2([](DrivenPlatform& p) { p.tap(Key::of('q')); }), false},
      {"p", at2([](DrivenPlatform& p) { p.tap(Key::of('p')); }), false},
      {"Enter", at2([](DrivenPlatform& p) { p.tap(Key::enter()); }), false},
      {"close request", at2([](DrivenPlatform& p) { p.closeRequest(); }), false},
      {"Esc held", at2([](DrivenPlatform& p) { p.press(Key::esc()); }), false},
  };
  for (const Case& c : cases) {
    RunSetup setup;
    setup.script = startedGame();
    setup.script.afterCopy(3).type("q");  // the game-over screen is copy 5
    setup.whileWaiting = [&](DrivenPlatform& p, int copies, int sleeps) {
      if (copies == 5) c.act(p, sleeps);
    };
    const GameRun run = runGame(setup);
    ASSERT_EQ(run.copies.size(), 6u) << c.name;  // title, 3 frames, game over, title
    const int waited = run.copies[5].sleepsBefore;
    if (c.continues) {
      EXPECT_LT(waited, 10) << c.name;
    } else {
      EXPECT_GT(waited, 100) << c.name;  // only the finishing Esc tap got it out
    }
  }
}

TEST(GameOverScreen, EscHeldFromPlayContinuesWhenReleased) {
  RunSetup setup;
  setup.script = startedGame();
  setup.script.afterCopy(3).press(Key::esc());
  setup.script.afterCopy(5).type("q");  // the game ends with Esc still held
  setup.whileWaiting = [](DrivenPlatform& p, int copies, int sleeps) {
    if (copies == 7 && sleeps == 8) p.release(Key::esc());
  };
  const GameRun run = runGame(setup);
  ASSERT_EQ(run.frames.size(), 5u);
  EXPECT_TRUE(run.frame(5).escHeld);
  EXPECT_EQ(run.copies.at(7).sleepsBefore, 9);  // the pass that sees the release sleeps too
}

TEST(GameOverScreen, ASpaceTypedBeforeItIsDrained) {
  RunSetup setup;
  setup.script = startedGame();
  setup.script.afterCopy(5).type("q ");         // the space waits behind the "q"
  setup.script.afterCopy(7).tap(Key::of(' '));  // comes with the game-over copy, drained too
  const GameRun run = runGame(setup);
  ASSERT_EQ(run.copies.size(), 8u);
  EXPECT_GT(run.copies[7].sleepsBefore, 100);  // only the finishing Esc tap got it out
}

}  // namespace
}  // namespace wedgora
