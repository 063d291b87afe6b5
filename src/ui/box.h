// One bonus button: drawn from its arguments and polled for a click in every call.
#pragma once

#include <cstdint>
#include <string>

namespace wedgora {

class Platform;

// Returns 1 while `state` is 1 and the left button is down with the pointer inside the button.
std::int32_t BOX(Platform& platform, std::int32_t x, std::int32_t y, std::int32_t width,
                 std::int32_t height, const std::string& caption, std::int32_t state,
                 std::int32_t frames);

}  // namespace wedgora
