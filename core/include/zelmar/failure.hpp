#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>

namespace zelmar {

// The ways in which a step of a handler can fail. The first failing step ends
// the handler; the window names the kind to the user.
enum class Failure : std::uint8_t {
  TypeMismatch,
  DivisionByZero,
  InvalidArgument,
  Overflow,
  FloatingPoint,
};

// Every kind, in the enum's order, for whatever goes through them all.
inline constexpr std::array<Failure, 5> kFailures{Failure::TypeMismatch, Failure::DivisionByZero,
                                                  Failure::InvalidArgument, Failure::Overflow,
                                                  Failure::FloatingPoint};
static_assert([] {
  for (std::size_t i = 0; i < kFailures.size(); ++i) {
    if (static_cast<std::size_t>(kFailures[i]) != i) return false;
  }
  return true;
}());

// Carries a failure from the failing step out to the handler that reports it.
// It never leaves the core: both handlers catch it before returning.
class StepFailure : public std::exception {
 public:
  explicit StepFailure(Failure kind) noexcept : kind_(kind) {}
  [[nodiscard]] Failure kind() const noexcept { return kind_; }
  [[nodiscard]] const char* what() const noexcept override;

 private:
  Failure kind_;
};

// A stable English identifier for logs and test output ("TypeMismatch", ...).
[[nodiscard]] const char* FailureName(Failure kind) noexcept;

}  // namespace zelmar
