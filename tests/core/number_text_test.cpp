#include "zelmar/number_text.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zelmar/failure.hpp"

namespace zelmar {
namespace {

using namespace std::string_literals;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct LeadingCase {
  std::string text;
  double expected;
};

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndNeverFails) {
  const LeadingCase cases[] = {
      {"", 0},
      {"0", 0},
      {"12abc", 12},
      {"abc", 0},
      {" 3.5", 3.5},
      {"\t\n 7", 7},
      {"1 2 3", 123},
      {"- 5", -5},
      {"+4", 4},
      {"2.", 2},
      {".5", 0.5},
      {"-.5x", -0.5},
      {".", 0},
      {"-", 0},
      {"1.2.3", 1.2},
      {"4,5", 4},
      {"0,5", 0},
      {"1e3", 1000},
      {"1E-2", 0.01},
      {"1d2", 100},
      {"1 e 2", 100},
      {"2e", 2},
      {"2e+", 2},
      {"2ex", 2},
      {"3x", 3},
      {"90x", 90},
      {"1e999", kInf},
      {"-1e999", -kInf},
      {"1e-999", 0},
      {"&H10", 0},
      {"0x1A", 0},
      {"inf", 0},
      {"nan", 0},
      {"\xd9\xa3", 0},
      {"5\0 6"s, 5},
      {"1e99999999999999999999", kInf},
      {"0e99999999999999999999", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(LeadingNumber, ReadsAPastedMegabyte) {
  EXPECT_EQ(LeadingNumber(std::string(1 << 20, '7').substr(0, 3) + std::string(1 << 20, 'x')), 777);
  const std::string digits = "0." + std::string(1 << 20, '0') + "1e1048577";
  EXPECT_DOUBLE_EQ(LeadingNumber(digits), 1.0);
  EXPECT_EQ(LeadingNumber(std::string(1 << 20, '9')), kInf);
}

struct ParseCase {
  std::string text;
  std::optional<double> point;  // reading in a point locale, or TypeMismatch
  std::optional<double> comma;  // reading in a comma locale, or TypeMismatch
};

TEST(ParseNumber, ReadsOneWholeNumberInTheLocaleNotation) {
  const ParseCase cases[] = {
      {"3", 3, 3},
      {"  -12 \t", -12, -12},
      {"+7", 7, 7},
      {"2.5", 2.5, std::nullopt},
      {"2,5", std::nullopt, 2.5},
      {"2.", 2, std::nullopt},
      {"2,", std::nullopt, 2},
      {".5", 0.5, std::nullopt},
      {",5", std::nullopt, 0.5},
      {"1e3", 1000, 1000},
      {"1,5E-2", std::nullopt, 0.015},
      {"1.5E+2", 150, std::nullopt},
      {"-0", 0, 0},
      {"00", 0, 0},
      {"0.0", 0, std::nullopt},
      {"1e-400", 0, 0},
      {"", std::nullopt, std::nullopt},
      {"  ", std::nullopt, std::nullopt},
      {"-", std::nullopt, std::nullopt},
      {".", std::nullopt, std::nullopt},
      {",", std::nullopt, std::nullopt},
      {"3x", std::nullopt, std::nullopt},
      {"1e", std::nullopt, std::nullopt},
      {"1e+", std::nullopt, std::nullopt},
      {"1 000", std::nullopt, std::nullopt},
      {"1.000,5", std::nullopt, std::nullopt},
      {"- 5", std::nullopt, std::nullopt},
      {"--5", std::nullopt, std::nullopt},
      {"inf", std::nullopt, std::nullopt},
      {"nan", std::nullopt, std::nullopt},
      {"infinity", std::nullopt, std::nullopt},
      {"0x1A", std::nullopt, std::nullopt},
      {"1d2", std::nullopt, std::nullopt},
      {"\xd9\xa3", std::nullopt, std::nullopt},      // ARABIC-INDIC DIGIT THREE
      {"\xef\xbc\x93", std::nullopt, std::nullopt},  // FULLWIDTH DIGIT THREE
      {"3\0"s, std::nullopt, std::nullopt},
      {"\0"s + "3", std::nullopt, std::nullopt},
      {"3\n", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    for (const auto& [separator, expected] :
         {std::pair{DecimalSeparator::Point(), c.point}, std::pair{DecimalSeparator::Comma(), c.comma}}) {
      SCOPED_TRACE("\"" + c.text + "\" with separator " + std::string(separator.Utf8()));
      if (expected) {
        EXPECT_EQ(ParseNumber(c.text, separator), *expected);
      } else {
        try {
          (void)ParseNumber(c.text, separator);
          ADD_FAILURE() << "read as a number";
        } catch (const StepFailure& failure) {
          EXPECT_EQ(failure.kind(), Failure::TypeMismatch);
        }
      }
    }
  }
}

TEST(ParseNumber, MagnitudeBeyondBinary64IsOverflowNotInfinity) {
  for (const std::string& text : std::vector<std::string>{"1e309", "-1e309", "1e99999999999999999999",
                                                          std::string(400, '9'), "0.000001e315"}) {
    try {
      (void)ParseNumber(text, DecimalSeparator::Point());
      ADD_FAILURE() << text << " read as a number";
    } catch (const StepFailure& failure) {
      EXPECT_EQ(failure.kind(), Failure::Overflow) << text;
    }
  }
  EXPECT_EQ(ParseNumber("1.7976931348623157e308", DecimalSeparator::Point()),
            std::numeric_limits<double>::max());
  EXPECT_EQ(ParseNumber("0." + std::string(400, '0') + "1e400", DecimalSeparator::Point()), 0.1);
}

TEST(ParseNumber, TakesAnySeparatorTheLocaleGives) {
  const auto momayyez = DecimalSeparator::FromUtf8("\xd9\xab");  // ARABIC DECIMAL SEPARATOR
  EXPECT_EQ(momayyez.Utf8(), "\xd9\xab");
  EXPECT_EQ(ParseNumber("4\xd9\xab"
                        "5",
                        momayyez),
            4.5);
  EXPECT_EQ(FormatNumber(4.5, momayyez),
            "4\xd9\xab"
            "5");
  // Unusable separators fall back to the point.
  for (const char* unusable : {"", "7", "-", "e", " ", "\xd9", "ab", "\xff"}) {
    EXPECT_EQ(DecimalSeparator::FromUtf8(unusable), DecimalSeparator::Point()) << unusable;
  }
}

struct FormatCase {
  double value;
  const char* point;
  const char* comma;
};

TEST(FormatNumber, FifteenDigitsNoTrailingZerosNeverMinusZero) {
  const FormatCase cases[] = {
      {0.0, "0", "0"},
      {-0.0, "0", "0"},
      {8.0, "8", "8"},
      {-3.0, "-3", "-3"},
      {96.02, "96.02", "96,02"},
      {2.5, "2.5", "2,5"},
      {1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
      {2.0 / 3.0, "0.666666666666667", "0,666666666666667"},
      {123456789012345.0, "123456789012345", "123456789012345"},
      {1234567890123456.0, "1.23456789012346E+15", "1,23456789012346E+15"},
      {1e15, "1E+15", "1E+15"},
      {1e20, "1E+20", "1E+20"},
      {0.0001, "0.0001", "0,0001"},
      {0.00001, "1E-05", "1E-05"},
      {-1.5e-7, "-1.5E-07", "-1,5E-07"},
      {1.7976931348623157e308, "1.79769313486231E+308", "1,79769313486231E+308"},
      {5e-324, "4.94065645841247E-324", "4,94065645841247E-324"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, DecimalSeparator::Point()), c.point);
    EXPECT_EQ(FormatNumber(c.value, DecimalSeparator::Comma()), c.comma);
  }
}

TEST(FormatNumber, ReadsBackToTheSameFifteenDigitValue) {
  const double values[] = {1.0 / 3.0,
                           96.0205999132796,
                           2.6666666666666665,
                           1e15,
                           9.99999999999999e14,
                           123456.789,
                           1.7976931348623157e308,
                           2.2250738585072014e-308,
                           5e-324,
                           -7.25e-5,
                           0.1 + 0.2,
                           4294967296.5};
  for (const auto separator : {DecimalSeparator::Point(), DecimalSeparator::Comma()}) {
    for (const double value : values) {
      const std::string text = FormatNumber(value, separator);
      const double read_back = ParseNumber(text, separator);
      EXPECT_EQ(FormatNumber(read_back, separator), text);
      EXPECT_NEAR(read_back, value, std::abs(value) * 1e-14) << text;
    }
  }
}

// The toolkit sets the C locale from the environment; nothing may change.
TEST(NumberText, IgnoresTheCLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  bool switched = false;
  // POSIX names, then the C runtime of Windows'.
  for (const char* name :
       {"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "fr_FR.UTF-8", "Italian_Italy.1252", "ita"}) {
    // (WebAssembly's C library accepts any name and stays "C".)
    if (std::setlocale(LC_ALL, name) != nullptr &&
        std::string_view(std::localeconv()->decimal_point) == ",") {
      switched = true;
      break;
    }
  }
  if (!switched) {
    (void)std::setlocale(LC_ALL, saved.c_str());
    GTEST_SKIP() << "no comma locale installed";
  }
  EXPECT_EQ(ParseNumber("2.5", DecimalSeparator::Point()), 2.5);
  EXPECT_EQ(ParseNumber("2,5", DecimalSeparator::Comma()), 2.5);
  EXPECT_EQ(FormatNumber(96.02, DecimalSeparator::Point()), "96.02");
  EXPECT_EQ(FormatNumber(1234567.5, DecimalSeparator::Comma()), "1234567,5");
  EXPECT_EQ(LeadingNumber("3.5"), 3.5);
  (void)std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace zelmar
