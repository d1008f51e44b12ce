#pragma once

#include <span>
#include <string_view>

// The two conversions between binary64 and decimal text that the readings
// and the text of numbers rest on, in the locale-free forms of std::charconv.
// Where the C++ library lacks the floating-point std::from_chars and
// std::to_chars (the WebAssembly build's), they are the C library's strtod
// and snprintf, which there know only the "C" locale: the same digits
// either way, since std::to_chars with a precision is specified as printf's
// %.*g in the "C" locale and both readings round correctly.
namespace zelmar::detail {

struct DecimalReading {
  double value = 0.0;
  bool out_of_range = false;  // beyond binary64, or rounding to zero from below its range
};

// Reads [digits][.digits]e[-]digits, as the readings assemble it.
[[nodiscard]] DecimalReading ReadDecimal(std::string_view text) noexcept;

// Writes a finite value with at most 15 significant digits as printf's %.15g
// does ('.' and 'e'); returns the number of characters written.
[[nodiscard]] std::size_t WriteDecimal15(double value, std::span<char, 32> buffer) noexcept;

}  // namespace zelmar::detail
