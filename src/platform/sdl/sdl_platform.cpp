// The SDL2 backend: the window, its events turned into the layer's input, sleeping, and the
// program's end on SIGINT and SIGTERM.
#include "platform/sdl/sdl_platform.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include <unistd.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif

#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_screen.h"

namespace wedgora {
namespace {

// Events are fetched from the window system at most this often, however often the game polls.
constexpr std::chrono::milliseconds kPumpInterval{4};

// A long sleep wakes at least this often to handle the window's events and a signal.
constexpr std::chrono::milliseconds kLongestNap{16};

// Sleeps at least this long are the frame pacing's, which wants them to end on time; shorter
// ones are a dialog's polling, which may end a little late and wake less often for it.
constexpr int kPacedSleepMs = 15;

// Linux lets a sleep end up to 50 microseconds late by default, to batch wake-ups.
void setTimerSlack(unsigned long nanoseconds) {
#if defined(__linux__)
  prctl(PR_SET_TIMERSLACK, nanoseconds, 0UL, 0UL, 0UL);
#else
  (void)nanoseconds;
#endif
}

// The signal that asked the program to end, set by the handler and acted on by the main
// thread, which alone may close the window.
volatile std::sig_atomic_t gEndSignal = 0;

extern "C" void onEndSignal(int sig) {
  if (gEndSignal != 0) {
    // A second signal while the first is being handled: end at once, the default way.
    std::signal(sig, SIG_DFL);
    std::raise(sig);
    return;
  }
  gEndSignal = sig;
}

constexpr std::array<int, 2> kEndSignals = {SIGINT, SIGTERM};

bool isSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// The video drivers SDL may try, or false when no display can show a window. Left to itself,
// SDL 2.26 with no display silently opens an invisible "offscreen" window, and its Wayland
// probe (libwayland) writes a complaint about XDG_RUNTIME_DIR straight to standard error, which
// must carry our report alone. So the display is looked for before SDL starts, and SDL is only
// offered the drivers whose display is there.
bool chooseVideoDrivers(std::string& drivers) {
  drivers.clear();
  // A driver the user named for SDL is their choice (an offscreen one is refused later).
  if (isSet("SDL_VIDEODRIVER")) return true;
#if defined(__unix__) && !defined(__APPLE__) && !defined(__ANDROID__)
  if (isSet("DISPLAY")) drivers = "x11";
  if (isSet("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
  return !drivers.empty();
#else
  return true;  // elsewhere the desktop is always there
#endif
}

// Drivers that make windows nobody sees ("evdev" is the dummy one reading keyboards): a window
// there is no window at all.
bool isInvisibleDriver(const char* name) {
  return name == nullptr || std::strcmp(name, "offscreen") == 0 ||
         std::strcmp(name, "dummy") == 0 || std::strcmp(name, "evdev") == 0;
}

int buttonIndex(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    default:
      return -1;
  }
}

}  // namespace

struct SdlPlatform::Impl {
  explicit Impl(SdlPlatform& platform, InputState& input) : platform(platform), input(input) {}

  bool open(int width, int height);
  void close();
  void checkEndSignal();
  void handleEvent(const SDL_Event& event);
  void handleWindowEvent(const SDL_WindowEvent& event);
  void mapPointer(int wx, int wy);
  void requeryPointer();
  void toggleFullscreen();
  void applyIcon();

  SdlPlatform& platform;
  InputState& input;
  bool started = false;  // SDL's video is running
  SDL_Window* window = nullptr;
  SdlScreen screen;
  Page icon;  // the window's icon, kept for every window opened
  std::array<struct sigaction, kEndSignals.size()> oldActions{};
  bool handlersInstalled = false;
  std::array<bool, SDL_NUM_SCANCODES> consumed{};  // keys the layer kept for itself
  bool pointerInWindow = false;
  int pointerX = 0;  // the pointer's last position, in window coordinates
  int pointerY = 0;
  std::chrono::steady_clock::time_point lastPump;
  int windowedWidth = 0;  // the window's size before it went fullscreen
  int windowedHeight = 0;
  bool windowedMaximized = false;
};

bool SdlPlatform::Impl::open(int width, int height) {
  close();
  std::string drivers;
  if (!chooseVideoDrivers(drivers)) return false;
  if (!drivers.empty()) SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  // SIGINT and SIGTERM are ours, and closing the window is a request to the game, not the end:
  // otherwise SDL turns all three into the same quit event.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    SDL_Quit();
    return false;
  }
  started = true;

