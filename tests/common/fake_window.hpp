#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "zelmar/form.hpp"
#include "zelmar/window_port.hpp"

namespace zelmar::testing {

// Where the keyboard focus is: one of the four boxes or the button.
enum class Focus : std::uint8_t { Gruppi, Altop, ImpAp, dBAp, Calcola };

// A window without a toolkit: four box texts, three captions and the focus,
// for the core's tests, its benchmarks and its fuzz target. Like the real
// window it raises the change notification synchronously from inside
// WriteEntryText, so the form re-enters itself.
class FakeWindow final : public WindowPort {
 public:
  explicit FakeWindow(DecimalSeparator separator = DecimalSeparator::Point()) : form(*this, separator) {}

  std::string ReadEntryText(Entry entry) override { return box(entry); }
  // As a toolkit that notifies every write, even of the same text: the
  // core writes only what changes a box.
  void WriteEntryText(Entry entry, std::string_view text) override {
    if (while_writing) while_writing(entry);
    box(entry) = text;
    notifications.push_back(entry);
    form.EntryChanged(entry);
  }
  void WriteResultCaption(ResultLabel label, std::string_view text) override {
    captions.at(static_cast<std::size_t>(label)) = text;
    ++caption_writes;
  }
  void FocusEntry(Entry entry) override { focus = static_cast<Focus>(entry); }
  void FocusCalculateButton() override { focus = Focus::Calcola; }
  void ResultsShown(const ResultTexts& shown) override {
    // Told once the focus is back on the button, with what the labels show.
    if (focus == Focus::Calcola && shown == captions) ++results_shown;
  }
  void ReportFailure(Failure kind) override { failures.push_back(kind); }

  // The box's whole text replaced at once (a paste over a selection); true
  // when that changed it and so ran the change handling.
  bool Edit(Entry entry, std::string_view text) { return SetText(entry, text); }
  // The user selects the whole text of a box and types the keys one by one;
  // the first key replaces the selection.
  void Type(Entry entry, std::string_view keys) {
    for (std::size_t n = 1; n <= keys.size(); ++n) SetText(entry, keys.substr(0, n));
  }
  // The user selects the whole text and presses Delete.
  void Clear(Entry entry) { SetText(entry, ""); }

  std::string& box(Entry entry) { return boxes.at(static_cast<std::size_t>(entry)); }

  std::array<std::string, 4> boxes{"2", "2", "8", "90"};
  std::array<std::string, 3> captions;
  Focus focus = Focus::Calcola;
  std::vector<Failure> failures;
  std::vector<Entry> notifications;  // every change notification raised
  int caption_writes = 0;
  int results_shown = 0;  // calculations that ended with their results shown
  // Runs as a write-back begins, as events a real window delivers there.
  std::function<void(Entry)> while_writing;
  Form form;

 private:
  bool SetText(Entry entry, std::string_view text) {
    if (box(entry) == text) return false;
    box(entry) = text;
    notifications.push_back(entry);
    form.EntryChanged(entry);
    return true;
  }
};

}  // namespace zelmar::testing
