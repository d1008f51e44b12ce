#include "case_table.hpp"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "zelmar/window/failure_text.hpp"
#include "zelmar/window/placement.hpp"

namespace zelmar::testing {
namespace {

// How many words a verb takes before its last, which runs to the end of
// the line (a text with blanks, or nothing).
std::size_t FixedWords(std::string_view verb, std::string_view first) {
  if (verb == "type" || verb == "paste" || verb == "caret" || verb == "drop") return 2;
  if (verb == "expect") return first == "failures" || first == "announced" || first == "title" ? 2 : 3;
  return 1;
}

std::vector<std::string> Split(std::string_view line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  auto skip_blanks = [&] {
    while (at < line.size() && line[at] == ' ') ++at;
  };
  skip_blanks();
  while (at < line.size()) {
    const std::size_t fixed = words.empty() ? 1 : FixedWords(words[0], words.size() > 1 ? words[1] : "");
    if (words.size() >= fixed) {
      words.emplace_back(line.substr(at));
      return words;
    }
    const std::size_t end = std::min(line.find(' ', at), line.size());
    words.emplace_back(line.substr(at, end - at));
    at = end;
    skip_blanks();
  }
  // A text left empty is an empty text.
  if (!words.empty() && words.size() == FixedWords(words[0], words.size() > 1 ? words[1] : "")) {
    words.emplace_back();
  }
  return words;
}

// "{39999*0}3" is 39,999 zeros and a 3; "12\r\n" is 12 and a Windows line break.
std::string Expanded(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '\\' && at + 1 < text.size() && (text[at + 1] == 'n' || text[at + 1] == 'r')) {
      out += text[++at] == 'n' ? '\n' : '\r';
      continue;
    }
    const std::size_t star = c == '{' ? text.find('*', at) : std::string_view::npos;
    const std::size_t close = star == std::string_view::npos ? star : text.find('}', star);
    if (close == std::string_view::npos) {
      out += c;
      continue;
    }
    const std::size_t count =
        std::strtoul(std::string(text.substr(at + 1, star - at - 1)).c_str(), nullptr, 10);
    const std::string_view piece = text.substr(star + 1, close - star - 1);
    for (std::size_t i = 0; i < count; ++i) out.append(piece);
    at = close;
  }
  return out;
}

}  // namespace

std::vector<WindowCase> ReadCases(std::string_view table) {
  std::vector<WindowCase> cases;
  std::istringstream in{std::string(table)};
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words = Split(line);
    if (words.empty() || words[0].starts_with('#')) continue;
    if (words[0] == "case") {
      cases.push_back({line.substr(line.find("case") + 5), {}});
    } else if (!cases.empty()) {
      // The text a step brings in, last on its line.
      if (words[0] == "paste" || words[0] == "paste-here" || words[0] == "drop") {
        words.back() = Expanded(words.back());
      }
      cases.back().steps.push_back({number, std::move(words)});
    }
  }
  return cases;
}

std::optional<Failure> FailureNamed(std::string_view name) {
  for (const Failure kind : kFailures) {
    if (name == FailureName(kind)) return kind;
  }
  return std::nullopt;
}

std::string ShownMessage(std::string_view caption, std::string_view text) {
  return std::string(caption) + " | " + std::string(text);
}

std::string FailureMessage(Failure kind) {
  return ShownMessage(window::kMessageTitle, window::FailureText(kind));
}

std::pair<int, int> ClickPoint(const window::ControlSpec& control) {
  const window::PixelRect place = window::Place(control, window::kDesignDpi).design;
  return {place.left + place.width / 2, place.top + place.height / 2};
}

}  // namespace zelmar::testing
