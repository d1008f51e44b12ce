#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zelmar/failure.hpp"
#include "zelmar/window/control_table.hpp"

// The table of the window's cases (tests/cases/window.cases), read in one
// place: the desktop suites read it built in, and the page's suite reads the
// JSON that zelmar-cases writes with this same reading.
namespace zelmar::testing {

struct CaseStep {
  int line = 0;
  // The verb and its arguments; the last runs to the end of the line, with
  // a pasted text expanded ("{3*0}" is 000, "\n" a line break).
  std::vector<std::string> words;
};

struct WindowCase {
  std::string name;
  std::vector<CaseStep> steps;
};

std::vector<WindowCase> ReadCases(std::string_view table);

// The failure kind the table names as the core names it ("TypeMismatch").
std::optional<Failure> FailureNamed(std::string_view name);

// A message box as every suite reads one: "caption | text".
std::string ShownMessage(std::string_view caption, std::string_view text);
// The message a failure shows.
std::string FailureMessage(Failure kind);

// Where "click NAME" clicks: the middle of the control's designed place, in
// the client area's pixels at 96 dpi.
std::pair<int, int> ClickPoint(const window::ControlSpec& control);

}  // namespace zelmar::testing