  const char* driver = SDL_GetCurrentVideoDriver();
  if (isInvisibleDriver(driver)) {
    close();
    return false;
  }
  // On X11 the window surface goes through shared memory, which is cheap with or without a
  // GPU; left to itself SDL would load OpenGL just to decide, at a cost of some 90 MB.
  const bool x11 = std::strcmp(driver, "x11") == 0;
  if (x11) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");

  window = SDL_CreateWindow(platform.windowTitle().c_str(), SDL_WINDOWPOS_CENTERED,
                            SDL_WINDOWPOS_CENTERED, width, height,
                            SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!window || !screen.open(window, x11)) {
    close();
    return false;
  }
  applyIcon();
  // Keys come from key events; text input would pop up input methods for nothing.
  SDL_StopTextInput();

  gEndSignal = 0;
  struct sigaction action {};
  action.sa_handler = onEndSignal;
  // Interrupted reads and writes of the X connection carry on; waits end within a slice.
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < kEndSignals.size(); ++i) {
    sigaction(kEndSignals[i], &action, &oldActions[i]);
  }
  handlersInstalled = true;

  consumed.fill(false);
  input.focus((SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0);
  requeryPointer();
  return true;
}

void SdlPlatform::Impl::close() {
  screen.close();
  if (window) SDL_DestroyWindow(window);
  window = nullptr;
  if (started) SDL_Quit();
  started = false;
  if (handlersInstalled) {
    for (std::size_t i = 0; i < kEndSignals.size(); ++i) {
      sigaction(kEndSignals[i], &oldActions[i], nullptr);
    }
  }
  handlersInstalled = false;
}

void SdlPlatform::Impl::checkEndSignal() {
  const int sig = gEndSignal;
  if (sig == 0) return;
  // Close the window first, then end the way the signal would have ended us.
  close();
  std::signal(sig, SIG_DFL);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, sig);
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
  std::raise(sig);
  _exit(128 + sig);
}

void SdlPlatform::Impl::mapPointer(int wx, int wy) {
  pointerInWindow = true;
  pointerX = wx;
  pointerY = wy;
  const PagePoint p = pageAt(screen.viewport(), wx, wy);
  if (p.inside) {
    input.pointerAt(p.x, p.y);
  } else {
    input.pointerLeft();
  }
}

void SdlPlatform::Impl::requeryPointer() {
  int x = 0;
  int y = 0;
  SDL_GetMouseState(&x, &y);
  if (SDL_GetMouseFocus() == window) {
    mapPointer(x, y);
  } else {
    pointerInWindow = false;
    input.pointerLeft();
  }
}

void SdlPlatform::Impl::applyIcon() {
  if (!window || icon.pixels.empty()) return;
  // SDL copies the picture; the surface only lends it our pixels (0xAARRGGBB words).
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      icon.pixels.data(), icon.width, icon.height, 32, icon.width * int(sizeof(Colour)),
      SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

void SdlPlatform::Impl::toggleFullscreen() {
  const Uint32 flags = SDL_GetWindowFlags(window);
  if ((flags & SDL_WINDOW_FULLSCREEN) == 0) {
    SDL_GetWindowSize(window, &windowedWidth, &windowedHeight);
    windowedMaximized = (flags & SDL_WINDOW_MAXIMIZED) != 0;
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  SDL_SetWindowFullscreen(window, 0);
  // With no window manager (a bare X server) nobody gives the window its size back and SDL
  // goes on believing in the fullscreen size, drawing the picture off centre: set the size the
  // window had. A window manager restores it anyway, a maximised window included.
  if (!windowedMaximized) SDL_SetWindowSize(window, windowedWidth, windowedHeight);
}

void SdlPlatform::Impl::handleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: {
      const SDL_Keysym& key = event.key.keysym;
      // F11 and Alt+Enter switch fullscreen; the game never sees them.
      const bool enter =
          key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER;
      if (key.scancode == SDL_SCANCODE_F11 || (enter && (key.mod & KMOD_ALT))) {
        consumed[key.scancode] = true;
        if (!event.key.repeat) toggleFullscreen();
        break;
      }
      // Auto-repeat types the key again, as it would on a console.
      input.keyDown(set1Scancode(key.scancode), platform.timer());
      input.queueKey(keyText(key));
      break;
    }
    case SDL_KEYUP: {
      const SDL_Scancode s = event.key.keysym.scancode;
      if (s >= 0 && s < SDL_NUM_SCANCODES && consumed[s]) {
        consumed[s] = false;
        break;
      }
      input.keyUp(set1Scancode(s), platform.timer());
      break;
    }
    case SDL_MOUSEMOTION:
      if (event.motion.windowID == SDL_GetWindowID(window)) {
        mapPointer(event.motion.x, event.motion.y);
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int button = buttonIndex(event.button.button);
      if (button < 0) break;
      mapPointer(event.button.x, event.button.y);
      input.mouseButton(button, event.type == SDL_MOUSEBUTTONDOWN, platform.timer());
      break;
    }
    case SDL_MOUSEWHEEL: {
      const int steps = event.wheel.y;
      input.wheel(event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -steps : steps);
      break;
    }
    case SDL_WINDOWEVENT:
      handleWindowEvent(event.window);
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      screen.redraw();
      break;
    default:
      // SDL_QUIT included: the window's close button arrives as its own window event, and
      // the signals that SDL would report as a quit are handled by us.
      break;
  }
}

