// Writes the table of the window's cases as JSON for the page's suite, read
// by the same code the desktop suites read it with, together with what the
// page's driver compares against: the message each failure kind shows, by
// the core's names, the window's typeface, its button's name, and for each
// control where a click lands, its designed width and whether it runs on.
//
//   zelmar-cases WINDOW.cases OUT.json
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "case_table.hpp"
#include "zelmar/window/control_table.hpp"
#include "zelmar/window/failure_text.hpp"
#include "zelmar/window/placement.hpp"

namespace {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          constexpr std::string_view kHex = "0123456789abcdef";
          out += "\\u00";
          out += kHex[static_cast<unsigned char>(c) >> 4U];
          out += kHex[static_cast<unsigned char>(c) & 0xFU];
        } else {
          out += c;
        }
    }
  }
  return out + '"';
}

// A word for the shell, in single quotes.
std::string ShellQuoted(std::string_view text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + '\'';
}

// The window's facts that the scripts of the tests and benchmarks need, for
// them to source: its title, its client area's size, and where a click on
// each control lands, all from the description.
int WriteFacts(const char* path) {
  const zelmar::window::PixelRect client = zelmar::window::ClientArea(zelmar::window::kDesignDpi);
  std::ofstream out(path, std::ios::binary);
  out << "# Written by zelmar-cases from the window's description.\n"
      << "ZELMAR_TITLE=" << ShellQuoted(zelmar::window::kWindow.title) << '\n'
      << "ZELMAR_CLIENT_WIDTH=" << client.width << '\n'
      << "ZELMAR_CLIENT_HEIGHT=" << client.height << '\n';
  for (const zelmar::window::ControlSpec& control : zelmar::window::kControls) {
    const auto [x, y] = zelmar::testing::ClickPoint(control);
    out << "ZELMAR_CLICK_" << control.name << '=' << x << ',' << y << '\n';
  }
  return out.good() ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 3 && std::string_view(argv[1]) == "--facts") return WriteFacts(argv[2]);
  if (argc != 3) {
    std::cerr << "usage: zelmar-cases WINDOW.cases OUT.json | zelmar-cases --facts OUT.sh\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string table((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (table.empty()) {
    std::cerr << "zelmar-cases: cannot read " << argv[1] << '\n';
    return 1;
  }
  std::ostringstream json;
  json << "{\"typefaces\": [";
  for (const std::string_view family : zelmar::window::kFontFamilies) {
    json << (family == zelmar::window::kFontFamilies.front() ? "" : ", ") << Quoted(family);
  }
  const zelmar::window::PixelRect client = zelmar::window::ClientArea(zelmar::window::kDesignDpi);
  json << "],\n \"client\": {\"width\": " << client.width << ", \"height\": " << client.height << "}";
  json << ",\n \"button\": " << Quoted(zelmar::window::CalculateButton().name) << ",\n \"messages\": {";
  const char* separator = "";
  for (const zelmar::Failure kind : zelmar::kFailures) {
    json << std::exchange(separator, ", ") << Quoted(zelmar::FailureName(kind)) << ": "
         << Quoted(zelmar::testing::FailureMessage(kind));
  }
  // What the desktop suites take from the description for a control: where
  // a click on it lands, its designed width, and whether it may run on.
  json << "},\n \"controls\": {";
  for (const zelmar::window::ControlSpec& control : zelmar::window::kControls) {
    const auto [x, y] = zelmar::testing::ClickPoint(control);
    json << (&control == zelmar::window::kControls.data() ? "" : ",") << "\n  " << Quoted(control.name)
         << ": {\"click\": [" << x << ", " << y
         << "], \"width\": " << zelmar::window::Place(control, zelmar::window::kDesignDpi).design.width
         << ", \"runsOn\": " << (zelmar::window::MayRunOn(control) ? "true" : "false") << '}';
  }
  json << "},\n \"cases\": [";
  const char* case_separator = "\n";
  for (const zelmar::testing::WindowCase& window_case : zelmar::testing::ReadCases(table)) {
    json << case_separator << "  {\"name\": " << Quoted(window_case.name) << ", \"steps\": [";
    const char* step_separator = "\n";
    for (const zelmar::testing::CaseStep& step : window_case.steps) {
      json << step_separator << "   {\"line\": " << step.line << ", \"words\": [";
      for (std::size_t w = 0; w < step.words.size(); ++w)
        json << (w == 0 ? "" : ", ") << Quoted(step.words[w]);
      json << "]}";
      step_separator = ",\n";
    }
    json << "]}";
    case_separator = ",\n";
  }
  json << "]}\n";
  std::ofstream out(argv[2], std::ios::binary);
  out << json.str();
  return out.good() ? 0 : 1;
}
