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

class Window final : public WindowPort {
 public:
  explicit Window(DecimalSeparator separator) : separator_(separator), form_(*this, separator) {}

  std::string ReadEntryText(Entry entry) override { return boxes_[Index(entry)]; }
  void WriteEntryText(Entry entry, std::string_view text) override { SetText(entry, std::string(text)); }
  void WriteResultCaption(ResultLabel label, std::string_view text) override {
    captions_[static_cast<std::size_t>(label)] = text;
  }
  void FocusEntry(Entry entry) override { focus_ = static_cast<int>(entry); }
  void FocusCalculateButton() override { focus_ = kButton; }
  void ResultsShown(const ResultTexts& captions) override {
    Check(focus_ == kButton && captions == captions_);
  }
  void ReportFailure(Failure /*kind*/) override { ++failures_; }

  // A user's edit: the change handling runs and must keep its rule.
  void Edit(Entry entry, std::string text) {
    const Variant before = Current(entry);
    failures_ = 0;
    if (!SetText(entry, std::move(text))) return;
    Check(failures_ <= 1);
    const Variant& current = Current(entry);
    Check(Previous(entry) == before);
    const std::string& box = boxes_[Index(entry)];
    const std::optional<double> value = Read(box, separator_);
    if (failures_ == 1) {
      Check(!value.has_value() || std::isinf(*value));
      Check(current == Variant::String(box));
    } else if (*value == 0.0) {
      Check(current == before);
    } else {
      Check(current == Variant::String(box));
    }
  }

  void Press() {
    failures_ = 0;
    form_.Calculate();
    Check(failures_ <= 1);
    if (failures_ == 0) CheckResults();
  }

  std::string& box(std::size_t i) { return boxes_[i]; }

 private:
  static constexpr int kButton = 4;
  static std::size_t Index(Entry entry) { return static_cast<std::size_t>(entry); }
  Variant Current(Entry entry) const { return form_.state().*TraitsOf(entry).current; }
  Variant Previous(Entry entry) const { return form_.state().*TraitsOf(entry).previous; }

  bool SetText(Entry entry, std::string text) {
    if (boxes_[Index(entry)] == text) return false;
    boxes_[Index(entry)] = std::move(text);
    form_.EntryChanged(entry);
    return true;
  }

  // The three formulas, evaluated anew from the boxes.
  void CheckResults() {
    Check(focus_ == kButton);
    std::array<double, 4> figure{};
    for (std::size_t i = 0; i < 4; ++i) {
      const std::optional<double> value = Read(boxes_[i], separator_);
      Check(value.has_value());
      figure[i] = *value;
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
    const std::optional<double> shown = Read(captions_[index], separator_);
    Check(shown.has_value());
    // 15 digits in the text, a last bit in the logarithms, and the rounding
    // step the two evaluations may land on either side of.
    const double tolerance = rounding + std::abs(expected) * 1e-12 + 1e-9;
    Check(std::abs(*shown - expected) <= tolerance);
  }

  DecimalSeparator separator_;
  std::array<std::string, 4> boxes_{"2", "2", "8", "90"};
  std::array<std::string, 3> captions_;
  int focus_ = kButton;
  int failures_ = 0;
  Form form_;
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
