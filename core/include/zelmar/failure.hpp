#pragma once

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
