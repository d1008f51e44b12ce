#include "zelmar/failure.hpp"

namespace zelmar {

const char* FailureName(Failure kind) noexcept {
  switch (kind) {
    case Failure::TypeMismatch:
      return "TypeMismatch";
    case Failure::DivisionByZero:
      return "DivisionByZero";
    case Failure::InvalidArgument:
      return "InvalidArgument";
    case Failure::Overflow:
      return "Overflow";
    case Failure::FloatingPoint:
      return "FloatingPoint";
  }
  return "Unknown";
}

const char* StepFailure::what() const noexcept { return FailureName(kind_); }

}  // namespace zelmar
