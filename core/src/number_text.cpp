#include "zelmar/number_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <system_error>

#include "binary_decimal.hpp"
#include "zelmar/failure.hpp"

namespace zelmar {
namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// A number taken apart by one of the readings: its digits in a form that
// ReadDecimal reads (no sign, point as separator, exponent in 'e'), and
// what is needed to tell an overflow from an underflow when ReadDecimal gives
// up on the range.
class Scanned {
 public:
  explicit Scanned(std::size_t length_hint) { digits_.reserve(length_hint + 24); }

  void AddIntegerDigit(char c) {
    if (c != '0' && !first_nonzero_) first_nonzero_ = Position{integer_digits_, false};
    ++integer_digits_;
    digits_.push_back(c);
  }
  void AddPoint() { digits_.push_back('.'); }
  void AddFractionDigit(char c) {
    ++fraction_digits_;
    if (c != '0' && !first_nonzero_) first_nonzero_ = Position{fraction_digits_, true};
    digits_.push_back(c);
  }
  // Accumulates the explicit exponent, saturating far beyond any magnitude
  // that could still land in binary64 whatever the number of digits.
  void AddExponentDigit(char c) {
    const std::int64_t limit = static_cast<std::int64_t>(digits_.size()) + 100000;
    exponent_ = std::min<std::int64_t>(exponent_ * 10 + (c - '0'), limit);
  }
  void SetExponentNegative(bool negative) noexcept { exponent_negative_ = negative; }
  void SetNegative(bool negative) noexcept { negative_ = negative; }
  [[nodiscard]] std::size_t MantissaDigits() const noexcept { return integer_digits_ + fraction_digits_; }

  // The value; overflow tells whether the magnitude is beyond binary64.
  [[nodiscard]] double Convert(bool& overflow) {
    overflow = false;
    if (!first_nonzero_) return negative_ ? -0.0 : 0.0;
    const std::int64_t exponent = exponent_negative_ ? -exponent_ : exponent_;
    digits_.push_back('e');
    std::array<char, 24> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), exponent);
    digits_.append(buffer.data(), written.ptr);

    const detail::DecimalReading reading = detail::ReadDecimal(digits_);
    double value = reading.value;
    if (reading.out_of_range) {
      // Decimal exponent of the first significant digit: positive means the
      // number was too large, otherwise too small.
      const std::int64_t lead = first_nonzero_->in_fraction
                                    ? -static_cast<std::int64_t>(first_nonzero_->index)
                                    : static_cast<std::int64_t>(integer_digits_ - first_nonzero_->index - 1);
      if (lead + exponent > 0) {
        overflow = true;
        value = std::numeric_limits<double>::infinity();
      } else {
        value = 0.0;
      }
    }
    return negative_ ? -value : value;
  }

 private:
  struct Position {
    std::size_t index;  // among the integer digits from 0, or the fraction digits from 1
    bool in_fraction;
  };
  std::string digits_;
  std::size_t integer_digits_ = 0;
  std::size_t fraction_digits_ = 0;
  std::optional<Position> first_nonzero_;
  std::int64_t exponent_ = 0;
  bool exponent_negative_ = false;
  bool negative_ = false;
};

bool IsLeadingBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\n'; }
bool IsOuterBlank(char c) noexcept { return c == ' ' || c == '\t'; }

}  // namespace

double LeadingNumber(std::string_view text) noexcept {
  try {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skip_blanks = [&] {
      while (i < n && IsLeadingBlank(text[i])) ++i;
    };
    Scanned number(n);
    skip_blanks();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      number.SetNegative(text[i] == '-');
      ++i;
    }
    for (skip_blanks(); i < n && IsDigit(text[i]); skip_blanks()) number.AddIntegerDigit(text[i++]);
    if (i < n && text[i] == '.') {
      number.AddPoint();
      ++i;
      for (skip_blanks(); i < n && IsDigit(text[i]); skip_blanks()) number.AddFractionDigit(text[i++]);
    }
    if (number.MantissaDigits() == 0) return 0.0;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
      // The exponent belongs to the number only if digits follow.
      std::size_t j = i + 1;
      auto skip_blanks_at_j = [&] {
        while (j < n && IsLeadingBlank(text[j])) ++j;
      };
      skip_blanks_at_j();
      bool negative = false;
      if (j < n && (text[j] == '+' || text[j] == '-')) {
        negative = text[j] == '-';
        ++j;
        skip_blanks_at_j();
      }
      if (j < n && IsDigit(text[j])) {
        number.SetExponentNegative(negative);
        for (; j < n && IsDigit(text[j]); skip_blanks_at_j()) number.AddExponentDigit(text[j++]);
      }
    }
    bool overflow = false;
    return number.Convert(overflow);
  } catch (const std::bad_alloc&) {
    // Only a text too large to copy gets here; its digits cannot be read.
    return 0.0;
  }
}

double ParseNumber(std::string_view text, DecimalSeparator separator) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsOuterBlank(text[begin])) ++begin;
  while (end > begin && IsOuterBlank(text[end - 1])) --end;
  const std::string_view body = text.substr(begin, end - begin);
  const std::string_view point = separator.Utf8();

  std::size_t i = 0;
  const std::size_t n = body.size();
  Scanned number(n);
  if (i < n && (body[i] == '+' || body[i] == '-')) {
    number.SetNegative(body[i] == '-');
    ++i;
  }
  while (i < n && IsDigit(body[i])) number.AddIntegerDigit(body[i++]);
  if (body.substr(i).starts_with(point)) {
    number.AddPoint();
    i += point.size();
    while (i < n && IsDigit(body[i])) number.AddFractionDigit(body[i++]);
  }
  if (number.MantissaDigits() == 0) throw StepFailure(Failure::TypeMismatch);
  if (i < n && (body[i] == 'e' || body[i] == 'E')) {
    ++i;
    if (i < n && (body[i] == '+' || body[i] == '-')) {
      number.SetExponentNegative(body[i] == '-');
      ++i;
    }
    if (i == n || !IsDigit(body[i])) throw StepFailure(Failure::TypeMismatch);
    while (i < n && IsDigit(body[i])) number.AddExponentDigit(body[i++]);
  }
  if (i != n) throw StepFailure(Failure::TypeMismatch);

  bool overflow = false;
  const double value = number.Convert(overflow);
  if (overflow) throw StepFailure(Failure::Overflow);
  return value;
}

std::string FormatNumber(double value, DecimalSeparator separator) {
  if (!std::isfinite(value)) throw StepFailure(Failure::Overflow);
  if (value == 0.0) return "0";  // also for -0
  // Rounded to 15 digits, the magnitudes just below the largest binary64
  // value would read back as an overflow; they take the largest 15-digit
  // figure that still reads back.
  constexpr double kLargestReadable = 1.79769313486231e308;
  if (std::abs(value) >= 1.797693134862315e308) {
    value = std::copysign(kLargestReadable, value);
  }

  std::array<char, 32> buffer{};
  const std::string_view written(buffer.data(), detail::WriteDecimal15(value, buffer));
  std::string text;
  text.reserve(written.size() + 4);
  for (const char c : written) {
    if (c == '.') {
      text.append(separator.Utf8());
    } else if (c == 'e') {
      text.push_back('E');
    } else {
      text.push_back(c);
    }
  }
  return text;
}

}  // namespace zelmar
