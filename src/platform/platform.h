// The raster graphics and input layer: the one interface through which the game draws, reads
// input, keeps time and draws random numbers. Backends (the SDL window, the headless twin)
// implement only the small protected part: opening a window, presenting a page, pumping
// events, the clock and sleeping.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "platform/input_state.h"
#include "platform/page.h"

namespace wedgora {

// What a screen query reports.
struct ScreenInfo {
  int width = 0;
  int height = 0;
  int depth = 0;
  int bitsPerPixel = 0;
  int pitch = 0;
  int rate = 0;
  std::string driver;
};

// Flags of setColour: which of the two colours to set.
enum ColourFlag : int { kBothColours = 0, kBackgroundOnly = 1, kForegroundOnly = 2 };

class Platform {
 public:
  static constexpr int kScreenWidth = 640;
  static constexpr int kScreenHeight = 480;
  static constexpr int kTitleLimit = 127;

  Platform() = default;
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;
  virtual ~Platform() = default;

  // --- time and chance ---
  virtual double timer() = 0;            // seconds, monotonic, never decreasing
  virtual void sleepMs(int ms) = 0;      // zero or less returns at once
  virtual void seedRandom(double seed);  // seeds from a timer reading
  double random();                       // uniform in [0, 1), never 1

  // --- the window and its pages ---
  void setWindowTitle(std::string_view title);  // only the first 127 characters are used
  // The window's icon, a picture with alpha, set before the screen opens; backends without a
  // window ignore it.
  virtual void setWindowIcon(const Page& icon) { (void)icon; }
  const std::string& windowTitle() const { return title_; }
  // Mode 18 is 640 x 480. Returns 0 on success, non-zero when the screen cannot be opened.
  int openScreen(int mode, int depth, int pages, int flags, int refresh);
  void closeScreen();
  bool screenOpen() const { return open_; }
  ScreenInfo queryScreen() const;
  void setWorkPage(int page);
  void setVisiblePage(int page);
  void copyPage();  // work page onto the visible page, then shows it
  const Page& page(int index) const { return pages_[index]; }
  int workPageIndex() const { return work_; }
  int visiblePageIndex() const { return visible_; }
  int pageCount() const { return int(pages_.size()); }

  // --- colours and primitives; everything draws on the work page ---
  void setColour(Colour foreground, Colour background, int flags);
  Colour foreground() const { return foreground_; }
  Colour background() const { return background_; }
  void clear();  // the work page takes the background colour
  void pixel(int x, int y);
  void line(int x1, int y1, int x2, int y2);
  void box(int x1, int y1, int x2, int y2, bool filled);
  // A disc (filled) or an arc; angles as in drawArc. Without a colour, the foreground is used.
  void circle(int x, int y, int r, double start, double end, bool filled,
              std::optional<Colour> colour = std::nullopt);
  void floodFill(int x, int y, Colour fill, Colour border);
  int text(int x, int y, std::string_view text);  // 0 on success; fails when no screen is open

  // --- direct access to the work page's bytes ---
  std::uint8_t* pageAddress();  // null when no screen is open
  void lock() { ++lockDepth_; }
  void unlock() {
    if (lockDepth_ > 0) --lockDepth_;
  }
  int lockDepth() const { return lockDepth_; }

  // --- input ---
  std::string readKey();
  bool keyHeld(int scancode);
  MouseState pollMouse();

 protected:
  // Opens the window (title already set). False when it cannot be shown.
  virtual bool openWindow(int width, int height) = 0;
  virtual void closeWindow() = 0;
  // Shows this page in the window; called once per page copy.
  virtual void present(const Page& page) = 0;
  // Moves pending window and input events into input().
  virtual void pumpEvents() = 0;
  virtual void titleChanged() {}

  InputState& input() { return input_; }
  const Page& visiblePage() const { return pages_[visible_]; }

 private:
  Page* workPage();

  std::string title_;
  bool open_ = false;
  std::vector<Page> pages_;
  int work_ = 0;
  int visible_ = 0;
  Colour foreground_ = 0xFFFFFFFF;
  Colour background_ = 0xFF000000;
  int lockDepth_ = 0;
  InputState input_;
  std::mt19937_64 engine_{0};
};

}  // namespace wedgora