void SdlPlatform::Impl::handleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
      screen.reshow();
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESIZED:
      // A new size moves the picture: draw it again and find the pointer on it again.
      screen.redraw();
      if (pointerInWindow) mapPointer(pointerX, pointerY);
      break;
    case SDL_WINDOWEVENT_ENTER:
      requeryPointer();
      break;
    case SDL_WINDOWEVENT_LEAVE:
      pointerInWindow = false;
      input.pointerLeft();
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      input.focus(true);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      input.focus(false);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      // The close button asks the game; the window stays until the game ends.
      input.closeRequest();
      break;
    default:
      break;
  }
}

SdlPlatform::SdlPlatform() : impl_(std::make_unique<Impl>(*this, input())) {}

SdlPlatform::~SdlPlatform() {
  impl_->close();
}

double SdlPlatform::timer() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool SdlPlatform::openWindow(int width, int height) {
  return impl_->open(width, height);
}

void SdlPlatform::closeWindow() {
  impl_->close();
}

void SdlPlatform::present(const Page& page) {
  impl_->checkEndSignal();
  impl_->screen.present(page);
}

void SdlPlatform::setWindowIcon(const Page& icon) {
  impl_->icon = icon;
  impl_->applyIcon();
}

void SdlPlatform::titleChanged() {
  if (impl_->window) SDL_SetWindowTitle(impl_->window, windowTitle().c_str());
}

void SdlPlatform::pumpEvents() {
  Impl& d = *impl_;
  d.checkEndSignal();
  if (!d.window) return;
  // Dialogs poll the mouse, a key and the held keys, then sleep a millisecond, over and over:
  // asking the X server each time would cost more than the game itself. Events wait in SDL's
  // queue meanwhile, so nothing is lost by asking at most once per interval.
  const auto now = std::chrono::steady_clock::now();
  if (now - d.lastPump < kPumpInterval) return;
  d.lastPump = now;
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    d.handleEvent(event);
  }
  d.checkEndSignal();
}

void SdlPlatform::sleepMs(int ms) {
  pumpEvents();
  if (ms <= 0) return;
  Impl& d = *impl_;
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(ms);
  // Sleeps end on time (the frame pacing counts on it): naps to exact deadlines, at most
  // kLongestNap each, with the window's events handled between them, so a redraw after an
  // expose or a resize still comes within a frame, also while the game waits in a dialog.
  // (SDL's own timed wait for events overshot by ten milliseconds now and then.)
  const bool paced = ms >= kPacedSleepMs;
  if (paced) setTimerSlack(1);
  for (;;) {
    const Clock::time_point now = Clock::now();
    if (now >= deadline) break;
    std::this_thread::sleep_until(std::min(deadline, now + kLongestNap));
    pumpEvents();
    d.checkEndSignal();
  }
  if (paced) setTimerSlack(50000);
}

}  // namespace wedgora
