// The headless backend: the same layer with no window, for tests and benchmarks.
//
// Time is virtual: sleeping advances the clock, and every timer read nudges it forward by a
// tiny step so that polling loops move on. Input comes from a Script, a plain list of events
// each due right after the Nth page copy or at a virtual time. A run that waits with nothing
// left to happen (the script spent, or its next event waiting for a page copy that never
// comes) for several virtual seconds without copying a page fails with a HeadlessStall.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace wedgora {

// A key as the script presses it: the text it queues and the physical key it holds.
struct Key {
  std::string text;  // "" for keys that type nothing (Shift)
  int scancode = 0;

  static Key of(char c);              // an ordinary key, e.g. Key::of('q'), Key::of(' ')
  static Key extended(int scancode);  // byte 255 then the scan code, e.g. Left arrow
  static Key esc();
  static Key enter();
};

struct ScriptEvent {
  enum class Kind {
    kKeyDown,     // holds key.scancode and queues key.text
    kKeyUp,       // lets go of key.scancode
    kMove,        // pointer over the page at (x, y)
    kLeave,       // pointer leaves the page
    kButtonDown,  // button x (0 left, 1 right, 2 middle)
    kButtonUp,
    kWheel,  // x steps
    kFocusLost,
    kFocusGained,
    kCloseRequest,  // the window's close button
  };
  Kind kind = Kind::kKeyDown;
  int afterCopy = 0;    // due once this many page copies have happened...
  double atTime = 0.0;  // ...and the virtual clock has reached this time (seconds from start)
  Key key;
  int x = 0;
  int y = 0;
};

// Builds a script. Events are added at the current point, which afterCopy() and at() move.
class Script {
 public:
  Script& afterCopy(int copies);  // the following events are due after this many page copies
  Script& at(double seconds);     // ... and not before this virtual time (from the start)

  Script& press(const Key& key);
  Script& release(const Key& key);
  Script& tap(const Key& key);          // press and release at one instant
  Script& type(std::string_view text);  // taps each character in turn
  Script& move(int x, int y);
  Script& leave();
  Script& buttonDown(int button = 0);
  Script& buttonUp(int button = 0);
  Script& click(int x, int y);  // move, then press and release the left button at one instant
  Script& wheel(int steps);
  Script& focusLost();
  Script& focusGained();
  Script& closeRequest();

  std::vector<ScriptEvent> events;

 private:
  ScriptEvent& add(ScriptEvent::Kind kind);
  int copies_ = 0;
  double time_ = 0.0;
};

// Thrown when a headless run waits for input that can never come.
class HeadlessStall : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct HeadlessOptions {
  std::uint64_t seed = 1;     // mixed into the random seed, so a seed plus a script replays
  double startTime = 1000.0;  // the virtual clock at start, seconds
  double timerStep = 1e-6;    // each timer read advances the clock this much
  double stallSeconds = 5.0;  // virtual seconds without a copy or an event before failing
  bool failOpen = false;      // openScreen fails, as with no display
};

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(Script script = {}, HeadlessOptions options = {});

  double timer() override;
  void sleepMs(int ms) override;
  void seedRandom(double seed) override;

  // Runs after every page copy with the visible page and the number of copies so far.
  std::function<void(const Page&, int)> onCopy;

  int copies() const { return copies_; }
  double now() const { return clock_; }
  double elapsed() const { return clock_ - options_.startTime; }
  std::uint64_t visibleHash() const;  // FNV-1a over the visible page's pixels
  bool scriptSpent() const { return next_ >= script_.events.size(); }

  // Feeds more events at run time (from an onCopy observer, say), due at once.
  void inject(const ScriptEvent& event);

 protected:
  bool openWindow(int width, int height) override;
  void closeWindow() override {}
  void present(const Page& page) override;
  void pumpEvents() override;

 private:
  void apply(const ScriptEvent& event);
  void checkStall();

  Script script_;
  HeadlessOptions options_;
  std::size_t next_ = 0;
  double clock_;
  double lastProgress_;
  int copies_ = 0;
};

}  // namespace wedgora
