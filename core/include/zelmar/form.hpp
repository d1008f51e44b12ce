#pragma once

#include <optional>

#include "zelmar/decimal_separator.hpp"
#include "zelmar/failure.hpp"
#include "zelmar/form_state.hpp"
#include "zelmar/variant.hpp"
#include "zelmar/window_port.hpp"

namespace zelmar {

// The window's state and its two handlers. The window calls EntryChanged for
// every change of a box's text and Calculate for every press of the button;
// both run to completion, and neither lets an exception out: a failing step
// ends the handler and is reported once through WindowPort::ReportFailure,
// after which the form takes the next notification as usual.
class Form {
 public:
  Form(WindowPort& window, DecimalSeparator separator) noexcept : window_(window), rules_(separator) {}

  void Calculate() noexcept;
  void EntryChanged(Entry entry) noexcept;

  [[nodiscard]] const FormState& state() const noexcept { return state_; }

 private:
  void RunCalculate();
  void RunEntryChanged(Entry entry);
  void WriteBack(Entry entry);
  Variant& Current(Entry entry) noexcept { return state_.*TraitsOf(entry).current; }
  Variant& Previous(Entry entry) noexcept { return state_.*TraitsOf(entry).previous; }

  FormState state_;
  WindowPort& window_;
  ValueRules rules_;
  // While a calculation runs, the change handling that its write-backs start
  // re-enters this object from inside WriteEntryText. A failure there must
  // end the calculation too, but may not travel through the window's frames
  // as an exception: it is parked here and raised again once the write has
  // returned.
  bool calculating_ = false;
  std::optional<Failure> nested_failure_;
};

}  // namespace zelmar
