// Writes a page to a PNG file through libpng's simplified interface.
#include "png_writer.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace wedgora {

namespace {

bool write(const std::string& path, const Page& page, bool alpha, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (page.width <= 0 || page.height <= 0 ||
      page.pixels.size() != std::size_t(page.width) * std::size_t(page.height)) {
    return fail("the page has no pixels");
  }

  std::vector<std::uint8_t> rgb;
  rgb.reserve(page.pixels.size() * (alpha ? 4 : 3));
  for (Colour c : page.pixels) {
    rgb.push_back(std::uint8_t(c >> 16));
    rgb.push_back(std::uint8_t(c >> 8));
    rgb.push_back(std::uint8_t(c));
    if (alpha) rgb.push_back(std::uint8_t(c >> 24));
  }

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(page.width);
  image.height = png_uint_32(page.height);
  image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  const int ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr);
  if (!ok) {
    const std::string why = image.message;
    png_image_free(&image);
    return fail(path + ": " + why);
  }
  return true;
}

}  // namespace

bool writePng(const std::string& path, const Page& page, std::string* error) {
  return write(path, page, false, error);
}

bool writePngWithAlpha(const std::string& path, const Page& page, std::string* error) {
  return write(path, page, true, error);
}

}  // namespace wedgora
