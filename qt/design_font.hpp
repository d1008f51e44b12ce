#pragma once

#include <QFont>

#include "zelmar/window/control_table.hpp"

namespace zelmar::qt {

// A font of the design: the design's typeface at the given size and weight.
[[nodiscard]] QFont DesignFont(const window::FontSpec& wanted);

}  // namespace zelmar::qt
