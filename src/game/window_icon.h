// The window's icon: a 64-pixel picture of a pie, drawn by the game at build time.
#pragma once

#include "platform/page.h"

namespace wedgora {

const Page& windowIcon();

}  // namespace wedgora
