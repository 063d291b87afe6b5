// The web backend: canvas output, HTML5 input callbacks, the browser's clock and yielding sleeps.
#include "platform/web/web_platform.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/runtime_error.h"
#include "platform/web/web_keys.h"

// The page side of the backend. The canvas is Module.canvas, set by the page.
EM_JS(int, web_open_canvas, (int width, int height), {
  const canvas = Module['canvas'];
  if (!canvas || !canvas.getContext('2d')) return 0;
  canvas.width = width;
  canvas.height = height;
  return 1;
});

EM_JS(void, web_show_page, (const void* rgba, int width, int height), {
  const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
  Module['canvas'].getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
  // The journeys count shown frames to wait for the game without guessing at time.
  Module['framesShown'] = (Module['framesShown'] || 0) + 1;
});

EM_JS(void, web_set_title, (const char* title), { document.title = UTF8ToString(title); });

// Maps a point of the browser window to page pixels of the canvas, however the page has
// scaled it. False when the canvas has no area to map to.
EM_JS(int, web_canvas_point, (double clientX, double clientY, int* xy), {
  const canvas = Module['canvas'];
  const rect = canvas.getBoundingClientRect();
  if (!(rect.width > 0 && rect.height > 0)) return 0;
  HEAP32[xy >> 2] = Math.floor((clientX - rect.left) * canvas.width / rect.width);
  HEAP32[(xy >> 2) + 1] = Math.floor((clientY - rect.top) * canvas.height / rect.height);
  return 1;
});

namespace wedgora {

namespace {

double now() {
  return emscripten_get_now() / 1000.0;
}

// The browser numbers its buttons left 0, middle 1, right 2; the layer left 0, right 1, middle 2.
int layerButton(int browserButton) {
  switch (browserButton) {
    case 0:
      return 0;
    case 1:
      return 2;
    case 2:
      return 1;
    default:
      return -1;
  }
}

// Keys the game may read keep their browser meaning away (Space and the arrows scroll, Tab
// moves the focus, Backspace goes back), except browser shortcuts with Ctrl, Alt or Meta and
// the function keys (reload, full screen, developer tools).
bool keepFromBrowser(const EmscriptenKeyboardEvent& event, const BrowserKey& key) {
  if (event.ctrlKey || event.altKey || event.metaKey) return false;
  if ((key.scancode >= scan::kF1 && key.scancode <= scan::kF10) || key.scancode == scan::kF11 ||
      key.scancode == scan::kF12) {
    return false;
  }
  return !key.text.empty() || key.scancode != 0;
}

}  // namespace

struct WebPlatform::Callbacks {
  static WebPlatform& self(void* user) { return *static_cast<WebPlatform*>(user); }

  // Ctrl with Alt is AltGr on some systems, and AltGr types characters, not control codes.
  static BrowserKey mapped(const EmscriptenKeyboardEvent& event) {
    return browserKey(event.key, event.code, event.ctrlKey && !event.altKey);
  }

  static EM_BOOL keyDown(int, const EmscriptenKeyboardEvent* event, void* user) {
    const BrowserKey key = mapped(*event);
    InputState& in = self(user).input();
    in.keyDown(key.scancode, now());
    in.queueKey(key.text);  // auto-repeat too, as the desktop queues it
    return keepFromBrowser(*event, key);
  }

  static EM_BOOL keyUp(int, const EmscriptenKeyboardEvent* event, void* user) {
    const BrowserKey key = mapped(*event);
    self(user).input().keyUp(key.scancode, now());
    return keepFromBrowser(*event, key);
  }

  // Follows the pointer anywhere in the browser window: over the canvas it has a page pixel,
  // elsewhere (the margins of a scaled page) it is outside the picture.
  static void track(WebPlatform& platform, const EmscriptenMouseEvent& event) {
    int xy[2] = {-1, -1};
    InputState& in = platform.input();
    if (web_canvas_point(event.clientX, event.clientY, xy) && xy[0] >= 0 && xy[1] >= 0 &&
        xy[0] < kScreenWidth && xy[1] < kScreenHeight) {
      in.pointerAt(xy[0], xy[1]);
    } else {
      in.pointerLeft();
    }
  }

