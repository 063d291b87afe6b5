// The backend-neutral half of the layer: pages, colours, primitives, input polls, random draws.
#include "platform/platform.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace wedgora {

void Platform::seedRandom(double seed) {
  std::uint64_t bits = 0;
  static_assert(sizeof bits == sizeof seed);
  std::memcpy(&bits, &seed, sizeof bits);
  engine_.seed(bits);
}

double Platform::random() {
  // 53 random bits scaled into [0, 1): never 1, whatever the standard library.
  return double(engine_() >> 11) * 0x1.0p-53;
}

void Platform::setWindowTitle(std::string_view title) {
  title_ = std::string(title.substr(0, kTitleLimit));
  titleChanged();
}

int Platform::openScreen(int mode, int /*depth*/, int pages, int /*flags*/, int /*refresh*/) {
  if (open_) closeScreen();
  if (mode != 18 || pages < 1) return 1;
  if (!openWindow(kScreenWidth, kScreenHeight)) return 1;
  pages_.assign(std::size_t(pages), Page(kScreenWidth, kScreenHeight, 0xFF000000));
  work_ = 0;
  visible_ = 0;
  lockDepth_ = 0;
  open_ = true;
  return 0;
}

void Platform::closeScreen() {
  if (!open_) return;
  closeWindow();
  pages_.clear();
  open_ = false;
}

ScreenInfo Platform::queryScreen() const {
  ScreenInfo info;
  if (!open_) return info;
  info.width = kScreenWidth;
  info.height = kScreenHeight;
  info.depth = 32;
  info.bitsPerPixel = 32;
  info.pitch = kScreenWidth * 4;
  info.rate = 0;
  info.driver = "wedgora";
  return info;
}

void Platform::setWorkPage(int page) {
  if (page >= 0 && page < int(pages_.size())) work_ = page;
}

void Platform::setVisiblePage(int page) {
  if (page >= 0 && page < int(pages_.size())) visible_ = page;
}

void Platform::copyPage() {
  if (!open_) return;
  if (work_ != visible_) pages_[visible_].pixels = pages_[work_].pixels;
  present(pages_[visible_]);
}

Page* Platform::workPage() {
  return open_ ? &pages_[work_] : nullptr;
}

void Platform::setColour(Colour foreground, Colour background, int flags) {
  if (flags != kBackgroundOnly) foreground_ = foreground;
  if (flags != kForegroundOnly) background_ = background;
}

void Platform::clear() {
  if (Page* p = workPage()) clearPage(*p, background_);
}

void Platform::pixel(int x, int y) {
  if (Page* p = workPage()) drawPixel(*p, x, y, foreground_);
}

void Platform::line(int x1, int y1, int x2, int y2) {
  if (Page* p = workPage()) drawLine(*p, x1, y1, x2, y2, foreground_);
}

void Platform::box(int x1, int y1, int x2, int y2, bool filled) {
  if (Page* p = workPage()) drawBox(*p, x1, y1, x2, y2, foreground_, filled);
}

void Platform::circle(int x, int y, int r, double start, double end, bool filled,
                      std::optional<Colour> colour) {
  Page* p = workPage();
  if (!p) return;
  const Colour c = colour.value_or(foreground_);
  if (filled) {
    drawDisc(*p, x, y, r, c);
  } else {
    drawArc(*p, x, y, r, start, end, c);
  }
}

void Platform::floodFill(int x, int y, Colour fill, Colour border) {
  if (Page* p = workPage()) wedgora::floodFill(*p, x, y, fill, border);
}

int Platform::text(int x, int y, std::string_view s) {
  Page* p = workPage();
  if (!p) return 1;
  drawText(*p, x, y, s, foreground_);
  return 0;
}

std::uint8_t* Platform::pageAddress() {
  Page* p = workPage();
  return p ? reinterpret_cast<std::uint8_t*>(p->pixels.data()) : nullptr;
}

std::string Platform::readKey() {
  pumpEvents();
  return input_.readKey();
}

bool Platform::keyHeld(int scancode) {
  pumpEvents();
  return input_.keyHeld(scancode, timer());
}

MouseState Platform::pollMouse() {
  pumpEvents();
  return input_.pollMouse(timer());
}

}  // namespace wedgora
