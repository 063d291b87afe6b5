// The layer's input state: key queue, held keys and mouse, with the quick-press rule.
#include "platform/input_state.h"

#include <utility>

namespace wedgora {

bool InputState::Tracked::read(double t) {
  if (unseenPress) {
    unseenPress = false;
    // Pressed and already released since the last read: report it held for one frame.
    if (!down) holdUntil = t + kQuickPressHold;
  }
  return down || t < holdUntil;
}

void InputState::keyDown(int scancode, double) {
  if (scancode > 0 && scancode < scan::kTableSize) keys_[scancode].press();
}

void InputState::keyUp(int scancode, double) {
  if (scancode > 0 && scancode < scan::kTableSize) keys_[scancode].release();
}

void InputState::queueKey(std::string text) {
  if (!text.empty()) queue_.push_back(std::move(text));
}

void InputState::closeRequest() {
  queue_.push_back(closeRequestKey());
}

void InputState::pointerAt(int x, int y) {
  x_ = x;
  y_ = y;
  inside_ = true;
}

void InputState::pointerLeft() {
  inside_ = false;
}

void InputState::mouseButton(int button, bool down, double) {
  if (button < 0 || button >= kButtonCount) return;
  if (down) {
    // A press off the page (on the letterbox, say) or while another window has the focus is
    // not the game's: it is held, but no quick press is remembered for the game to see later.
    if (inside_ && focused_) {
      buttons_[button].press();
    } else {
      buttons_[button].down = true;
    }
  } else {
    buttons_[button].release();
  }
}

void InputState::wheel(int steps) {
  wheel_ += steps;
}

void InputState::focus(bool gained) {
  focused_ = gained;
  if (!gained) {
    // Releases that happen while another window has the focus never reach us.
    for (Tracked& key : keys_) key.forget();
    for (Tracked& button : buttons_) button.forget();
  }
}

std::string InputState::readKey() {
  if (queue_.empty()) return {};
  std::string key = std::move(queue_.front());
  queue_.pop_front();
  return key;
}

bool InputState::keyHeld(int scancode, double t) {
  if (scancode <= 0 || scancode >= scan::kTableSize) return false;
  return keys_[scancode].read(t);
}

MouseState InputState::pollMouse(double t) {
  if (!focused_ || !inside_) return MouseState{};
  MouseState state;
  state.x = x_;
  state.y = y_;
  state.wheel = wheel_;
  state.buttons = 0;
  for (int b = 0; b < kButtonCount; ++b) {
    if (buttons_[b].read(t)) state.buttons |= 1 << b;
  }
  state.clip = 0;
  state.result = 0;
  return state;
}

}  // namespace wedgora
