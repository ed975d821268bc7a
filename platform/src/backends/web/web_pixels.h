// Pages as a canvas takes them: 8-bit red, green, blue and opaque alpha, rows packed. The
// colours are those of the PNG screenshots, so the page shows exactly the captured pixels.
#pragma once

#include "display/screen.h"

#include <cstdint>
#include <vector>

namespace luma {

void pageToRgba(const Page& page, std::vector<uint32_t>& rgba);

} // namespace luma
