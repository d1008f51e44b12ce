// Sequences of edits and button presses through both handlers, on a window
// that re-enters the change handling from its writes like the real one.
//
// Input: the first byte picks the locale's separator; then operations:
//   0-3   type one character (the next byte) at the end of box 0-3
//   4-7   paste a text (a length byte, then that many bytes) over box 0-3
//   8-11  press Backspace in box 0-3
//   12+   press the button
// Properties: no crash or undefined behaviour; every handler reports at most
// one failure; after every change handling the entry obeys its rule; after
// every calculation that did not fail the captions agree with the three
// formulas evaluated anew from the figures written back, and the focus is on
// the button.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "fake_window.hpp"
#include "zelmar/form.hpp"
#include "zelmar/number_text.hpp"

namespace {

using namespace zelmar;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::optional<double> Read(std::string_view text, DecimalSeparator separator) {
  try {
    return ParseNumber(text, separator);
  } catch (const StepFailure&) {
    return std::nullopt;
  }
}

// The shared fake window, with every handler's rule checked as it runs.
class Window {
 public:
  explicit Window(DecimalSeparator separator) : separator_(separator), window_(separator) {}

  // A user's edit: the change handling runs and must keep its rule.
  void Edit(Entry entry, const std::string& text) {
    const Variant before = Current(entry);
    window_.failures.clear();
    if (!window_.Edit(entry, text)) return;
    Check(window_.failures.size() <= 1);
    const Variant& current = Current(entry);
    Check(Previous(entry) == before);
    const std::string& box = window_.box(entry);
    const std::optional<double> value = Read(box, separator_);
    if (window_.failures.size() == 1) {
      Check(!value.has_value() || std::isinf(*value));
      Check(current == Variant::String(box));
    } else if (*value == 0.0) {
      Check(current == before);
    } else {
      Check(current == Variant::String(box));
    }
  }

  void Press() {
    window_.failures.clear();
    const int shown = window_.results_shown;
    window_.form.Calculate();
    Check(window_.failures.size() <= 1);
    // Told of the results, with the focus on the button, exactly when the
    // calculation succeeded.
    Check(window_.results_shown == shown + (window_.failures.empty() ? 1 : 0));
    if (window_.failures.empty()) CheckResults();
  }

  std::string& box(std::size_t i) { return window_.boxes.at(i); }

 private:
  Variant Current(Entry entry) const { return window_.form.state().*TraitsOf(entry).current; }
  Variant Previous(Entry entry) const { return window_.form.state().*TraitsOf(entry).previous; }

  // The three formulas, evaluated anew from the boxes.
  void CheckResults() {
    Check(window_.focus == testing::Focus::Calcola);
    std::array<double, 4> figure{};
    for (std::size_t i = 0; i < 4; ++i) {
      const std::optional<double> value = Read(window_.boxes.at(i), separator_);
      Check(value.has_value());
      figure.at(i) = *value;
    }
    const double groups = figure[0];
    const double speakers = figure[1];
    const double impedance = figure[2];
    const double sensitivity = figure[3];
    Check(groups == std::floor(groups) && speakers == std::floor(speakers));

    const double total = groups * speakers;
    const double total_impedance = speakers * impedance / groups;
    const double level = sensitivity + 10 * std::log10(total) + 10 * std::log10(impedance / total_impedance);
    CheckCaption(0, total, 0);
    CheckCaption(1, std::floor(total_impedance * 100) / 100, 0.01);
    CheckCaption(2, std::floor(level * 100) / 100, 0.01);
  }

  void CheckCaption(std::size_t index, double expected, double rounding) {
    const std::optional<double> shown = Read(window_.captions.at(index), separator_);
    Check(shown.has_value());
    // 15 digits in the text, a last bit in the logarithms, and the rounding
    // step the two evaluations may land on either side of.
    const double tolerance = rounding + std::abs(expected) * 1e-12 + 1e-9;
    Check(std::abs(*shown - expected) <= tolerance);
  }

  DecimalSeparator separator_;
  testing::FakeWindow window_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const DecimalSeparator separator =
      (data[0] & 1U) != 0 ? DecimalSeparator::Comma() : DecimalSeparator::Point();
  Window window(separator);
  std::size_t i = 1;
  while (i < size) {
    const std::uint8_t op = data[i++];
    const auto entry = static_cast<Entry>(op % 4);
    if (op < 4) {
      if (i >= size) break;
      window.Edit(entry, window.box(op % 4) + static_cast<char>(data[i++]));
    } else if (op < 8) {
      if (i >= size) break;
      const std::size_t wanted = data[i++];
      const std::size_t length = std::min(wanted, size - i);
      window.Edit(entry, std::string(reinterpret_cast<const char*>(data + i), length));
      i += length;
    } else if (op < 12) {
      std::string text = window.box(op % 4);
      if (!text.empty()) text.pop_back();
      window.Edit(entry, text);
    } else {
      window.Press();
    }
  }
  return 0;
}
