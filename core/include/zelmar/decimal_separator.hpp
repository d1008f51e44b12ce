#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace zelmar {

// The decimal separator of the user's locale, as UTF-8. The window hands it to
// the core at start-up; the core never asks the C locale, which the toolkit
// sets from the environment.
class DecimalSeparator {
 public:
  // The point.
  constexpr DecimalSeparator() noexcept = default;

  // Takes one character given as UTF-8. Anything that cannot serve as a
  // separator (empty, longer than one code point, a digit, a sign, a blank or
  // an exponent letter) gives the point, so that numbers stay readable.
  static DecimalSeparator FromUtf8(std::string_view text) noexcept;

  static constexpr DecimalSeparator Point() noexcept { return {}; }
  static constexpr DecimalSeparator Comma() noexcept {
    DecimalSeparator comma;
    comma.bytes_[0] = ',';
    return comma;
  }

  [[nodiscard]] constexpr std::string_view Utf8() const noexcept { return {bytes_.data(), size_}; }

  friend constexpr bool operator==(const DecimalSeparator&, const DecimalSeparator&) = default;

 private:
  std::array<char, 4> bytes_{'.', 0, 0, 0};
  std::size_t size_ = 1;
};

}  // namespace zelmar
