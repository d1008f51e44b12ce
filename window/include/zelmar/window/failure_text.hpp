#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "zelmar/failure.hpp"

namespace zelmar::window {

// What the user reads when a handler fails: one short wording per kind,
// each beside its kind, in the kinds' order; a kind left without its
// wording, or out of its place, does not compile.
inline constexpr std::array<std::pair<Failure, std::string_view>, kFailures.size()> kFailureTexts{{
    {Failure::TypeMismatch, "Tipo non corrispondente: il dato non è un numero."},
    {Failure::DivisionByZero, "Divisione per zero."},
    {Failure::InvalidArgument, "Argomento non valido."},
    {Failure::Overflow, "Overflow: il valore è fuori dall'intervallo ammesso."},
    {Failure::FloatingPoint, "Errore di calcolo in virgola mobile."},
}};
static_assert([] {
  for (std::size_t i = 0; i < kFailures.size(); ++i) {
    if (kFailureTexts[i].first != kFailures[i] || kFailureTexts[i].second.empty()) return false;
  }
  return true;
}());

constexpr std::string_view FailureText(Failure kind) noexcept {
  return kFailureTexts[static_cast<std::size_t>(kind)].second;
}

// What the user reads when a handler ends on something other than one of
// the five kinds (the toolkit ran out of memory, say): the window carries on.
inline constexpr std::string_view kInternalErrorText = "Errore interno: l'operazione è stata interrotta.";

// The caption of the message, the application's title.
inline constexpr std::string_view kMessageTitle = "Zelmar";

}  // namespace zelmar::window
