#pragma once

#include <string>
#include <string_view>

#include "zelmar/decimal_separator.hpp"

// The conversions between text and binary64 numbers. Every conversion the
// program makes goes through these three functions; none depends on the C
// locale.
namespace zelmar {

// The leading-number reading. Skips leading blanks (space, tab, line feed),
// then reads
//
//   [sign] digits* ['.' digits*] [('e' | 'E' | 'd' | 'D') [sign] digits+]
//
// where blanks between the characters of the number are skipped too, and at
// least one digit must stand before or after the point. The separator is
// always the point, whatever the locale. Reading stops at the first character
// that cannot continue the number; an exponent letter not followed by digits
// is not part of it. A text that does not begin with a number reads as 0.
// A magnitude beyond binary64 reads as an infinity of its sign, one too small
// for binary64 as 0. Never fails; linear in the length of the text.
[[nodiscard]] double LeadingNumber(std::string_view text) noexcept;

// The full numeric reading. The whole text must be
//
//   blank* [sign] mantissa [('e' | 'E') [sign] digit+] blank*
//   mantissa := digit+ [separator digit*] | separator digit+
//
// with blank = space or tab, sign = '+' or '-', digit = ASCII 0-9 and
// separator = the locale's decimal separator. So "2," (on the way to "2,5")
// and ",5" are numbers in a comma locale; a lone sign or separator is not, and
// neither are grouping characters, "inf", "nan", hexadecimal forms, digits
// other than ASCII, NULs or anything after the number.
// Throws StepFailure: TypeMismatch when the text is not such a number,
// Overflow when its magnitude is beyond binary64. A magnitude too small for
// binary64 reads as the nearest binary64 value, which may be 0.
[[nodiscard]] double ParseNumber(std::string_view text, DecimalSeparator separator);

// The text of a finite binary64 number: at most 15 significant digits, no
// trailing zeros, no separator for whole values, no grouping, never "-0".
// Magnitudes from 1E+15 up and below 0.0001 use scientific notation with an
// upper-case E, a signed exponent of at least two digits ("1E+15",
// "1,5E-05"), which ParseNumber reads back to the same 15-digit value. The
// few magnitudes just below the largest binary64 value, whose 15-digit
// rounding would lie beyond it and read back as an overflow, are written as
// 1.79769313486231E+308. A non-finite value throws StepFailure (Overflow).
[[nodiscard]] std::string FormatNumber(double value, DecimalSeparator separator);

}  // namespace zelmar
