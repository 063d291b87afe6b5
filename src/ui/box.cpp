// The bonus buttons (placeholder body).
#include "ui/box.h"

#include "platform/platform.h"

namespace wedgora {

std::int32_t BOX(Platform&, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                 const std::string&, std::int32_t, std::int32_t) {
  return 0;
}

}  // namespace wedgora
