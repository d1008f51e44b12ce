#include "window_cases.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <tuple>
#include <utility>

#include "window_cases_text.hpp"

namespace zelmar::testing {
namespace {

std::vector<int> Numbers(std::string_view list) {
  std::vector<int> numbers;
  std::istringstream in{std::string(list)};
  for (std::string item; std::getline(in, item, ',');)
    numbers.push_back(static_cast<int>(std::strtol(item.c_str(), nullptr, 10)));
  return numbers;
}

}  // namespace

std::vector<WindowCase> WindowCases(Drops drops) {
  std::vector<WindowCase> cases = ReadCases(kWindowCasesText);
  if (drops == Drops::NotTaken) {
    std::erase_if(cases, [](const WindowCase& window_case) {
      return std::any_of(window_case.steps.begin(), window_case.steps.end(),
                         [](const CaseStep& step) { return step.words[0] == "drop"; });
    });
  }
  return cases;
}

void PrintTo(const WindowCase& window_case, std::ostream* out) { *out << '"' << window_case.name << '"'; }

std::string CaseTestName(const WindowCase& window_case) {
  std::string name;
  bool upper = true;
  for (const char c : window_case.name) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
      name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
      upper = false;
    } else {
      upper = true;
    }
  }
  return name;
}

std::vector<InkLine> InkLines(int width, int height, const std::function<bool(int, int)>& is_ink) {
  std::vector<InkLine> lines;
  bool in_line = false;
  for (int y = 0; y < height; ++y) {
    int left = width;
    int right = 0;
    for (int x = 0; x < width; ++x) {
      if (is_ink(x, y)) {
        left = std::min(left, x);
        right = x + 1;
      }
    }
    if (right == 0) {
      in_line = false;
      continue;
    }
    if (!in_line) lines.push_back({left, right});
    in_line = true;
    lines.back().left = std::min(lines.back().left, left);
    lines.back().right = std::max(lines.back().right, right);
  }
  return lines;
}

