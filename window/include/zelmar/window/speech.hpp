#pragma once

#include <array>
#include <string>
#include <string_view>

#include "zelmar/window/control_table.hpp"
#include "zelmar/window_port.hpp"

// What screen readers are told, the same on every platform.
namespace zelmar::window {

// The picture's text for those who cannot see it.
inline constexpr std::string_view kPictureDescription =
    "Schema di collegamento: gruppi di altoparlanti in serie, collegati in parallelo all'ingresso";

// What a screen reader says of a result: its name, the whole figure and its
// unit ("Imp. Tot.: 8 ohm"), or the name alone while it is empty.
inline std::string ResultSpeech(ResultLabel label, std::string_view figure) {
  std::string speech(ResultSpec(label).spoken);
  if (figure.empty()) return speech;
  speech.append(": ").append(figure);
  if (const std::string_view unit = ResultUnit(label); !unit.empty()) speech.append(" ").append(unit);
  return speech;
}

// What is announced once a calculation has written its results: the three
// in turn ("Numero totale altoparlanti: 6; Imp. Tot.: 5.33 ohm; ...").
inline std::string ResultsAnnouncement(const ResultTexts& figures) {
  std::string announcement;
  for (const ResultLabel label : kResultLabels) {
    if (!announcement.empty()) announcement.append("; ");
    announcement.append(ResultSpeech(label, figures[static_cast<std::size_t>(label)]));
  }
  return announcement;
}

}  // namespace zelmar::window
