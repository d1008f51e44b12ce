#include "zelmar/variant.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "zelmar/failure.hpp"

namespace zelmar {
namespace {

const ValueRules kPoint{DecimalSeparator::Point()};
const ValueRules kComma{DecimalSeparator::Comma()};

std::optional<Failure> FailureOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const StepFailure& failure) {
    return failure.kind();
  }
  return std::nullopt;
}

TEST(Variant, TextOfEachKind) {
  struct Case {
    Variant value;
    const char* point;
    const char* comma;
  };
  const Case cases[] = {
      {Variant(), "", ""},
      {Variant::Integer(90), "90", "90"},
      {Variant::Integer(-32768), "-32768", "-32768"},
      {Variant::Double(4.0), "4", "4"},
      {Variant::Double(5.33), "5.33", "5,33"},
      {Variant::String("3x"), "3x", "3x"},
      {Variant::String("2.5"), "2.5", "2.5"},
      {Variant::Boolean(true), "True", "True"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kPoint.Text(c.value), c.point);
    EXPECT_EQ(kComma.Text(c.value), c.comma);
  }
}

TEST(Variant, EmptyIsZeroAndEmptyText) {
  const Variant empty;
  EXPECT_EQ(kPoint.Val(empty), 0.0);
  EXPECT_EQ(kPoint.NumericValue(empty), 0.0);
  EXPECT_TRUE(kPoint.EqualsZero(empty));
  EXPECT_TRUE(kPoint.EqualsEmptyText(empty));
  EXPECT_TRUE(kPoint.EqualsEmptyText(Variant::String("")));
  EXPECT_FALSE(kPoint.EqualsEmptyText(Variant::Integer(0)));
  EXPECT_FALSE(kPoint.EqualsEmptyText(Variant::Double(0.0)));
  EXPECT_FALSE(kPoint.EqualsEmptyText(Variant::String(" ")));
}

TEST(Variant, ValReadsTheTextInTheLocaleButAlwaysWithThePoint) {
  // A Double's text carries the locale's separator, where Val stops.
  EXPECT_EQ(kPoint.Val(Variant::Double(4.5)), 4.5);
  EXPECT_EQ(kComma.Val(Variant::Double(4.5)), 4.0);
  EXPECT_EQ(kComma.Val(Variant::String("0,5")), 0.0);
  EXPECT_EQ(kComma.NumericValue(Variant::String("0,5")), 0.5);
}

TEST(Variant, ComparisonWithZeroFailsOnlyForTextThatIsNoNumber) {
  for (const char* zero : {"0", "0.0", "00", "-0", " 0 ", "0e5", ".0"}) {
    EXPECT_TRUE(kPoint.EqualsZero(Variant::String(zero))) << zero;
  }
  EXPECT_FALSE(kPoint.EqualsZero(Variant::String("05")));
  EXPECT_FALSE(kPoint.EqualsZero(Variant::Boolean(true)));
  for (const char* text : {"", "-", ".", "abc", "3x", "0x"}) {
    EXPECT_EQ(FailureOf([&] { (void)kPoint.EqualsZero(Variant::String(text)); }), Failure::TypeMismatch)
        << text;
  }
}

TEST(Variant, ArithmeticGivesDoublesAndFailsAtTheEdges) {
  EXPECT_EQ(kPoint.Multiply(Variant::Integer(2), Variant::String("3")), Variant::Double(6));
  EXPECT_EQ(kPoint.Divide(Variant::Integer(8), Variant::Integer(3)), Variant::Double(8.0 / 3.0));
  EXPECT_EQ(kPoint.Add(Variant::Integer(90), Variant::Double(0.5)), Variant::Double(90.5));
  EXPECT_EQ(kComma.Add(Variant::String("1,5"), Variant()), Variant::Double(1.5));
  // + always adds, even two Strings.
  EXPECT_EQ(kPoint.Add(Variant::String("1"), Variant::String("2")), Variant::Double(3));

  EXPECT_EQ(FailureOf([] { (void)kPoint.Divide(Variant::Integer(1), Variant::Integer(0)); }),
            Failure::DivisionByZero);
  EXPECT_EQ(FailureOf([] { (void)kPoint.Divide(Variant::Integer(0), Variant()); }), Failure::DivisionByZero);
  EXPECT_EQ(FailureOf([] { (void)kPoint.Multiply(Variant::Double(1e300), Variant::Double(1e300)); }),
            Failure::Overflow);
  EXPECT_EQ(FailureOf([] { (void)kPoint.Add(Variant::Double(1.7e308), Variant::Double(1.7e308)); }),
            Failure::Overflow);
  EXPECT_EQ(FailureOf([] { (void)kPoint.Divide(Variant::Double(1e300), Variant::Double(1e-300)); }),
            Failure::Overflow);
  EXPECT_EQ(FailureOf([] { (void)kPoint.Multiply(Variant::String("8x"), Variant::Integer(1)); }),
            Failure::TypeMismatch);
  EXPECT_EQ(FailureOf([] { (void)kPoint.Multiply(Variant::String("1e999"), Variant::Integer(1)); }),
            Failure::Overflow);
}

