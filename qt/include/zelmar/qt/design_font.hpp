#pragma once

#include <QFont>

#include "zelmar/window/control_table.hpp"

namespace zelmar::qt {

// A font of the design: the design's typeface at the given size and weight,
// in the pixels it has at the screen's resolution.
[[nodiscard]] QFont DesignFont(const window::FontSpec& wanted, double dpi);

}  // namespace zelmar::qt
