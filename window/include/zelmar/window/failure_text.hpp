#pragma once

#include <string_view>

#include "zelmar/failure.hpp"

namespace zelmar::window {

// What the user reads when a handler fails: one short wording per kind. A
// switch without a default, so that a kind left without its wording does
// not compile.
constexpr std::string_view FailureText(Failure kind) noexcept {
  switch (kind) {
    case Failure::TypeMismatch:
      return "Tipo non corrispondente: il dato non è un numero.";
    case Failure::DivisionByZero:
      return "Divisione per zero.";
    case Failure::InvalidArgument:
      return "Argomento non valido.";
    case Failure::Overflow:
      return "Overflow: il valore è fuori dall'intervallo ammesso.";
    case Failure::FloatingPoint:
      return "Errore di calcolo in virgola mobile.";
  }
  return {};
}

// What the user reads when a handler ends on something other than one of
// the five kinds (the toolkit ran out of memory, say): the window carries on.
inline constexpr std::string_view kInternalErrorText = "Errore interno: l'operazione è stata interrotta.";

// The caption of the message, the application's title.
inline constexpr std::string_view kMessageTitle = "Zelmar";

}  // namespace zelmar::window
