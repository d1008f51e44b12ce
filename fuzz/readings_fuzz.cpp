// Arbitrary bytes through both readings and the text of a number.
//
// The first byte picks the locale's separator, the rest is the text.
// Properties:
//  - the leading-number reading never fails;
//  - the full reading gives a finite number, or TypeMismatch or Overflow;
//  - what the full reading reads in the point locale, the leading reading
//    reads alike (its grammar is the wider one);
//  - the text of any finite number reads back to the same 15-digit text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "zelmar/failure.hpp"
#include "zelmar/number_text.hpp"

namespace {

using zelmar::DecimalSeparator;

void Check(bool condition) {
  if (!condition) std::abort();
}

void RoundTrip(double value, DecimalSeparator separator) {
  if (!std::isfinite(value)) return;
  const std::string text = zelmar::FormatNumber(value, separator);
  const double read_back = zelmar::ParseNumber(text, separator);  // must not throw
  Check(zelmar::FormatNumber(read_back, separator) == text);
  Check(text != "-0");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const DecimalSeparator separator =
      (data[0] & 1U) != 0 ? DecimalSeparator::Comma() : DecimalSeparator::Point();
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const double leading = zelmar::LeadingNumber(text);
  Check(!std::isnan(leading));

  try {
    const double full = zelmar::ParseNumber(text, separator);
    Check(std::isfinite(full));
    if (separator == DecimalSeparator::Point()) Check(full == leading);
    RoundTrip(full, separator);
  } catch (const zelmar::StepFailure& failure) {
    Check(failure.kind() == zelmar::Failure::TypeMismatch || failure.kind() == zelmar::Failure::Overflow);
  }

  if (text.size() >= sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, text.data(), sizeof raw);
    RoundTrip(raw, separator);
  }
  return 0;
}
