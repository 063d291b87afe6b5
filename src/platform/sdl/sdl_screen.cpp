// Scaling the visible page into the window, through the window surface or one texture.
#include "platform/sdl/sdl_screen.h"

#include "platform/platform.h"

namespace wedgora {

bool SdlScreen::open(SDL_Window* window, bool preferSurface) {
  close();
  window_ = window;
  shown_ = Page(Platform::kScreenWidth, Platform::kScreenHeight, 0xFF000000);
  useSurface_ = preferSurface && SDL_GetWindowSurface(window_) != nullptr;
  if (!useSurface_ && !openRenderer()) {
    close();
    return false;
  }
  redraw();
  return true;
}

bool SdlScreen::openRenderer() {
  // SDL tries an accelerated renderer first and falls back to its software one.
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer_) return false;
  // XRGB: the page's alpha byte (halved by dimming) is never looked at.
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                               Platform::kScreenWidth, Platform::kScreenHeight);
  if (!texture_) return false;
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  return true;
}

void SdlScreen::close() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (staging_) SDL_FreeSurface(staging_);
  texture_ = nullptr;
  renderer_ = nullptr;
  staging_ = nullptr;
  lastSurface_ = nullptr;
  window_ = nullptr;
  view_ = Viewport{};
}

const char* SdlScreen::path() const {
  if (useSurface_) return "window surface";
  SDL_RendererInfo info;
  if (renderer_ && SDL_GetRendererInfo(renderer_, &info) == 0) return info.name;
  return "none";
}

void SdlScreen::updateViewport(int drawableWidth, int drawableHeight) {
  int w = 0;
  int h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  view_ =
      fitPage(Platform::kScreenWidth, Platform::kScreenHeight, w, h, drawableWidth, drawableHeight);
}

void SdlScreen::present(const Page& page) {
  if (!window_) return;
  const bool everything = stale_;
  if (useSurface_) {
    presentToSurface(page, everything);
  } else {
    presentToRenderer(page, everything);
  }
}

void SdlScreen::redraw() {
  stale_ = true;
  present(shown_);
}

void SdlScreen::reshow() {
  if (!window_) return;
  if (useSurface_ && !stale_ && SDL_GetWindowSurface(window_) == lastSurface_) {
    // The surface still holds the picture; the X server only needs it again.
    SDL_UpdateWindowSurface(window_);
  } else {
    redraw();
  }
}

void SdlScreen::presentToSurface(const Page& page, bool everything) {
  // SDL makes a new surface after every size change; the old one is gone with its pixels.
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  if (surface != lastSurface_ || surface->w != lastSurfaceWidth_ ||
      surface->h != lastSurfaceHeight_) {
    everything = true;
  }
  Rect area{0, 0, page.width, page.height};
  if (!everything) {
    area = changedArea(shown_, page);
    if (area.empty()) return;
  }

  // Our scaler writes 32-bit XRGB; other surface formats get a converting copy.
  const Uint32 format = surface->format->format;
  const bool direct = format == SDL_PIXELFORMAT_XRGB8888 || format == SDL_PIXELFORMAT_ARGB8888;
  SDL_Surface* target = surface;
  if (!direct) {
    if (!staging_ || staging_->w != surface->w || staging_->h != surface->h) {
      if (staging_) SDL_FreeSurface(staging_);
      staging_ =
          SDL_CreateRGBSurfaceWithFormat(0, surface->w, surface->h, 32, SDL_PIXELFORMAT_XRGB8888);
      if (!staging_) return;
    }
    target = staging_;
  }

  if (everything) updateViewport(surface->w, surface->h);
  if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
  auto* pixels = static_cast<std::uint32_t*>(target->pixels);
  if (everything) fillBlack(view_, pixels, target->pitch);
  const Rect wrote = drawScaled(page, view_, area, pixels, target->pitch);
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);

  SDL_Rect rect{0, 0, surface->w, surface->h};
  if (!everything) rect = {wrote.x, wrote.y, wrote.width, wrote.height};
  if (!direct) SDL_BlitSurface(staging_, &rect, surface, &rect);
  if (everything || !wrote.empty()) SDL_UpdateWindowSurfaceRects(window_, &rect, 1);

  if (&page != &shown_) shown_.pixels = page.pixels;
  lastSurface_ = surface;
  lastSurfaceWidth_ = surface->w;
  lastSurfaceHeight_ = surface->h;
  stale_ = false;
}

void SdlScreen::presentToRenderer(const Page& page, bool everything) {
  Rect area{0, 0, page.width, page.height};
  if (!everything) {
    area = changedArea(shown_, page);
    if (area.empty()) return;
  }
  const SDL_Rect rect{area.x, area.y, area.width, area.height};
  SDL_UpdateTexture(texture_, &rect, &page.pixels[std::size_t(area.y) * page.width + area.x],
                    page.width * int(sizeof(Colour)));

  // The renderer draws in drawable pixels, which on a HiDPI screen outnumber window points.
  int dw = 0;
  int dh = 0;
  SDL_GetRendererOutputSize(renderer_, &dw, &dh);
  updateViewport(dw, dh);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (!view_.picture.empty()) {
    const SDL_Rect to{view_.picture.x, view_.picture.y, view_.picture.width, view_.picture.height};
    SDL_RenderCopy(renderer_, texture_, nullptr, &to);
  }
  SDL_RenderPresent(renderer_);

  if (&page != &shown_) shown_.pixels = page.pixels;
  stale_ = false;
}

}  // namespace wedgora
