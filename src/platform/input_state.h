// The layer's input state, shared by every backend: the key queue, the held-key table and the
// mouse. Backends feed it timestamped events; the game reads it through its polls.
//
// Quick presses are never lost. A key or button whose press and release both fall between two
// reads of it is reported as held for one frame period (1/30 s) from the first read that sees
// it, and as released after that, so a touchpad tap or an instant key tap counts as a press
// lasting one frame even in loops that never copy a page.
#pragma once

#include <array>
#include <deque>
#include <string>

#include "platform/keys.h"

namespace wedgora {

// What a mouse poll reports. Every field is -1 when the window lacks the keyboard focus or
// the pointer is outside the page's area of the window.
struct MouseState {
  int x = -1;
  int y = -1;
  int wheel = -1;
  int buttons = -1;  // bit 0 left, bit 1 right, bit 2 middle
  int clip = -1;
  int result = -1;  // 0 on success
};

class InputState {
 public:
  static constexpr double kQuickPressHold = 1.0 / 30;
  static constexpr int kButtonCount = 3;  // 0 left, 1 right, 2 middle

  // --- events, fed by a backend; t is the platform timer in seconds ---
  void keyDown(int scancode, double t);
  void keyUp(int scancode, double t);
  void queueKey(std::string text);  // a typed key, in the order typed (auto-repeat included)
  void closeRequest();              // queues byte 255 then 'k'
  void pointerAt(int x, int y);     // the pointer is over the page, at these page pixels
  void pointerLeft();               // the pointer left the page's area of the window
  void mouseButton(int button, bool down, double t);
  void wheel(int steps);
  void focus(bool gained);  // losing the focus also lets go of every key and button

  // --- polls, made by the game ---
  std::string readKey();  // "" when the queue is empty
  bool keyHeld(int scancode, double t);
  MouseState pollMouse(double t);

  bool hasFocus() const { return focused_; }
  bool pointerInside() const { return inside_; }

 private:
  // One key or button: "down now" plus "pressed since it was last read".
  struct Tracked {
    bool down = false;
    bool unseenPress = false;
    double holdUntil = -1.0;

    void press() { down = true, unseenPress = true; }
    void release() { down = false; }
    void forget() { *this = Tracked{}; }
    bool read(double t);
  };

  std::deque<std::string> queue_;
  std::array<Tracked, scan::kTableSize> keys_{};
  std::array<Tracked, kButtonCount> buttons_{};
  int x_ = 0;
  int y_ = 0;
  int wheel_ = 0;
  bool inside_ = false;
  bool focused_ = true;
};

}  // namespace wedgora