  static EM_BOOL mouseMove(int, const EmscriptenMouseEvent* event, void* user) {
    track(self(user), *event);
    return EM_FALSE;
  }

  // Presses count only on the canvas; releases count anywhere, so that a press dragged off
  // the canvas is still let go.
  static EM_BOOL mouseDown(int, const EmscriptenMouseEvent* event, void* user) {
    track(self(user), *event);
    self(user).input().mouseButton(layerButton(event->button), true, now());
    return EM_TRUE;
  }

  static EM_BOOL mouseUp(int, const EmscriptenMouseEvent* event, void* user) {
    track(self(user), *event);
    self(user).input().mouseButton(layerButton(event->button), false, now());
    return EM_FALSE;
  }

  static EM_BOOL mouseLeave(int, const EmscriptenMouseEvent*, void* user) {
    self(user).input().pointerLeft();
    return EM_FALSE;
  }

  // One step per wheel event, positive away from the player as on the desktop.
  static EM_BOOL wheel(int, const EmscriptenWheelEvent* event, void* user) {
    if (event->deltaY != 0) self(user).input().wheel(event->deltaY < 0 ? 1 : -1);
    return EM_TRUE;
  }

  static EM_BOOL focus(int type, const EmscriptenFocusEvent*, void* user) {
    self(user).input().focus(type == EMSCRIPTEN_EVENT_FOCUS);
    return EM_FALSE;
  }
};

WebPlatform::~WebPlatform() {
  if (listening_) emscripten_html5_remove_all_event_listeners();
}

double WebPlatform::timer() {
  return now();
}

void WebPlatform::sleepMs(int ms) {
  if (ms <= 0) {
    yieldIfStale();
    return;
  }
  emscripten_sleep(unsigned(ms));
  lastYield_ = now();
}

void WebPlatform::yieldIfStale() {
  if (now() - lastYield_ < kYieldAfter) return;
  emscripten_sleep(0);
  lastYield_ = now();
}

bool WebPlatform::openWindow(int width, int height) {
  if (!web_open_canvas(width, height)) return false;
  rgba_.assign(std::size_t(width) * std::size_t(height), 0);
  if (!listening_) {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    const char* document = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
    emscripten_set_keydown_callback(window, this, EM_TRUE, Callbacks::keyDown);
    emscripten_set_keyup_callback(window, this, EM_TRUE, Callbacks::keyUp);
    emscripten_set_mousemove_callback(document, this, EM_TRUE, Callbacks::mouseMove);
    emscripten_set_mousedown_callback(kCanvas, this, EM_TRUE, Callbacks::mouseDown);
    emscripten_set_mouseup_callback(document, this, EM_TRUE, Callbacks::mouseUp);
    emscripten_set_mouseleave_callback(kCanvas, this, EM_TRUE, Callbacks::mouseLeave);
    emscripten_set_wheel_callback(kCanvas, this, EM_TRUE, Callbacks::wheel);
    // Not in the capture phase: an element of the page losing the focus is no concern, only
    // the window losing it.
    emscripten_set_focus_callback(window, this, EM_FALSE, Callbacks::focus);
    emscripten_set_blur_callback(window, this, EM_FALSE, Callbacks::focus);
    listening_ = true;
  }
  lastYield_ = now();
  return true;
}

void WebPlatform::closeWindow() {
  if (listening_) emscripten_html5_remove_all_event_listeners();
  listening_ = false;
}

void WebPlatform::present(const Page& page) {
  // Page pixels are 0xAARRGGBB, stored B, G, R, A; the canvas takes R, G, B, A. Alpha is
  // forced opaque: dimming halves the alpha byte with the colour bytes, and a canvas would
  // let the page's background show through.
  const std::size_t count = page.pixels.size();
  if (rgba_.size() != count) rgba_.assign(count, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t c = page.pixels[i];
    rgba_[i] = 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
  }
  web_show_page(rgba_.data(), page.width, page.height);
  yieldIfStale();
}

void WebPlatform::pumpEvents() {
  // The callbacks have already recorded everything that happened while the game slept; a loop
  // that polls without sleeping must still let the browser deliver more.
  yieldIfStale();
  if (failCode_ != 0) runtimeError(failCode_);
}

void WebPlatform::titleChanged() {
  web_set_title(windowTitle().c_str());
}

}  // namespace wedgora
