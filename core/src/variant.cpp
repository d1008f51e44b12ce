#include "zelmar/variant.hpp"

#include <array>
#include <cfenv>
#include <charconv>
#include <cmath>

#include "zelmar/failure.hpp"
#include "zelmar/number_text.hpp"

namespace zelmar {
namespace {

// Any result beyond binary64 is a failure, never an infinity in a figure.
Variant CheckedDouble(double value) {
  if (!std::isfinite(value)) throw StepFailure(Failure::Overflow);
  return Variant::Double(value);
}

}  // namespace

std::string ValueRules::Text(const Variant& value) const {
  switch (value.kind()) {
    case Variant::Kind::Empty:
      return {};
    case Variant::Kind::Integer: {
      std::array<char, 8> buffer{};
      const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value.integer());
      return {buffer.data(), result.ptr};
    }
    case Variant::Kind::Double:
      return FormatNumber(value.real(), separator_);
    case Variant::Kind::String:
      return value.string();
    case Variant::Kind::Boolean:
      return value.boolean() ? "True" : "False";
  }
  return {};
}

double ValueRules::Val(const Variant& value) const {
  if (value.kind() == Variant::Kind::String) return LeadingNumber(value.string());
  return LeadingNumber(Text(value));
}

double ValueRules::NumericValue(const Variant& value) const {
  switch (value.kind()) {
    case Variant::Kind::Empty:
      return 0.0;
    case Variant::Kind::Integer:
      return value.integer();
    case Variant::Kind::Double:
      return value.real();
    case Variant::Kind::String:
      return ParseNumber(value.string(), separator_);
    case Variant::Kind::Boolean:
      return value.boolean() ? -1.0 : 0.0;
  }
  return 0.0;
}

Variant ValueRules::Multiply(const Variant& lhs, const Variant& rhs) const {
  return CheckedDouble(NumericValue(lhs) * NumericValue(rhs));
}

Variant ValueRules::Divide(const Variant& dividend, const Variant& divisor) const {
  const double numerator = NumericValue(dividend);
  const double denominator = NumericValue(divisor);
  if (denominator == 0.0) throw StepFailure(Failure::DivisionByZero);
  return CheckedDouble(numerator / denominator);
}

Variant ValueRules::Add(const Variant& lhs, const Variant& rhs) const {
  return CheckedDouble(NumericValue(lhs) + NumericValue(rhs));
}

bool ValueRules::EqualsZero(const Variant& value) const { return NumericValue(value) == 0.0; }

// A member like the other rules, though it needs no separator: the text of a
// number is never empty in any locale.
// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
bool ValueRules::EqualsEmptyText(const Variant& value) const {
  switch (value.kind()) {
    case Variant::Kind::Empty:
      return true;
    case Variant::Kind::String:
      return value.string().empty();
    default:
      return false;
  }
}

Variant ValueRules::Int(const Variant& value) const {
  switch (value.kind()) {
    case Variant::Kind::Empty:
      return Variant::Integer(0);
    case Variant::Kind::Integer:
      return value;
    case Variant::Kind::Boolean:
      return Variant::Integer(value.boolean() ? -1 : 0);
    default:
      return CheckedDouble(std::floor(NumericValue(value)));
  }
}

Variant ValueRules::ToDecibels(const Variant& value) const {
  const double x = NumericValue(value);
  if (!(x > 0.0)) throw StepFailure(Failure::InvalidArgument);

#if defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW)
  std::feclearexcept(FE_ALL_EXCEPT);
#endif
  // The flags are read after the three operations; volatile keeps the
  // compiler from folding ln 10 into a constant or moving the operations
  // past the test.
  volatile double ten = 10.0;
  volatile const double a = std::log(x);
  volatile const double b = std::log(ten);
  volatile const double result = a * 10.0 / b;
#if defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW)
  const bool failed = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0;
#else
  // No status flags (WebAssembly): each of the three shows in the values,
  // an invalid operation as a NaN, a division by zero or an overflow as an
  // infinity.
  const bool failed = !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(result);
#endif
  if (failed) throw StepFailure(Failure::FloatingPoint);
  return Variant::Double(result);
}

Variant ValueRules::RoundDown2(const Variant& value) const {
  const Variant hundred = Variant::Integer(100);
  return Divide(Int(Multiply(value, hundred)), hundred);
}

}  // namespace zelmar