void RunCase(const WindowCase& window_case, WindowDriver& driver) {
  (void)driver.TakeMessages();
  // Every control's place before the last resize.
  std::vector<window::PixelRect> places;
  auto take_places = [&] {
    places.clear();
    for (const window::ControlSpec& control : window::kControls) places.push_back(driver.Place(control.name));
  };
  std::size_t announcements_at_start = driver.Announcements().size();
  for (const CaseStep& step : window_case.steps) {
    const std::vector<std::string>& w = step.words;
    SCOPED_TRACE(::testing::Message() << "window.cases line " << step.line);
    auto arg = [&w](std::size_t i) -> const std::string& {
      static const std::string kNone;
      return i < w.size() ? w[i] : kNone;
    };
    const std::string& verb = w[0];
    if (verb == "type") {
      driver.Type(arg(1), arg(2));
    } else if (verb == "keys") {
      driver.Keys(arg(1));
    } else if (verb == "paste") {
      driver.Paste(arg(1), arg(2));
    } else if (verb == "caret") {
      driver.Caret(arg(1), static_cast<int>(std::strtol(arg(2).c_str(), nullptr, 10)));
    } else if (verb == "paste-here") {
      driver.PasteHere(arg(1));
    } else if (verb == "drop") {
      driver.Drop(arg(1), arg(2));
    } else if (verb == "resize") {
      const std::vector<int> size = Numbers(arg(1));
      ASSERT_EQ(size.size(), 2U) << arg(1);
      take_places();
      driver.Resize(size[0], size[1]);
    } else if (verb == "maximise") {
      take_places();
      driver.Maximise();
    } else if (verb == "expect" && arg(1) == "title") {
      EXPECT_EQ(driver.Title(), arg(2));
    } else if (verb == "expect" && arg(1) == "client") {
      const std::vector<int> size = Numbers(arg(2));
      ASSERT_EQ(size.size(), 2U) << arg(2);
      EXPECT_EQ(driver.ClientSize(), std::make_pair(size[0], size[1]));
    } else if (verb == "expect" && arg(1) == "unmoved") {
      ASSERT_EQ(places.size(), window::kControls.size()) << "no resize before";
      for (std::size_t i = 0; i < places.size(); ++i) {
        const window::PixelRect now = driver.Place(window::kControls[i].name);
        const window::PixelRect& before = places[i];
        EXPECT_EQ(std::tie(now.left, now.top, now.width, now.height),
                  std::tie(before.left, before.top, before.width, before.height))
            << window::kControls[i].name;
      }
    } else if (verb == "key") {
      driver.Key(arg(1));
    } else if (verb == "open") {
      ASSERT_TRUE(arg(1) == "comma" || arg(1) == "point") << arg(1);
      driver.Reopen(arg(1) == "comma" ? DecimalSeparator::Comma() : DecimalSeparator::Point());
      announcements_at_start = 0;
    } else if (verb == "focus") {
      driver.Focus(arg(1));
    } else if (verb == "click") {
      if (const window::ControlSpec* control = window::FindControl(arg(1))) {
        const auto [x, y] = ClickPoint(*control);
        driver.Click(x, y);
      } else {
        const std::vector<int> point = Numbers(arg(1));
        ASSERT_EQ(point.size(), 2U) << arg(1);
        driver.Click(point[0], point[1]);
      }
    } else if (verb == "expect" && (arg(1) == "box" || arg(1) == "caption")) {
      EXPECT_EQ(driver.Text(arg(2)), arg(3)) << arg(2);
    } else if (verb == "expect" && arg(1) == "focus") {
      EXPECT_EQ(driver.FocusName(), arg(2));
    } else if (verb == "expect" && arg(1) == "failures") {
      // Each failure is one message, captioned with the application's name.
      std::vector<std::string> expected;
      std::istringstream names{arg(2)};
      for (std::string name; names >> name;) {
        if (name == "none") continue;
        const std::optional<Failure> kind = FailureNamed(name);
        ASSERT_TRUE(kind.has_value()) << name;
        expected.push_back(FailureMessage(*kind));
      }
      EXPECT_EQ(driver.TakeMessages(), expected);
    } else if (verb == "expect" && arg(1) == "announced") {
      const std::vector<Announcement> made = driver.Announcements();
      if (arg(2) == "none") {
        EXPECT_EQ(made.size(), announcements_at_start);
      } else {
        ASSERT_GT(made.size(), announcements_at_start);
        EXPECT_EQ(made.back().text, arg(2));
      }
    } else if (verb == "expect" && arg(1) == "announcements") {
      const std::vector<Announcement> made = driver.Announcements();
      EXPECT_EQ(made.size() - announcements_at_start, std::strtoul(arg(2).c_str(), nullptr, 10));
    } else if (verb == "expect" && arg(1) == "tip") {
      EXPECT_EQ(driver.Tip(arg(2)), arg(3)) << arg(2);
    } else if (verb == "expect" && arg(1) == "spoken") {
      EXPECT_EQ(driver.Spoken(arg(2)), arg(3)) << arg(2);
    } else if (verb == "expect" && arg(1) == "place") {
      const std::vector<int> e = Numbers(arg(3));
      ASSERT_EQ(e.size(), 4U);
      const window::PixelRect actual = driver.Place(arg(2));
      const window::ControlSpec* control = window::FindControl(arg(2));
      ASSERT_NE(control, nullptr) << arg(2);
      EXPECT_EQ(actual.left, e[0]) << arg(2);
      EXPECT_EQ(actual.top, e[1]) << arg(2);
      EXPECT_EQ(actual.height, e[3]) << arg(2);
      if (window::MayRunOn(*control)) {
        EXPECT_GE(actual.width, e[2]) << arg(2);
      } else {
        EXPECT_EQ(actual.width, e[2]) << arg(2);
      }
    } else if (verb == "expect" && arg(1) == "centred") {
      const window::ControlSpec* control = window::FindControl(arg(2));
      ASSERT_NE(control, nullptr) << arg(2);
      const int width = window::Place(*control, window::kDesignDpi).design.width;
      const std::vector<InkLine> lines = driver.Ink(arg(2));
      ASSERT_EQ(lines.size(), static_cast<std::size_t>(std::strtol(arg(3).c_str(), nullptr, 10)));
      for (const InkLine& line : lines) {
        // Within 3 pixels of the middle: ink sits a pixel off its advance at
        // either end, and Wine's static measures a wrapped line a little
        // narrower than it draws it. A caption centred in its run-on room
        // instead of its label is 8 pixels off.
        EXPECT_LE(std::abs((line.left + line.right) - width), 6)
            << "line " << line.left << ".." << line.right << " in a label " << width << " wide";
        EXPECT_GE(line.left, 0);
        EXPECT_LE(line.right, width);
      }
    } else if (verb == "expect" && arg(1) == "font") {
      std::istringstream wanted{arg(3)};
      int pixels = 0;
      std::string weight;
      wanted >> pixels >> weight;
      const FontSeen font = driver.Font(arg(2));
      EXPECT_NE(std::find(window::kFontFamilies.begin(), window::kFontFamilies.end(), font.family),
                window::kFontFamilies.end())
          << arg(2) << " shows in " << font.family << ", not in " << window::kFontFamily
          << " nor a family drawn to its metrics";
      EXPECT_EQ(font.pixels, pixels) << arg(2);
      EXPECT_EQ(font.bold, weight == "bold") << arg(2);
      EXPECT_TRUE(font.plain) << arg(2) << ": italic, underlined or struck out";
    } else {
      ADD_FAILURE() << "window.cases line " << step.line << ": cannot read \"" << verb << ' ' << arg(1)
                    << '"';
    }
  }
  EXPECT_EQ(driver.TakeMessages(), std::vector<std::string>{}) << "messages shown and never checked";
  // Results are announced once the focus is back on the button, so that a
  // screen reader speaks them where the user is.
  for (const Announcement& made : driver.Announcements()) {
    EXPECT_EQ(made.focus, window::CalculateButton().name)
        << "announced with the focus elsewhere: " << made.text;
  }
}

}  // namespace zelmar::testing
