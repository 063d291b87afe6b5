// The randomized soak: random scripts of every kind of input, invariants after every frame.
#include "soak.h"

#include <algorithm>
#include <random>
#include <sstream>

#include "game/state.h"
#include "game/wedgora.h"
#include "platform/headless.h"

namespace wedgora::soak {
namespace {

// About a minute of a restless player: keys of every kind, the pointer in and out of the
// window, presses and releases of each button, focus loss, quick taps and the close request.
Script randomScript(std::mt19937_64& rng, double seconds) {
  Script script;
  std::uniform_real_distribution<double> gap(0.0, 0.25);
  std::uniform_int_distribution<int> kind(0, 99);
  std::uniform_int_distribution<int> px(-20, 660), py(-20, 500);
  const char ordinary[] = "czxpqCZXPQ 1a?";
  const int extended[] = {scan::kLeft, scan::kRight, scan::kUp,  scan::kDown,
                          scan::kHome, scan::kF1,    scan::kF10, scan::kDelete};
  // Board pies and buttons attract most clicks, so that games really get played.
  const int targets[][2] = {{320, 130}, {220, 190}, {420, 190}, {220, 310}, {420, 310},
                            {320, 370}, {320, 60},  {200, 385}, {440, 385}};
  for (double t = 0.0; t < seconds; t += gap(rng)) {
    script.at(t);
    const int k = kind(rng);
    if (k < 35) {
      const auto& target = targets[rng() % std::size(targets)];
      script.click(target[0] + int(rng() % 60) - 30, target[1] + int(rng() % 60) - 30);
    } else if (k < 45) {
      script.move(px(rng), py(rng));
    } else if (k < 50) {
      script.buttonDown(int(rng() % 3));
    } else if (k < 55) {
      script.buttonUp(int(rng() % 3));
    } else if (k < 75) {
      script.tap(Key::of(ordinary[rng() % (sizeof ordinary - 1)]));
    } else if (k < 80) {
      script.tap(Key::extended(extended[rng() % std::size(extended)]));
    } else if (k < 84) {
      script.press(Key::esc());
    } else if (k < 88) {
      script.release(Key::esc());
    } else if (k < 90) {
      script.tap(Key::enter());
    } else if (k < 93) {
      script.leave();
    } else if (k < 95) {
      script.focusLost();
    } else if (k < 97) {
      script.focusGained();
    } else if (k < 98) {
      script.closeRequest();
    } else {
      script.wheel(int(rng() % 5) - 2);
    }
  }
  return script;
}

// Checks one frame against the one before it in the same game.
class Checker {
 public:
  std::string failure;

  void check(const GameState& g) {
    if (!failure.empty()) return;
    const bool newGame = g.lives == 10 && g.score == 0 && g.level == 1 && previous_.score != 0;
    if (frame_ == 0 || newGame || g.score < previous_.score) {
      if (frame_ != 0 && !newGame && g.score < previous_.score) fail("the score fell", g);
      earned_ = 0;
    }
    if (g.lives > previous_.lives && frame_ != 0) earned_ += g.lives - previous_.lives;
    if (g.lives > 10 + earned_) fail("more lives than given and earned", g);
    for (int i = 1; i <= 6; ++i) {
      for (int s = 1; s <= 6; ++s) {
        const int code = g.pies[i].segments[s];
        if (code < 0 || code > 4) fail("a slot holds a code that is never dealt", g);
      }
    }
    if (g.nextColour < 1 || g.nextColour > g.colourCount || g.nextSlot < 1 || g.nextSlot > 6) {
      fail("the next segment is out of range", g);
    }
    if (g.turnFrames != std::max(30, 100 - 10 * g.level)) fail("turnFrames does not fit level", g);
    if (g.clearState < 0 || g.clearState > 1) fail("clearState out of range", g);
    if (g.freezeState < 0 || g.freezeState > 2 || g.doubleState < 0 || g.doubleState > 2) {
      fail("a bonus state out of range", g);
    }
    if (g.freezeState == 2 && (g.freezeFrames < 0 || g.freezeFrames > 750)) {
      fail("Freeze's timer out of range", g);
    }
    if (g.doubleState == 2 && (g.doubleFrames < 0 || g.doubleFrames > 750)) {
      fail("x2's timer out of range", g);
    }
    if (g.freezeFrames < -1 || g.doubleFrames < -1) fail("an idle timer ran below -1", g);
    if ((g.pointMultiplier == 2) != (g.doubleState == 2) || g.pointMultiplier < 1 ||
        g.pointMultiplier > 2) {
      fail("pointMultiplier is not 2 exactly while x2 runs", g);
    }
    previous_.score = g.score;
    previous_.lives = g.lives;
    ++frame_;
  }

  std::uint64_t frames() const { return frame_; }

 private:
  void fail(const char* what, const GameState& g) {
    if (!failure.empty()) return;
    std::ostringstream out;
    out << what << " at frame " << frame_ << " (score " << g.score << ", lives " << g.lives
        << ", level " << g.level << ", turnFrames " << g.turnFrames << ")";
    failure = out.str();
  }

  struct {
    int score = 0;
    int lives = 0;
  } previous_;
  int earned_ = 0;
  std::uint64_t frame_ = 0;
};

}  // namespace

Result run(std::uint64_t seed, std::uint64_t frames) {
  Result result;
  std::mt19937_64 rng(seed);
  int idleSessions = 0;  // sessions in a row that never reached a game
  while (result.frames < frames && result.failure.empty()) {
    if (idleSessions == 100) {
      result.failure = "seed " + std::to_string(seed) + ": 100 sessions in a row played no frame";
      break;
    }
    HeadlessOptions options;
    options.seed = rng();
    HeadlessPlatform platform(randomScript(rng, 120.0), options);
    Checker checker;
    GameHooks hooks;
    hooks.onFrame = [&](const GameState& g) { checker.check(g); };
    try {
      runWedgora(platform, hooks);
    } catch (const HeadlessStall& stall) {
      // The script ran out while a screen was waiting: the normal end of a session.
      if (!platform.scriptSpent()) {
        checker.failure = std::string("stalled before the script was spent: ") + stall.what();
      }
    }
    result.frames += checker.frames();
    idleSessions = checker.frames() == 0 ? idleSessions + 1 : 0;
    ++result.sessions;
    if (!checker.failure.empty()) {
      std::ostringstream out;
      out << "seed " << seed << ", session " << result.sessions << ": " << checker.failure;
      result.failure = out.str();
    }
  }
  return result;
}

}  // namespace wedgora::soak
