// Drawing the board (placeholder bodies).
#include "draw/board.h"

#include "game/state.h"
#include "platform/platform.h"

namespace wedgora {

void CIRC(Platform&, std::int32_t, std::int32_t, std::int32_t) {}
void CIRCHI(Platform&, std::int32_t, std::int32_t, std::int32_t) {}
void SHOWSEG(Platform&, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
std::int32_t CHKZONE(Platform&, const Pie&, std::int32_t) { return 0; }
void CLR(Platform&, std::int32_t, std::int32_t) {}
void GAUGE(Platform&, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
void SCREENDIM(Platform&, std::int32_t, std::int32_t, std::int32_t) {}

}  // namespace wedgora
