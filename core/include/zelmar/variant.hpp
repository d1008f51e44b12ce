#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "zelmar/decimal_separator.hpp"

namespace zelmar {

// A tagged value: every figure the program handles, typed or computed.
class Variant {
 public:
  enum class Kind : std::uint8_t { Empty, Integer, Double, String, Boolean };

  Variant() = default;  // Empty

  static Variant Integer(std::int16_t value) { return {std::in_place_index<1>, value}; }
  static Variant Double(double value) { return {std::in_place_index<2>, value}; }
  static Variant String(std::string text) { return {std::in_place_index<3>, std::move(text)}; }
  static Variant Boolean(bool value) { return {std::in_place_index<4>, value}; }

  [[nodiscard]] Kind kind() const noexcept { return static_cast<Kind>(value_.index()); }

  // The payload of the kind; each requires that kind.
  [[nodiscard]] std::int16_t integer() const { return std::get<1>(value_); }
  [[nodiscard]] double real() const { return std::get<2>(value_); }
  [[nodiscard]] const std::string& string() const { return std::get<3>(value_); }
  [[nodiscard]] bool boolean() const { return std::get<4>(value_); }

  // Same kind and same payload (a Double 4 is not the Integer 4).
  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  struct EmptyValue {
    friend bool operator==(EmptyValue, EmptyValue) = default;
  };
  using Holder = std::variant<EmptyValue, std::int16_t, double, std::string, bool>;
  template <std::size_t Index, typename T>
  Variant(std::in_place_index_t<Index> index, T&& value) : value_(index, std::forward<T>(value)) {}

  Holder value_;
};

// The conversion, comparison and arithmetic rules of the program's values,
// bound to the decimal separator of the user's locale. Operations that can
// fail throw StepFailure with the failure's kind.
class ValueRules {
 public:
  explicit ValueRules(DecimalSeparator separator) noexcept : separator_(separator) {}

  // The text of a value: Empty gives "", a number its decimal form in this
  // locale, a String itself.
  [[nodiscard]] std::string Text(const Variant& value) const;

  // The leading-number reading of the value's text; never fails.
  [[nodiscard]] double Val(const Variant& value) const;

  // Empty is 0, numbers are themselves, a String goes through the full
  // numeric reading (TypeMismatch, Overflow).
  [[nodiscard]] double NumericValue(const Variant& value) const;

  // Arithmetic on numeric values in binary64; the result is a Double.
  // Overflow when the result is beyond binary64; Divide by zero gives
  // DivisionByZero.
  [[nodiscard]] Variant Multiply(const Variant& lhs, const Variant& rhs) const;
  [[nodiscard]] Variant Divide(const Variant& dividend, const Variant& divisor) const;
  [[nodiscard]] Variant Add(const Variant& lhs, const Variant& rhs) const;

  // Whether the numeric value is 0 (a String that is no number fails).
  [[nodiscard]] bool EqualsZero(const Variant& value) const;

  // Whether the value's text is empty: true for Empty and "", never for a number.
  [[nodiscard]] bool EqualsEmptyText(const Variant& value) const;

  // Rounding toward minus infinity. Integer, Boolean and Empty stay whole
  // Integers; Double and String give a Double.
  [[nodiscard]] Variant Int(const Variant& value) const;

  // Ten times the common logarithm, as a Double: InvalidArgument for a value
  // not greater than 0, FloatingPoint when the floating-point unit flags the
  // computation.
  [[nodiscard]] Variant ToDecibels(const Variant& value) const;

  // Int(x × 100) ÷ 100: at most two decimals, always rounded down.
  [[nodiscard]] Variant RoundDown2(const Variant& value) const;

 private:
  DecimalSeparator separator_;
};

}  // namespace zelmar
