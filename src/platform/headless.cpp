// The headless backend: a virtual clock, scripted input and readable pages.
#include "platform/headless.h"

#include <cstdio>
#include <utility>

namespace wedgora {

Key Key::of(char c) {
  return Key{std::string(1, c), scancodeForChar(c)};
}
Key Key::extended(int scancode) {
  return Key{extendedKey(scancode), scancode};
}
Key Key::esc() {
  return Key{std::string(1, char(27)), scan::kEsc};
}
Key Key::enter() {
  return Key{std::string(1, char(13)), scan::kEnter};
}

Script& Script::afterCopy(int copies) {
  copies_ = copies;
  return *this;
}

Script& Script::at(double seconds) {
  time_ = seconds;
  return *this;
}

ScriptEvent& Script::add(ScriptEvent::Kind kind) {
  ScriptEvent event;
  event.kind = kind;
  event.afterCopy = copies_;
  event.atTime = time_;
  events.push_back(std::move(event));
  return events.back();
}

Script& Script::press(const Key& key) {
  add(ScriptEvent::Kind::kKeyDown).key = key;
  return *this;
}

Script& Script::release(const Key& key) {
  add(ScriptEvent::Kind::kKeyUp).key = key;
  return *this;
}

Script& Script::tap(const Key& key) {
  return press(key).release(key);
}

Script& Script::type(std::string_view text) {
  for (char c : text) tap(Key::of(c));
  return *this;
}

Script& Script::move(int x, int y) {
  ScriptEvent& e = add(ScriptEvent::Kind::kMove);
  e.x = x;
  e.y = y;
  return *this;
}

Script& Script::leave() {
  add(ScriptEvent::Kind::kLeave);
  return *this;
}

Script& Script::buttonDown(int button) {
  add(ScriptEvent::Kind::kButtonDown).x = button;
  return *this;
}

Script& Script::buttonUp(int button) {
  add(ScriptEvent::Kind::kButtonUp).x = button;
  return *this;
}

Script& Script::click(int x, int y) {
  return move(x, y).buttonDown(0).buttonUp(0);
}

Script& Script::wheel(int steps) {
  add(ScriptEvent::Kind::kWheel).x = steps;
  return *this;
}

Script& Script::focusLost() {
  add(ScriptEvent::Kind::kFocusLost);
  return *this;
}

Script& Script::focusGained() {
  add(ScriptEvent::Kind::kFocusGained);
  return *this;
}

Script& Script::closeRequest() {
  add(ScriptEvent::Kind::kCloseRequest);
  return *this;
}

HeadlessPlatform::HeadlessPlatform(Script script, HeadlessOptions options)
    : script_(std::move(script)),
      options_(options),
      clock_(options.startTime),
      lastProgress_(options.startTime) {}

double HeadlessPlatform::timer() {
  clock_ += options_.timerStep;
  checkStall();
  return clock_;
}

void HeadlessPlatform::sleepMs(int ms) {
  if (ms > 0) clock_ += ms / 1000.0;
  pumpEvents();
  checkStall();
}

void HeadlessPlatform::seedRandom(double seed) {
  // The virtual clock always starts at the same reading; the option seed picks the game.
  Platform::seedRandom(seed + double(options_.seed));
}

bool HeadlessPlatform::openWindow(int, int) {
  return !options_.failOpen;
}

void HeadlessPlatform::present(const Page& page) {
  ++copies_;
  lastProgress_ = clock_;
  if (onCopy) onCopy(page, copies_);
}

void HeadlessPlatform::inject(const ScriptEvent& event) {
  apply(event);
}

void HeadlessPlatform::pumpEvents() {
  while (next_ < script_.events.size()) {
    const ScriptEvent& event = script_.events[next_];
    if (copies_ < event.afterCopy || elapsed() < event.atTime) break;
    ++next_;
    apply(event);
    lastProgress_ = clock_;
  }
}

void HeadlessPlatform::apply(const ScriptEvent& event) {
  InputState& in = input();
  using Kind = ScriptEvent::Kind;
  switch (event.kind) {
    case Kind::kKeyDown:
      in.keyDown(event.key.scancode, clock_);
      in.queueKey(event.key.text);
      break;
    case Kind::kKeyUp:
      in.keyUp(event.key.scancode, clock_);
      break;
    case Kind::kMove:
      in.pointerAt(event.x, event.y);
      break;
    case Kind::kLeave:
      in.pointerLeft();
      break;
    case Kind::kButtonDown:
      in.mouseButton(event.x, true, clock_);
      break;
    case Kind::kButtonUp:
      in.mouseButton(event.x, false, clock_);
      break;
    case Kind::kWheel:
      in.wheel(event.x);
      break;
    case Kind::kFocusLost:
      in.focus(false);
      break;
    case Kind::kFocusGained:
      in.focus(true);
      break;
    case Kind::kCloseRequest:
      in.closeRequest();
      break;
  }
}

void HeadlessPlatform::checkStall() {
  if (clock_ - lastProgress_ < options_.stallSeconds) return;
  // An event that only waits for its time will come; one that waits for a page copy may not.
  if (!scriptSpent() && copies_ >= script_.events[next_].afterCopy) return;
  char message[160];
  std::snprintf(message, sizeof message,
                "headless run stalled: no page copy after copy %d for %.1f virtual seconds "
                "(virtual time %.3f s, %zu of %zu script events applied)",
                copies_, clock_ - lastProgress_, elapsed(), next_, script_.events.size());
  throw HeadlessStall(message);
}

std::uint64_t HeadlessPlatform::visibleHash() const {
  std::uint64_t hash = 1469598103934665603ull;
  if (!screenOpen()) return hash;
  for (Colour c : visiblePage().pixels) {
    for (int shift = 0; shift < 32; shift += 8) {
      hash ^= (c >> shift) & 0xFF;
      hash *= 1099511628211ull;
    }
  }
  return hash;
}

}  // namespace wedgora
