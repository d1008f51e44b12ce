#pragma once

#include <array>

// The worked results, as a person types them into the window's boxes
// (Gruppi, Altop, ImpAp, dBAp) and reads them in its three result labels
// (TotAltop, ImpGruppi, Liv), with the point as the decimal separator.
namespace zelmar::testing {

struct TypedRow {
  std::array<const char*, 4> typed;
  std::array<const char*, 3> captions;
};

inline constexpr std::array<const char*, 4> kBoxesInEntryOrder{"Gruppi", "Altop", "ImpAp", "dBAp"};

inline constexpr std::array<TypedRow, 8> kTypedWorkedRows{{
    {{"2", "2", "8", "90"}, {"4", "8", "96.02"}},
    {{"1", "2", "8", "90"}, {"2", "16", "90"}},
    {{"2", "1", "8", "90"}, {"2", "4", "96.02"}},
    {{"4", "1", "8", "90"}, {"4", "2", "102.04"}},
    {{"3", "1", "8", "90"}, {"3", "2.66", "99.54"}},
    {{"3", "2", "8", "90"}, {"6", "5.33", "99.54"}},
    {{"2", "3", "4", "87"}, {"6", "6", "93.02"}},
    {{"2.7", "2", "8", "90"}, {"4", "8", "96.02"}},  // Gruppi truncated to 2 and written back
}};

}  // namespace zelmar::testing
