#include "zelmar/form.hpp"

#include <string>
#include <utility>

namespace zelmar {

void Form::Calculate() noexcept {
  // Only the write-backs of a calculation may re-enter; a second calculation
  // started from inside one (the window can run events while it writes)
  // would interleave with the first.
  if (calculating_) return;
  calculating_ = true;
  nested_failure_.reset();
  std::optional<Failure> failure;
  try {
    RunCalculate();
  } catch (const StepFailure& step) {
    failure = step.kind();
  }
  calculating_ = false;
  nested_failure_.reset();
  if (failure) window_.ReportFailure(*failure);
}

void Form::EntryChanged(Entry entry) noexcept {
  try {
    RunEntryChanged(entry);
  } catch (const StepFailure& step) {
    if (calculating_) {
      if (!nested_failure_) nested_failure_ = step.kind();
    } else {
      window_.ReportFailure(step.kind());
    }
  }
}

void Form::RunEntryChanged(Entry entry) {
  Variant& current = Current(entry);
  Previous(entry) = current;
  window_.FocusEntry(entry);
  current = Variant::String(window_.ReadEntryText(entry));
  // A figure that reads as zero is not taken: the entry keeps its value.
  if (rules_.EqualsZero(current)) current = Previous(entry);
}

void Form::WriteBack(Entry entry) {
  // Writing a box's own text back is no change: nothing to write, and no
  // change handling to run.
  const std::string text = rules_.Text(Current(entry));
  if (window_.ReadEntryText(entry) == text) return;
  window_.WriteEntryText(entry, text);
  if (nested_failure_) throw StepFailure(*std::exchange(nested_failure_, std::nullopt));
}

void Form::RunCalculate() {
  for (const Entry entry : kEntries) {
    Variant& current = Current(entry);
    // Both halves always run, the leading-number reading first.
    const bool reads_zero = rules_.Val(current) == 0.0;
    const bool blank = rules_.EqualsEmptyText(current);
    if (reads_zero || blank) current = Variant::Integer(TraitsOf(entry).default_value);
  }
  for (const Entry entry : kEntries) {
    if (TraitsOf(entry).whole_number) Current(entry) = rules_.Int(Current(entry));
  }
  for (const Entry entry : kEntries) WriteBack(entry);

  FormState& s = state_;
  s.TotalSpeakers = rules_.Multiply(s.GroupCount, s.SpeakersPerGroup);
  s.TotalImpedance = rules_.Divide(rules_.Multiply(s.SpeakersPerGroup, s.SpeakerImpedance), s.GroupCount);
  s.CountGainDb = rules_.ToDecibels(s.TotalSpeakers);
  s.ImpedanceGainDb = rules_.ToDecibels(rules_.Divide(s.SpeakerImpedance, s.TotalImpedance));
  s.TotalLevel = rules_.Add(rules_.Add(s.SpeakerSensitivity, s.CountGainDb), s.ImpedanceGainDb);

  const ResultTexts captions{rules_.Text(s.TotalSpeakers), rules_.Text(rules_.RoundDown2(s.TotalImpedance)),
                             rules_.Text(rules_.RoundDown2(s.TotalLevel))};
  for (const ResultLabel label : kResultLabels) {
    window_.WriteResultCaption(label, captions[static_cast<std::size_t>(label)]);
  }
  window_.FocusCalculateButton();
  window_.ResultsShown(captions);
}

}  // namespace zelmar