TEST(Variant, IntRoundsTowardMinusInfinity) {
  struct Case {
    Variant value;
    Variant expected;
  };
  const Case cases[] = {
      {Variant::String("2.7"), Variant::Double(2)},
      {Variant::String("-2.5"), Variant::Double(-3)},
      {Variant::String("0.5"), Variant::Double(0)},
      {Variant::String("-0.5"), Variant::Double(-1)},
      {Variant::Double(-0.004 * 100), Variant::Double(-1)},
      {Variant::Integer(7), Variant::Integer(7)},
      {Variant(), Variant::Integer(0)},
      {Variant::String("1e20"), Variant::Double(1e20)},
  };
  for (const auto& c : cases) EXPECT_EQ(kPoint.Int(c.value), c.expected) << kPoint.Text(c.value);
  EXPECT_EQ(kComma.Int(Variant::String("2,7")), Variant::Double(2));
  EXPECT_EQ(FailureOf([] { (void)kPoint.Int(Variant::String("3x")); }), Failure::TypeMismatch);
  EXPECT_EQ(FailureOf([] { (void)kComma.Int(Variant::String("2.7")); }), Failure::TypeMismatch);
}

TEST(Variant, ToDecibelsIsTenTimesTheCommonLogarithm) {
  EXPECT_EQ(kPoint.ToDecibels(Variant::Integer(1)), Variant::Double(0));
  EXPECT_NEAR(kPoint.ToDecibels(Variant::Integer(4)).real(), 6.0206, 1e-4);
  EXPECT_NEAR(kPoint.ToDecibels(Variant::Integer(2)).real(), 3.0103, 1e-4);
  EXPECT_NEAR(kPoint.ToDecibels(Variant::Double(0.5)).real(), -3.0103, 1e-4);
  EXPECT_NEAR(kPoint.ToDecibels(Variant::Double(5e-324)).real(), -3233.06, 1e-2);
  EXPECT_NEAR(kPoint.ToDecibels(Variant::Double(1.7976931348623157e308)).real(), 3082.55, 1e-2);
  for (const Variant& bad : {Variant(), Variant::Integer(0), Variant::Integer(-4), Variant::Double(-0.0)}) {
    EXPECT_EQ(FailureOf([&] { (void)kPoint.ToDecibels(bad); }), Failure::InvalidArgument);
  }
  EXPECT_EQ(FailureOf([] { (void)kPoint.ToDecibels(Variant::String("x")); }), Failure::TypeMismatch);
}

TEST(Variant, RoundDown2KeepsTwoDecimalsAlwaysDownward) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {{96.0206, "96.02"}, {2.6667, "2.66"}, {8.0 / 3.0, "2.66"}, {16.0 / 3.0, "5.33"},
                        {-0.004, "-0.01"},  {8, "8"},         {-0.0, "0"},         {0.001, "0"},
                        {99.999, "99.99"},  {1e300, "1E+300"}};
  for (const auto& c : cases) {
    EXPECT_EQ(kPoint.Text(kPoint.RoundDown2(Variant::Double(c.value))), c.text) << c.value;
  }
  EXPECT_EQ(kComma.Text(kComma.RoundDown2(Variant::Double(96.0206))), "96,02");
  EXPECT_EQ(FailureOf([] { (void)kPoint.RoundDown2(Variant::Double(1e307)); }), Failure::Overflow);
}

}  // namespace
}  // namespace zelmar
