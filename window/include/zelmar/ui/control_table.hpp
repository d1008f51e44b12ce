#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "zelmar/form_state.hpp"

// The window's design as data: every control with its text, its place in
// twips and its font, free of any toolkit. Every front end reads this table
// and nothing else.
namespace zelmar::ui {

inline constexpr int kTwipsPerInch = 1440;

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Every font of the window is "Arial" (or its metric twin), Western, never
// italic, underlined or struck out.
struct FontSpec {
  double points;
  bool bold;
};

enum class ControlKind : std::uint8_t { EntryBox, PushButton, ResultLabel, CaptionLabel, Picture };

struct ControlSpec {
  std::string_view name = {};
  ControlKind kind = ControlKind::CaptionLabel;
  std::string_view text = {};  // UTF-8; "&" marks the access key of the button
  TwipsRect twips = {};
  std::optional<FontSpec> font = {};  // none: the window font
  bool centred = false;               // caption labels only
  std::optional<Entry> entry = {};    // entry boxes, and the caption above each
  std::optional<ResultLabel> result = {};
  std::string_view accessible_name = {};  // result labels: their caption, for screen readers
  std::string_view unit = {};             // result labels: the unit shown beside the figure
};

inline constexpr std::string_view kFontFamily = "Arial";
inline constexpr FontSpec kWindowFont{14.25, false};
// Everything else the program shows (its failure messages) is in the
// boxes' font: the design's typeface, and no font loaded for nothing.
inline constexpr FontSpec kApplicationFont{9.0, false};

struct WindowSpec {
  std::string_view title;
  TwipsRect client;  // position of the client area on the screen, and its size
};

// Two blanks before 1.0.
inline constexpr WindowSpec kWindow{"Calcolo Zelmar  1.0", {3915, 1530, 4245, 5610}};

inline constexpr FontSpec kSmall{8.25, false};
inline constexpr FontSpec kEntry{9.0, false};

inline constexpr std::array<ControlSpec, 19> kControls{{
    {.name = "Gruppi",
     .kind = ControlKind::EntryBox,
     .text = "2",
     .twips = {255, 3330, 495, 375},
     .font = kEntry,
     .entry = Entry::Gruppi},
    {.name = "Altop",
     .kind = ControlKind::EntryBox,
     .text = "2",
     .twips = {1335, 3330, 495, 375},
     .font = kEntry,
     .entry = Entry::Altop},
    {.name = "ImpAp",
     .kind = ControlKind::EntryBox,
     .text = "8",
     .twips = {2400, 3330, 495, 375},
     .font = kEntry,
     .entry = Entry::ImpAp},
    {.name = "dBAp",
     .kind = ControlKind::EntryBox,
     .text = "90",
     .twips = {3495, 3330, 495, 375},
     .font = kEntry,
     .entry = Entry::dBAp},
    {.name = "Calcola",
     .kind = ControlKind::PushButton,
     .text = "&Calcola Ztot e dBtot",
     .twips = {240, 5040, 2415, 495},
     .font = FontSpec{9.75, true}},
    {.name = "TotAltop",
     .kind = ControlKind::ResultLabel,
     .twips = {3195, 3870, 960, 315},
     .result = ResultLabel::TotAltop,
     .accessible_name = "Numero totale altoparlanti"},
    {.name = "ImpGruppi",
     .kind = ControlKind::ResultLabel,
     .twips = {1770, 4230, 975, 300},
     .font = FontSpec{12, true},
     .result = ResultLabel::ImpGruppi,
     .accessible_name = "Imp. Tot.",
     .unit = "ohm"},
    {.name = "Liv",
     .kind = ControlKind::ResultLabel,
     .twips = {1815, 4635, 900, 285},
     .font = FontSpec{12, true},
     .result = ResultLabel::Liv,
     .accessible_name = "Liv. Tot.",
     .unit = "dB SPL"},
    {.name = "Label1",
     .kind = ControlKind::CaptionLabel,
     .text = "Num.Gruppi",
     .twips = {90, 3090, 855, 255},
     .font = kSmall,
     .entry = Entry::Gruppi},
    {.name = "Label5",
     .kind = ControlKind::CaptionLabel,
     .text = "Altop/gruppo",
     .twips = {1095, 3090, 960, 255},
     .font = kSmall,
     .entry = Entry::Altop},
    {.name = "Label6",
     .kind = ControlKind::CaptionLabel,
     .text = "Imp.1ap",
     .twips = {2400, 3090, 675, 255},
     .font = kSmall,
     .entry = Entry::ImpAp},
    {.name = "Label7",
     .kind = ControlKind::CaptionLabel,
     .text = "dB SPL1Ap",
     .twips = {3330, 3090, 870, 255},
     .font = kSmall,
     .entry = Entry::dBAp},
    {.name = "Label15",
     .kind = ControlKind::CaptionLabel,
     .text = "Numero totale altoparlanti:",
     .twips = {450, 3885, 2655, 330},
     .font = FontSpec{9.75, true}},
    {.name = "Label9",
     .kind = ControlKind::CaptionLabel,
     .text = "Imp. Tot.:",
     .twips = {450, 4245, 1125, 255},
     .font = FontSpec{12, true}},
    {.name = "Label10",
     .kind = ControlKind::CaptionLabel,
     .text = "Liv. Tot. :",
     .twips = {450, 4620, 1125, 255},
     .font = FontSpec{12, true}},
    {.name = "Label12", .kind = ControlKind::CaptionLabel, .text = "ohm", .twips = {2880, 4185, 615, 375}},
    {.name = "Label14",
     .kind = ControlKind::CaptionLabel,
     .text = "dB SPL",
     .twips = {2895, 4560, 1020, 375}},
    {.name = "Label13",
     .kind = ControlKind::CaptionLabel,
     .text = "Immettere i 4 dati richiesti e premere il tasto Calcola Ztot e dBtot",
     .twips = {285, 2475, 3705, 495},
     .font = FontSpec{9, false},
     .centred = true},
    {.name = "Image1", .kind = ControlKind::Picture, .twips = {420, 75, 3465, 2355}},
}};

// What a screen reader says of a result: its caption, the whole figure and
// its unit ("Imp. Tot.: 8 ohm"), or the caption alone while it is empty.
inline std::string ResultSpeech(const ControlSpec& result, std::string_view figure) {
  std::string speech(result.accessible_name);
  if (figure.empty()) return speech;
  speech.append(": ").append(figure);
  if (!result.unit.empty()) speech.append(" ").append(result.unit);
  return speech;
}

// The wiring diagram's natural size, in pixels at 96 dots per inch.
inline constexpr int kDiagramWidth = 227;
inline constexpr int kDiagramHeight = 153;

// Twips to the pixels of a screen of the given resolution (dots per inch):
// the one conversion, whatever the toolkit. 96 dpi gives the design's own
// pixels, 144 dpi one and a half times them.
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

// A caption may need a few pixels more than its label where the installed
// font is a little wider than the design's; it may run on over the empty
// background to its right. This is the first pixel column right of the
// caption that is not empty background: where the nearest control reaching
// past the caption's right edge in any of its rows begins, or the window's
// edge. Worked out from the table, so that no text need be measured.
inline int RunOnRight(const ControlSpec& caption, double dpi) noexcept {
  const PixelRect rect = ToPixels(caption.twips, dpi);
  int right = ToPixels(kWindow.client, dpi).width;
  for (const ControlSpec& other : kControls) {
    const PixelRect other_rect = ToPixels(other.twips, dpi);
    if (&other == &caption || other_rect.Right() <= rect.Right()) continue;
    if (other_rect.Bottom() <= rect.top || other_rect.top >= rect.Bottom()) continue;
    right = std::min(right, std::max(other_rect.left, rect.Right()));
  }
  return right;
}

// The design of a result label.
constexpr const ControlSpec& ResultSpec(ResultLabel label) {
  return *std::find_if(kControls.begin(), kControls.end(),
                       [label](const ControlSpec& control) { return control.result == label; });
}

// What is announced after a calculation: the three results in turn.
inline std::string ResultsAnnouncement(const std::array<std::string, 3>& figures) {
  std::string announcement;
  for (const ResultLabel label : kResultLabels) {
    if (!announcement.empty()) announcement.append("; ");
    announcement.append(ResultSpeech(ResultSpec(label), figures[static_cast<std::size_t>(label)]));
  }
  return announcement;
}

// The order in which Tab visits the controls that take the focus.
inline constexpr std::array<std::string_view, 5> kTabOrder{"Calcola", "Altop", "ImpAp", "Gruppi", "dBAp"};

}  // namespace zelmar::ui
