// The modal message box (placeholder body).
#include "ui/messbox.h"

#include "platform/platform.h"

namespace wedgora {

std::int32_t MESSBOX(Platform&, const MessageBoxSpec&) { return 2; }

}  // namespace wedgora
