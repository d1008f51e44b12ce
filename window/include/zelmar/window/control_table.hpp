#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "zelmar/form_state.hpp"

// The window's design as data: every control with its text, its place in
// twips and its font, which control belongs to which entry and result, the
// tab order, and what takes the focus or a click. Free of any toolkit; every
// front end reads this and adds no rule of its own.
namespace zelmar::window {

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

// Every member has its initializer, so that a row of the table may leave
// one out without clang taking it for a forgotten field.
// NOLINTBEGIN(readability-redundant-member-init)
struct ControlSpec {
  std::string_view name = {};
  ControlKind kind = ControlKind::CaptionLabel;
  std::string_view text = {};  // UTF-8; "&" marks the access key of the button
  TwipsRect twips = {};
  std::optional<FontSpec> font = {};  // none: the window font
  bool centred = false;               // caption labels only
  std::optional<Entry> entry = {};    // entry boxes, and the caption above each
  std::optional<ResultLabel> result = {};
  // Result labels: what a screen reader calls the result, the caption label
  // left of it and the label of its unit right of it (by name).
  std::string_view spoken = {};
  std::string_view caption = {};
  std::string_view unit_label = {};
};
// NOLINTEND(readability-redundant-member-init)

inline constexpr std::string_view kFontFamily = "Arial";
// The families drawn to Arial's metrics, which keep the design's widths
// where Arial itself is not installed: what a window may show its texts in.
inline constexpr std::array<std::string_view, 3> kFontFamilies{kFontFamily, "Liberation Sans", "Arimo"};
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
     .spoken = "Numero totale altoparlanti",
     .caption = "Label15"},
    {.name = "ImpGruppi",
     .kind = ControlKind::ResultLabel,
     .twips = {1770, 4230, 975, 300},
     .font = FontSpec{12, true},
     .result = ResultLabel::ImpGruppi,
     .spoken = "Imp. Tot.",
     .caption = "Label9",
     .unit_label = "Label12"},
    {.name = "Liv",
     .kind = ControlKind::ResultLabel,
     .twips = {1815, 4635, 900, 285},
     .font = FontSpec{12, true},
     .result = ResultLabel::Liv,
     .spoken = "Liv. Tot.",
     .caption = "Label10",
     .unit_label = "Label14"},
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

// The wiring diagram's natural size, in pixels at 96 dots per inch.
inline constexpr int kDiagramWidth = 227;
inline constexpr int kDiagramHeight = 153;
// The icon: one square image of this many pixels a side, 256 colours.
inline constexpr int kIconPixels = 48;

// The order in which Tab visits the controls that take the focus.
inline constexpr std::array<std::string_view, 5> kTabOrder{"Calcola", "Altop", "ImpAp", "Gruppi", "dBAp"};

// Lookups. Each is checked below for every entry and result, so a front end
// can take their answers as found.
inline constexpr std::size_t kNoControl = kControls.size();

constexpr std::size_t IndexOf(std::string_view name) noexcept {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (kControls[i].name == name) return i;
  }
  return kNoControl;
}

constexpr const ControlSpec* FindControl(std::string_view name) noexcept {
  const std::size_t index = IndexOf(name);
  return index == kNoControl ? nullptr : &kControls[index];
}

constexpr std::size_t IndexOfKind(ControlKind kind, std::optional<Entry> entry,
                                  std::optional<ResultLabel> result) noexcept {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const ControlSpec& c = kControls[i];
    if (c.kind == kind && c.entry == entry && c.result == result) return i;
  }
  return kNoControl;
}

// The box of an entry and the caption above it.
constexpr const ControlSpec& EntryBox(Entry entry) noexcept {
  return kControls[IndexOfKind(ControlKind::EntryBox, entry, std::nullopt)];
}
constexpr const ControlSpec& EntryCaption(Entry entry) noexcept {
  return kControls[IndexOfKind(ControlKind::CaptionLabel, entry, std::nullopt)];
}
// The label that shows a result, and the text of its unit.
constexpr const ControlSpec& ResultSpec(ResultLabel label) noexcept {
  return kControls[IndexOfKind(ControlKind::ResultLabel, std::nullopt, label)];
}
// The unit's text ("ohm"), empty for a count.
constexpr std::string_view ResultUnit(ResultLabel label) noexcept {
  const std::size_t unit = IndexOf(ResultSpec(label).unit_label);
  return unit == kNoControl ? std::string_view{} : kControls[unit].text;
}
constexpr const ControlSpec& CalculateButton() noexcept {
  return kControls[IndexOfKind(ControlKind::PushButton, std::nullopt, std::nullopt)];
}

// Only the boxes and the button take the keyboard focus.
constexpr bool TakesFocus(ControlKind kind) noexcept {
  return kind == ControlKind::EntryBox || kind == ControlKind::PushButton;
}

// What a click does. On a label, a result, the picture or the window's
// background it does nothing: the focus stays where it was, and a caption
// does not send it into its box.
enum class ClickEffect : std::uint8_t { FocusBox, PressButton, Nothing };
constexpr ClickEffect OnClick(ControlKind kind) noexcept {
  switch (kind) {
    case ControlKind::EntryBox:
      return ClickEffect::FocusBox;
    case ControlKind::PushButton:
      return ClickEffect::PressButton;
    default:
      return ClickEffect::Nothing;
  }
}

