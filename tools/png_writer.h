// Writes a page of 32-bit pixels to a PNG file, for tools and tests that want to look at a page.
#pragma once

#include <string>

#include "platform/page.h"

namespace wedgora {

// Saves the page as an 8-bit RGB PNG (alpha is dropped: the game draws opaque colours only).
// Returns false, with the reason in *error when given, if the file cannot be written.
bool writePng(const std::string& path, const Page& page, std::string* error = nullptr);

// The same with the alpha byte kept, for pictures with a transparent background (icons).
bool writePngWithAlpha(const std::string& path, const Page& page, std::string* error = nullptr);

}  // namespace wedgora
