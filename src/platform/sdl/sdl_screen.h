// The window's picture: the visible page scaled into an SDL window, by the cheapest path the
// video driver offers.
//
// On X11 the page is scaled by our own code straight into SDL's window surface, which SDL
// sends to the X server through shared memory: no GPU is needed, no OpenGL library is
// loaded, and only the part of the page that changed since the last frame is scaled and sent.
// Elsewhere (Wayland, macOS, Windows), or when the window has no surface, the page goes
// through one streaming texture of a renderer, which is accelerated where a GPU is present.
#pragma once

#include <SDL.h>

#include "platform/page.h"
#include "platform/viewport.h"

namespace wedgora {

class SdlScreen {
 public:
  SdlScreen() = default;
  SdlScreen(const SdlScreen&) = delete;
  SdlScreen& operator=(const SdlScreen&) = delete;
  ~SdlScreen() { close(); }

  // Prepares the window for pictures; preferSurface asks for the window-surface path. The
  // window shows black until the first page.
  bool open(SDL_Window* window, bool preferSurface);
  void close();

  void present(const Page& page);  // shows this page; does work only where it changed
  void redraw();                   // everything again: after a resize, fullscreen, lost device
  void reshow();                   // the same picture again: after an expose

  // Where the picture is in the window now, for mapping the pointer.
  const Viewport& viewport() const { return view_; }
  // Which path presents: "window surface" or the renderer's name.
  const char* path() const;

 private:
  bool openRenderer();
  void updateViewport(int drawableWidth, int drawableHeight);
  void presentToSurface(const Page& page, bool everything);
  void presentToRenderer(const Page& page, bool everything);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Surface* staging_ = nullptr;  // for window surfaces in a format we do not write directly
  SDL_Surface* lastSurface_ = nullptr;
  int lastSurfaceWidth_ = 0;
  int lastSurfaceHeight_ = 0;
  bool useSurface_ = false;
  bool stale_ = true;  // the window's picture must be drawn whole at the next present
  Page shown_;         // the page the window shows
  Viewport view_;
};

}  // namespace wedgora