// Where the platforms' own boxes differ, Zelmar's go one way everywhere.
//
// The keyboard moving the focus into a box (Tab, Shift+Tab, and their wrap
// at either end of the tab order) selects the box's whole text, so that a
// figure typed next replaces it. A click puts the caret where it falls.
inline constexpr bool kKeyboardFocusSelectsText = true;

// A box holds one line. Of a text pasted or dropped into it, it takes what
// comes before the first line break (CR, LF or CR LF), as a spreadsheet's
// copied cell ends in one: "12" and a line break is 12, a text that starts
// with a line break adds nothing.
inline constexpr std::string_view kLineBreaks = "\r\n";
// Where the first line of a text ends. Any character type, so that a toolkit
// can ask it of its own strings.
template <typename Char>
constexpr std::size_t FirstLineEnd(std::basic_string_view<Char> text) noexcept {
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (const char line_break : kLineBreaks) {
      if (text[i] == static_cast<Char>(line_break)) return i;
    }
  }
  return text.size();
}

// The access key of the button: the letter after "&", lower case ('c').
constexpr char AccessKey(std::string_view text) noexcept {
  const std::size_t at = text.find('&');
  if (at == std::string_view::npos || at + 1 >= text.size()) return 0;
  const char key = text[at + 1];
  return key >= 'A' && key <= 'Z' ? static_cast<char>(key - 'A' + 'a') : key;
}

// Stacking, top first: the controls that take the focus, in the tab order,
// then the others in the order of the table. A box or the button is thus
// drawn over a label it overlaps, and a toolkit that takes its tab order
// from its stacking (Windows' dialogs, a page's document order) gets the
// tab order with it.
inline constexpr std::array<std::size_t, kControls.size()> kStackingOrder = [] {
  std::array<std::size_t, kControls.size()> order{};
  std::size_t n = 0;
  for (const std::string_view name : kTabOrder) order[n++] = IndexOf(name);
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (!TakesFocus(kControls[i].kind)) order[n++] = i;
  }
  return order;
}();

// Plain loops read more simply than algorithms in these constant checks.
// NOLINTBEGIN(readability-use-anyofallof)
namespace checks {

constexpr std::size_t CountNamed(std::string_view name) noexcept {
  std::size_t n = 0;
  for (const ControlSpec& c : kControls) n += c.name == name ? 1 : 0;
  return n;
}

constexpr bool NamesAreUnique() noexcept {
  for (const ControlSpec& c : kControls) {
    if (CountNamed(c.name) != 1) return false;
  }
  return CountNamed("") == 0;
}

constexpr bool TabOrderIsTheFocusTakers() noexcept {
  std::size_t takers = 0;
  for (const ControlSpec& c : kControls) takers += TakesFocus(c.kind) ? 1 : 0;
  if (takers != kTabOrder.size()) return false;
  for (const std::string_view name : kTabOrder) {
    const std::size_t i = IndexOf(name);
    if (i == kNoControl || !TakesFocus(kControls[i].kind)) return false;
  }
  return true;
}

constexpr std::size_t Count(ControlKind kind, std::optional<Entry> entry, std::optional<ResultLabel> result) {
  std::size_t n = 0;
  for (const ControlSpec& c : kControls)
    n += (c.kind == kind && c.entry == entry && c.result == result) ? 1 : 0;
  return n;
}

constexpr bool EachEntryHasOneBoxAndOneCaption() noexcept {
  for (const Entry e : kEntries) {
    if (Count(ControlKind::EntryBox, e, std::nullopt) != 1) return false;
    if (Count(ControlKind::CaptionLabel, e, std::nullopt) != 1) return false;
  }
  return true;
}

constexpr bool EachResultHasItsCaptionAndUnit() noexcept {
  for (const ResultLabel r : kResultLabels) {
    if (Count(ControlKind::ResultLabel, std::nullopt, r) != 1) return false;
    const ControlSpec& result = ResultSpec(r);
    if (result.spoken.empty()) return false;
    const std::size_t caption = IndexOf(result.caption);
    if (caption == kNoControl || kControls[caption].kind != ControlKind::CaptionLabel) return false;
    if (kControls[caption].entry) return false;
    if (!result.unit_label.empty()) {
      const std::size_t unit = IndexOf(result.unit_label);
      if (unit == kNoControl || kControls[unit].kind != ControlKind::CaptionLabel) return false;
      if (kControls[unit].text.empty()) return false;
    }
  }
  return true;
}

constexpr bool StackingVisitsEveryControlOnce() noexcept {
  std::array<bool, kControls.size()> seen{};
  for (const std::size_t i : kStackingOrder) {
    if (i >= kControls.size() || seen[i]) return false;
    seen[i] = true;
  }
  return true;
}

static_assert(NamesAreUnique(), "every control has a name of its own");
static_assert(TabOrderIsTheFocusTakers(), "the tab order names exactly the boxes and the button");
static_assert(Count(ControlKind::PushButton, std::nullopt, std::nullopt) == 1, "one button");
static_assert(Count(ControlKind::Picture, std::nullopt, std::nullopt) == 1, "one picture");
static_assert(EachEntryHasOneBoxAndOneCaption(), "each entry has one box and one caption");
static_assert(EachResultHasItsCaptionAndUnit(), "each result has its caption and, if any, its unit");
static_assert(StackingVisitsEveryControlOnce(), "the stacking holds every control once");
static_assert(AccessKey(CalculateButton().text) == 'c', "the button's access key");

}  // namespace checks
// NOLINTEND(readability-use-anyofallof)

}  // namespace zelmar::window
