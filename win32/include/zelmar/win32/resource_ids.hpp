#pragma once

// The ids of the program's resources, shared by the resource script and the
// code that loads them. Macros, because the resource compiler reads them.
// NOLINTBEGIN(cppcoreguidelines-macro-usage)
#define ZELMAR_ICON_ID 1
#define ZELMAR_DIAGRAM_ID 101
#define ZELMAR_DIAGRAM_2X_ID 102
// NOLINTEND(cppcoreguidelines-macro-usage)

#ifdef __cplusplus
namespace zelmar::win32 {
inline constexpr int kIconId = ZELMAR_ICON_ID;
inline constexpr int kDiagramId = ZELMAR_DIAGRAM_ID;
inline constexpr int kDiagram2xId = ZELMAR_DIAGRAM_2X_ID;
}  // namespace zelmar::win32
#endif
