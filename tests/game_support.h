// Helpers for the game's tests: whole runs of the program on the headless backend with the
// state of every frame recorded, a hook while a screen waits, and a font-independent text check.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/state.h"
#include "game/wedgora.h"
#include "platform/headless.h"
#include "platform/keys.h"
#include "platform/page.h"

namespace wedgora::gametest {

// The headless platform with a hook on every sleep, so that a test can act while a screen
// waits for input and copies no page.
class DrivenPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  std::function<void(int ms)> onSleep;

  void sleepMs(int ms) override {
    HeadlessPlatform::sleepMs(ms);
    if (onSleep) onSleep(ms);
  }

  // Applies an event now.
  void press(const Key& key) { inject(event(ScriptEvent::Kind::kKeyDown, key)); }
  void release(const Key& key) { inject(event(ScriptEvent::Kind::kKeyUp, key)); }
  void tap(const Key& key) { press(key), release(key); }
  void closeRequest() { inject(event(ScriptEvent::Kind::kCloseRequest, Key{})); }
  void buttonDown(int button = 0) { inject(mouse(ScriptEvent::Kind::kButtonDown, button, 0)); }
  void buttonUp(int button = 0) { inject(mouse(ScriptEvent::Kind::kButtonUp, button, 0)); }
  void move(int x, int y) { inject(mouse(ScriptEvent::Kind::kMove, x, y)); }

 private:
  static ScriptEvent event(ScriptEvent::Kind kind, const Key& key) {
    ScriptEvent e;
    e.kind = kind;
    e.key = key;
    return e;
  }
  static ScriptEvent mouse(ScriptEvent::Kind kind, int x, int y) {
    ScriptEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    return e;
  }
};

// One page copy of a run.
struct CopyRecord {
  double elapsed = 0;      // virtual seconds since the start
  int sleepsBefore = 0;    // sleeps since the copy before it
  int frame = 0;           // 1-based index over all frames of the run; 0 for a screen's copy
  std::uint64_t hash = 0;  // of the visible page
};

struct RunSetup {
  Script script;
  HeadlessOptions headless;
  // Runs right after each new-game reset (the game's test seam); `game` counts from 1.
  std::function<void(GameState& state, int game)> setUp;
  // Runs after every sleep with the number of copies so far and the sleeps since the last one.
  std::function<void(DrivenPlatform& platform, int copies, int sleepsSinceCopy)> whileWaiting;
  // Runs after every page copy.
  std::function<void(const Page& page, int copy)> onCopy;
  // When the program has slept this many times without a page copy, an Esc tap is injected
  // (and again every 100 sleeps): it leaves the game-over screen and quits the title box, so
  // every run ends. 0 turns it off.
  int finishAfterSleeps = 100;
  // Whether each copy records the visible page's hash (it costs a pass over the page).
  bool hashPages = false;
};

struct GameRun {
  int exitCode = -1;
  std::vector<GameState> frames;    // the state after every frame's page copy, all games
  std::vector<GameState> newGames;  // the state after each reset and setUp
  std::vector<CopyRecord> copies;   // copies[i] is copy i + 1
  double elapsed = 0;

  // The copy number of frame f (1-based).
  int copyOfFrame(int f) const {
    for (std::size_t i = 0; i < copies.size(); ++i) {
      if (copies[i].frame == f) return int(i) + 1;
    }
    return 0;
  }
  const GameState& frame(int f) const { return frames.at(std::size_t(f - 1)); }
};

inline GameRun runGame(RunSetup setup) {
  DrivenPlatform platform(std::move(setup.script), setup.headless);
  GameRun run;
  int sleeps = 0;
  platform.onCopy = [&](const Page& page, int copy) {
    run.copies.push_back(
        {platform.elapsed(), sleeps, 0, setup.hashPages ? platform.visibleHash() : 0});
    sleeps = 0;
    if (setup.onCopy) setup.onCopy(page, copy);
  };
  platform.onSleep = [&](int) {
    ++sleeps;
    if (setup.whileWaiting) setup.whileWaiting(platform, platform.copies(), sleeps);
    // Spaced out, so that each tap is let go (a tap reads as held for 1/30 s) before the next.
    const int sinceFirst = sleeps - setup.finishAfterSleeps;
    if (setup.finishAfterSleeps > 0 && sinceFirst >= 0 && sinceFirst % 100 == 0) {
      platform.tap(Key::esc());
    }
  };
  GameHooks hooks;
  hooks.onFrame = [&](const GameState& state) {
    run.frames.push_back(state);
    run.copies.back().frame = int(run.frames.size());
  };
  hooks.onNewGame = [&](GameState& state) {
    if (setup.setUp) setup.setUp(state, int(run.newGames.size()) + 1);
    run.newGames.push_back(state);
  };
  run.exitCode = runWedgora(platform, hooks);
  run.elapsed = platform.elapsed();
  return run;
}

// A script that starts the first game from the title box. Events added at afterCopy(f) for
// f >= 2 reach the first game in its frame f (the title's copy is copy 1, frame f's is f + 1),
// as long as no pause has shown a page of its own.
inline Script startedGame() {
  Script script;
  script.afterCopy(1).tap(Key::of(' '));
  return script;
}

// Whether `text` is shown at (x, y) in `colour`, whatever the glyphs look like: every glyph
// pixel of the built-in font has that colour, and no other pixel of its cells, nor of one cell
// on either side, has it. Only rows firstRow..lastRow of the 16-row cells are compared: lines
// 12 pixels apart overlap by four rows, so a line between two others is checked on rows 4..11.
inline ::testing::AssertionResult textShownAt(const Page& page, int x, int y, std::string_view text,
                                              Colour colour, int firstRow = 0, int lastRow = 15) {
  const int n = int(text.size());
  Page mask(8 * (n + 2), 16, 0);
  drawText(mask, 8, 0, text, 0xFFFFFFFF);
  int glyphPixels = 0;
  for (Colour c : mask.pixels) glyphPixels += c != 0 ? 1 : 0;
  if (glyphPixels == 0 && text.find_first_not_of(' ') != std::string_view::npos) {
    return ::testing::AssertionFailure() << "the font draws nothing for \"" << text << "\"";
  }
  for (int my = firstRow; my <= lastRow; ++my) {
    for (int mx = 0; mx < mask.width; ++mx) {
      const int px = x - 8 + mx;
      const int py = y + my;
      if (!page.contains(px, py)) continue;
      const bool glyph = mask.at(mx, my) != 0;
      if (glyph != (page.at(px, py) == colour)) {
        return ::testing::AssertionFailure()
               << "\"" << text << "\" at (" << x << ", " << y << "): pixel (" << px << ", " << py
               << ") is " << std::hex << page.at(px, py) << std::dec
               << (glyph ? ", expected the text's colour" : ", expected another colour");
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace wedgora::gametest
