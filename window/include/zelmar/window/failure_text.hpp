#pragma once

#include <array>
#include <string_view>

#include "zelmar/failure.hpp"

namespace zelmar::window {

// What the user reads when a handler fails: one short wording per kind.
inline constexpr std::array<std::string_view, 5> kFailureTexts{
    "Tipo non corrispondente: il dato non è un numero.",     // TypeMismatch
    "Divisione per zero.",                                   // DivisionByZero
    "Argomento non valido.",                                 // InvalidArgument
    "Overflow: il valore è fuori dall'intervallo ammesso.",  // Overflow
    "Errore di calcolo in virgola mobile.",                  // FloatingPoint
};

constexpr std::string_view FailureText(Failure kind) noexcept {
  return kFailureTexts[static_cast<std::size_t>(kind)];
}

// What the user reads when a handler ends on something other than one of
// the five kinds (the toolkit ran out of memory, say): the window carries on.
inline constexpr std::string_view kInternalErrorText = "Errore interno: l'operazione è stata interrotta.";

// The caption of the message, the application's title.
inline constexpr std::string_view kMessageTitle = "Zelmar";

}  // namespace zelmar::window
