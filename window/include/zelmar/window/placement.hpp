#pragma once

#include <algorithm>
#include <cmath>

#include "zelmar/window/control_table.hpp"

// Where each control stands on a screen of a given resolution: the one
// conversion from the design's twips, and the room a caption may paint in.
namespace zelmar::window {

// Twips to the pixels of a screen of the given resolution (dots per inch),
// rounded to the nearest pixel. 96 dpi gives the design's own pixels, 144
// dpi one and a half times them.
inline int TwipsToPixels(int twips, double dpi) noexcept {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  [[nodiscard]] constexpr int Right() const noexcept { return left + width; }  // first column past it
  [[nodiscard]] constexpr int Bottom() const noexcept { return top + height; }
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline PixelRect ToPixels(const TwipsRect& r, double dpi) noexcept {
  return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
          TwipsToPixels(r.height, dpi)};
}

// The client area's place on the screen and its size.
inline PixelRect ClientArea(double dpi) noexcept { return ToPixels(kWindow.client, dpi); }

// The resolution the design's pixels are counted at.
inline constexpr double kDesignDpi = 96.0;
inline constexpr double kPointsPerInch = 72.0;

// A picture's length in pixels of the design, at a resolution: rounded to
// the nearest pixel, as places are.
inline int DesignPixels(int pixels, double dpi) noexcept {
  return static_cast<int>(std::lround(pixels * dpi / kDesignDpi));
}

// A font's height (its em) in pixels at a resolution, rounded to the nearest
// pixel: 8.25 pt is 11 pixels at 96 dpi, 9.75 pt 13 at 96 and 20 at 144.
inline int FontPixels(const FontSpec& font, double dpi) noexcept {
  return static_cast<int>(std::lround(font.points * dpi / kPointsPerInch));
}

// The diagram's natural size at a resolution.
inline PixelRect DiagramSize(double dpi) noexcept {
  return {0, 0, DesignPixels(kDiagramWidth, dpi), DesignPixels(kDiagramHeight, dpi)};
}

// A control as placed:
// - `design` is its designed rectangle: a caption wraps and centres in it;
// - `painted` is the rectangle the toolkit's control gets. For a caption
//   aligned left it reaches right over the empty background up to the first
//   column that is not empty (the nearest control reaching past it in any
//   of its rows, or the window's edge), so that a word a little wider in
//   the installed font than in the design runs on instead of being cut.
//   Worked out from the table, so that no text need be measured. A centred
//   caption keeps its own width: its centre is its label's.
struct Placement {
  PixelRect design;
  PixelRect painted;
};

// Whether the control's painted rectangle may reach right of its designed
// one: a caption aligned left.
constexpr bool MayRunOn(const ControlSpec& control) noexcept {
  return control.kind == ControlKind::CaptionLabel && !control.centred;
}

inline Placement Place(const ControlSpec& control, double dpi) noexcept {
  const PixelRect design = ToPixels(control.twips, dpi);
  PixelRect painted = design;
  if (MayRunOn(control)) {
    int right = ClientArea(dpi).width;
    for (const ControlSpec& other : kControls) {
      const PixelRect rect = ToPixels(other.twips, dpi);
      if (&other == &control || rect.Right() <= design.Right()) continue;
      if (rect.Bottom() <= design.top || rect.top >= design.Bottom()) continue;
      right = std::min(right, std::max(rect.left, design.Right()));
    }
    painted.width = std::max(design.width, right - design.left);
  }
  return {design, painted};
}

}  // namespace zelmar::window
