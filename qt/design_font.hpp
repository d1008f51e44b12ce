#pragma once

#include <QFont>

#include "zelmar/ui/control_table.hpp"

namespace zelmar::ui {

// A font of the design: the design's typeface at the given size and weight.
[[nodiscard]] QFont DesignFont(const FontSpec& wanted);

}  // namespace zelmar::ui
