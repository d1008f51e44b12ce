#include "binary_decimal.hpp"

#if ZELMAR_HAVE_FLOAT_CHARCONV
#include <charconv>
#include <system_error>
#else
#if !defined(__EMSCRIPTEN__)
// strtod and snprintf follow the process's locale elsewhere.
#error "the C library's conversions are locale-free only in WebAssembly"
#endif
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#endif

namespace zelmar::detail {

#if ZELMAR_HAVE_FLOAT_CHARCONV

DecimalReading ReadDecimal(std::string_view text) noexcept {
  DecimalReading reading;
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), reading.value, std::chars_format::general);
  reading.out_of_range = result.ec == std::errc::result_out_of_range;
  return reading;
}

std::size_t WriteDecimal15(double value, std::span<char, 32> buffer) noexcept {
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 15);
  return static_cast<std::size_t>(result.ptr - buffer.data());
}

#else

DecimalReading ReadDecimal(std::string_view text) noexcept {
  DecimalReading reading;
  // strtod wants the text terminated; the readings hand it a std::string's
  // contents, but make no assumption.
  std::string terminated;
  try {
    terminated.assign(text);
  } catch (...) {
    reading.out_of_range = true;
    return reading;
  }
  errno = 0;
  const double value = std::strtod(terminated.c_str(), nullptr);
  // Like std::from_chars: a subnormal result is a value, a result that
  // overflows or rounds to zero is out of range.
  reading.out_of_range = errno == ERANGE && (value == 0.0 || std::isinf(value));
  if (!reading.out_of_range) reading.value = value;
  return reading;
}

std::size_t WriteDecimal15(double value, std::span<char, 32> buffer) noexcept {
  const int written = std::snprintf(buffer.data(), buffer.size(), "%.15g", value);
  return written > 0 ? static_cast<std::size_t>(written) : 0;
}

#endif

}  // namespace zelmar::detail
