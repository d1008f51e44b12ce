#include "zelmar/form.hpp"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fake_window.hpp"

namespace zelmar {

// GoogleTest prints a separator as itself.
void PrintTo(const DecimalSeparator& separator, std::ostream* out) { *out << '"' << separator.Utf8() << '"'; }

namespace {

using testing::FakeWindow;
using testing::Focus;

std::string Localised(std::string text, DecimalSeparator separator) {
  for (std::size_t at = text.find('.'); at != std::string::npos; at = text.find('.', at + 1)) {
    text.replace(at, 1, separator.Utf8());
  }
  return text;
}

struct WorkedRow {
  std::array<const char*, 4> typed;  // Gruppi, Altop, ImpAp, dBAp
  std::array<const char*, 4> boxes_after;
  std::array<const char*, 3> captions;
};

const WorkedRow kWorkedRows[] = {
    {{"2", "2", "8", "90"}, {"2", "2", "8", "90"}, {"4", "8", "96.02"}},
    {{"1", "2", "8", "90"}, {"1", "2", "8", "90"}, {"2", "16", "90"}},
    {{"2", "1", "8", "90"}, {"2", "1", "8", "90"}, {"2", "4", "96.02"}},
    {{"4", "1", "8", "90"}, {"4", "1", "8", "90"}, {"4", "2", "102.04"}},
    {{"3", "1", "8", "90"}, {"3", "1", "8", "90"}, {"3", "2.66", "99.54"}},
    {{"3", "2", "8", "90"}, {"3", "2", "8", "90"}, {"6", "5.33", "99.54"}},
    {{"2", "3", "4", "87"}, {"2", "3", "4", "87"}, {"6", "6", "93.02"}},
    {{"2.7", "2", "8", "90"}, {"2", "2", "8", "90"}, {"4", "8", "96.02"}},
    // Defaults for blank, zero and non-numeric figures.
    {{"0", "0.0", "abc", ""}, {"2", "2", "8", "90"}, {"4", "8", "96.02"}},
    {{"2", "2", "4.5", "90.5"}, {"2", "2", "4.5", "90.5"}, {"4", "4.5", "96.52"}},
    {{"-2", "-2", "8", "90"}, {"-2", "-2", "8", "90"}, {"4", "8", "96.02"}},
    {{"05", "2", "8", "0"}, {"5", "2", "8", "90"}, {"10", "3.2", "103.97"}},
    {{"1e1", "1", "8", "90"}, {"10", "1", "8", "90"}, {"10", "0.8", "110"}},
};

class WorkedResults : public ::testing::TestWithParam<DecimalSeparator> {};

TEST_P(WorkedResults, TypedKeystrokeByKeystrokeThenCalculated) {
  const DecimalSeparator separator = GetParam();
  for (const auto& row : kWorkedRows) {
    SCOPED_TRACE(std::string(row.typed[0]) + ", " + row.typed[1] + ", " + row.typed[2] + ", " + row.typed[3]);
    FakeWindow window(separator);
    for (const Entry entry : kEntries) {
      const std::string typed = Localised(row.typed[static_cast<std::size_t>(entry)], separator);
      if (typed.empty()) {
        window.Clear(entry);
      } else {
        window.Type(entry, typed);
      }
    }
    window.failures.clear();  // those of half-typed figures, checked elsewhere
    window.form.Calculate();

    EXPECT_TRUE(window.failures.empty());
    EXPECT_EQ(window.focus, Focus::Calcola);
    for (const Entry entry : kEntries) {
      const auto i = static_cast<std::size_t>(entry);
      EXPECT_EQ(window.boxes[i], Localised(row.boxes_after[i], separator));
    }
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(window.captions[i], Localised(row.captions[i], separator));
  }
}

INSTANTIATE_TEST_SUITE_P(BothLocales, WorkedResults,
                         ::testing::Values(DecimalSeparator::Point(), DecimalSeparator::Comma()),
                         [](const auto& info) {
                           return info.param == DecimalSeparator::Comma() ? "Comma" : "Point";
                         });

TEST(Calculate, WriteBackRunsTheChangeHandlingAndLeavesStrings) {
  FakeWindow window;
  window.Type(Entry::Gruppi, "2.7");
  window.Type(Entry::ImpAp, "0");  // not taken: the box shows 0, the entry stays Empty
  window.notifications.clear();
  window.form.Calculate();
  EXPECT_EQ(window.notifications, (std::vector<Entry>{Entry::Gruppi, Entry::ImpAp}));
  const FormState& s = window.form.state();
  EXPECT_EQ(s.GroupCount, Variant::String("2"));
  EXPECT_EQ(s.PrevGroupCount, Variant::Double(2));
  EXPECT_EQ(s.SpeakerImpedance, Variant::String("8"));
  EXPECT_EQ(s.PrevSpeakerImpedance, Variant::Integer(8));
  EXPECT_EQ(s.SpeakersPerGroup, Variant::Integer(2));  // its box already showed 2
  EXPECT_EQ(s.TotalSpeakers, Variant::Double(4));
}

// The calculation asks whether a figure reads as zero with the point as the
// separator, whatever the locale's: with the comma, "0,5" reads as zero
// there and gives way to the default.
TEST(Calculate, CommaLocaleZeroCommaFiveIsBlank) {
  FakeWindow window(DecimalSeparator::Comma());
  window.Type(Entry::ImpAp, "0,5");
  window.form.Calculate();
  EXPECT_EQ(window.box(Entry::ImpAp), "8");
}

struct FailureCase {
  const char* name;
  std::array<const char*, 4> typed;  // nullptr: left as at opening
  Failure failure;
  std::array<const char*, 4> boxes_after;
  std::optional<Focus> focus_after;  // where the failing step left the focus
  // How many of the results, computed in order (total speakers, total
  // impedance, the count's gain), were assigned before the failure.
  int results_before;
};

const FailureCase kFailureCases[] = {
    {"count that is no number",
     {"3x", nullptr, nullptr, nullptr},
     Failure::TypeMismatch,
     {"3x", "2", "8", "90"},
     Focus::Calcola,
     0},
    {"group count truncating to zero",
     {"0.5", nullptr, nullptr, nullptr},
     Failure::DivisionByZero,
     {"0", "2", "8", "90"},
     Focus::Gruppi,
     1},
    {"speakers per group truncating to zero",
     {nullptr, "0.5", nullptr, nullptr},
     Failure::InvalidArgument,
     {"2", "0", "8", "90"},
     Focus::Altop,
     2},
    {"negative product",
     {"-2", nullptr, nullptr, nullptr},
     Failure::InvalidArgument,
     {"-2", "2", "8", "90"},
     Focus::Calcola,
     2},
    {"impedance that is no number",
     {nullptr, nullptr, "8x", nullptr},
     Failure::TypeMismatch,
     {"2", "2", "8x", "90"},
     Focus::Calcola,
     1},
    {"sensitivity that is no number",
     {nullptr, nullptr, nullptr, "90x"},
     Failure::TypeMismatch,
     {"2", "2", "8", "90x"},
     Focus::Calcola,
     3},
    {"count beyond binary64",
     {"1e999", nullptr, nullptr, nullptr},
     Failure::Overflow,
     {"1e999", "2", "8", "90"},
     Focus::Calcola,
     0},
    {"product beyond binary64",
     {"1e300", "1e300", nullptr, nullptr},
     Failure::Overflow,
     {"1E+300", "1E+300", "8", "90"},
     Focus::Altop,
     0},
};

TEST(Calculate, FailureEndsTheCalculationAtItsStepAndIsReportedOnce) {
  for (const auto& c : kFailureCases) {
    SCOPED_TRACE(c.name);
    FakeWindow window;
    for (const Entry entry : kEntries) {
      if (const char* typed = c.typed[static_cast<std::size_t>(entry)]) window.Type(entry, typed);
    }
    window.failures.clear();
    window.captions = {"6", "5.33", "99.54"};  // an earlier calculation's, which must stand
    window.focus = Focus::Calcola;             // the button was clicked
    window.form.Calculate();

    EXPECT_EQ(window.failures, std::vector<Failure>{c.failure});
    EXPECT_EQ(window.captions, (std::array<std::string, 3>{"6", "5.33", "99.54"}));
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(window.boxes[i], c.boxes_after[i]) << i;
    EXPECT_EQ(window.focus, c.focus_after);
    const FormState& s = window.form.state();
    EXPECT_EQ(s.TotalSpeakers != Variant(), c.results_before >= 1);
    EXPECT_EQ(s.TotalImpedance != Variant(), c.results_before >= 2);
    EXPECT_EQ(s.CountGainDb != Variant(), c.results_before >= 3);
    EXPECT_EQ(s.TotalLevel, Variant());

    // The form carries on: a sound figure in the failing box calculates again.
    for (const Entry entry : kEntries) {
      if (c.typed[static_cast<std::size_t>(entry)] != nullptr) window.Type(entry, "3");
    }
    window.failures.clear();
    window.form.Calculate();
    EXPECT_TRUE(window.failures.empty());
    EXPECT_EQ(window.focus, Focus::Calcola);
  }
}

TEST(Calculate, FailureInsideAWriteBackEndsTheCalculationAndIsReportedOnce) {
  FakeWindow window;
  window.Type(Entry::ImpAp, "8x");  // fails, but the entry now holds "8x"
  window.Type(Entry::ImpAp, "0");   // reads as zero: the entry keeps "8x"
  window.Type(Entry::dBAp, "0");    // the box shows 0, the entry stays Empty
  window.failures.clear();
  window.form.Calculate();
  // Writing "8x" over the 0 re-enters the change handling, which fails;
  // dBAp is never written back and no result is computed.
  EXPECT_EQ(window.failures, std::vector<Failure>{Failure::TypeMismatch});
  EXPECT_EQ(window.boxes, (std::array<std::string, 4>{"2", "2", "8x", "0"}));
  EXPECT_EQ(window.focus, Focus::ImpAp);
  EXPECT_EQ(window.form.state().TotalSpeakers, Variant());
  EXPECT_EQ(window.form.state().SpeakerSensitivity, Variant::Integer(90));

  window.Type(Entry::ImpAp, "4");
  window.failures.clear();
  window.form.Calculate();
  EXPECT_TRUE(window.failures.empty());
  EXPECT_EQ(window.boxes, (std::array<std::string, 4>{"2", "2", "4", "90"}));
  EXPECT_EQ(window.captions, (std::array<std::string, 3>{"4", "4", "96.02"}));
}

TEST(Calculate, APressDuringAWriteBackIsNotASecondCalculation) {
  FakeWindow window;
  window.Type(Entry::Gruppi, "3");
  window.Type(Entry::ImpAp, "0");  // the box shows 0, so 8 will be written into it
  // The user presses the button again while ImpAp is being written.
  bool pressed = false;
  window.while_writing = [&](Entry entry) {
    if (entry == Entry::ImpAp && !std::exchange(pressed, true)) window.form.Calculate();
  };
  window.form.Calculate();
  ASSERT_TRUE(pressed) << "ImpAp was not written back, so nothing pressed during a write-back";
  EXPECT_EQ(window.caption_writes, 3);  // one calculation's results, once
  EXPECT_EQ(window.captions, (std::array<std::string, 3>{"6", "5.33", "99.54"}));
  EXPECT_EQ(window.results_shown, 1);  // told once, after the focus went back
  EXPECT_TRUE(window.failures.empty());
}

TEST(EntryChanged, TakesTheTextUnlessItReadsAsZero) {
  struct Step {
    const char* text;
    Variant current;
    Variant previous;
    std::optional<Failure> failure;
  };
  // Typed into Gruppi one after the other, each replacing the whole text.
  const Step steps[] = {
      {"3", Variant::String("3"), Variant(), std::nullopt},
      {"0", Variant::String("3"), Variant::String("3"), std::nullopt},
      {"05", Variant::String("05"), Variant::String("3"), std::nullopt},
      {"0.0", Variant::String("05"), Variant::String("05"), std::nullopt},
      {"00", Variant::String("05"), Variant::String("05"), std::nullopt},
      {"-0", Variant::String("05"), Variant::String("05"), std::nullopt},
      {"", Variant::String(""), Variant::String("05"), Failure::TypeMismatch},
      {"-", Variant::String("-"), Variant::String(""), Failure::TypeMismatch},
      {".", Variant::String("."), Variant::String("-"), Failure::TypeMismatch},
      {"2x", Variant::String("2x"), Variant::String("."), Failure::TypeMismatch},
      {"2.", Variant::String("2."), Variant::String("2x"), std::nullopt},
      {"1e999", Variant::String("1e999"), Variant::String("2."), Failure::Overflow},
  };
  FakeWindow window;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.text);
    window.focus = Focus::Calcola;
    window.failures.clear();
    window.notifications.clear();
    window.box(Entry::Gruppi) = step.text;
    window.form.EntryChanged(Entry::Gruppi);
    EXPECT_EQ(window.form.state().GroupCount, step.current);
    EXPECT_EQ(window.form.state().PrevGroupCount, step.previous);
    EXPECT_EQ(window.focus, Focus::Gruppi);
    EXPECT_EQ(window.box(Entry::Gruppi), step.text);  // never changed here
    if (step.failure) {
      EXPECT_EQ(window.failures, std::vector<Failure>{*step.failure});
    } else {
      EXPECT_TRUE(window.failures.empty());
    }
  }
  // Only Gruppi's members moved.
  EXPECT_EQ(window.form.state().SpeakersPerGroup, Variant());
  EXPECT_EQ(window.form.state().PrevSpeakersPerGroup, Variant());
}

}  // namespace
}  // namespace zelmar
