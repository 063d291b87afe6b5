// The modal message box of the title screen.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace wedgora {

class Platform;

// Where a message box stands and its 21 lines (0, 1 title and subtitle; 2..16 body;
// 18, 19 prompts; 17 and 20 are never drawn). A fresh record is all zero and empty.
struct MessageBoxSpec {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::array<std::string, 21> lines{};
};

// Draws the box over the work page, shows it, and waits for an answer: 1 start, 2 quit.
std::int32_t MESSBOX(Platform& platform, const MessageBoxSpec& box);

}  // namespace wedgora
