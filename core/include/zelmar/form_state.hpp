#pragma once

#include <array>
#include <cstdint>

#include "zelmar/variant.hpp"

namespace zelmar {

// The window's figures, alive exactly as long as the window. All Empty at
// creation, never reset.
struct FormState {
  Variant GroupCount;  // groups wired in parallel
  Variant PrevGroupCount;
  Variant SpeakersPerGroup;  // speakers in series in each group
  Variant PrevSpeakersPerGroup;
  Variant SpeakerImpedance;  // one speaker, ohm
  Variant PrevSpeakerImpedance;
  Variant SpeakerSensitivity;  // one speaker, dB SPL
  Variant PrevSpeakerSensitivity;
  Variant TotalSpeakers;    // count
  Variant CountGainDb;      // level gain from the number of speakers, dB
  Variant ImpedanceGainDb;  // level gain from the array's impedance, dB
  Variant TotalImpedance;   // at the input terminals, ohm
  Variant TotalLevel;       // dB SPL

  friend bool operator==(const FormState&, const FormState&) = default;
};

// The four entry boxes, in the order in which a calculation visits them.
enum class Entry : std::uint8_t { Gruppi, Altop, ImpAp, dBAp };

inline constexpr std::array<Entry, 4> kEntries{Entry::Gruppi, Entry::Altop, Entry::ImpAp, Entry::dBAp};

// An entry's two members in FormState, its default for a blank or zero
// figure, and whether a calculation truncates it to a whole number.
struct EntryTraits {
  using Member = Variant FormState::*;
  Member current;
  Member previous;
  std::int16_t default_value;
  bool whole_number;
};

inline constexpr std::array<EntryTraits, 4> kEntryTraits{{
    {&FormState::GroupCount, &FormState::PrevGroupCount, 2, true},
    {&FormState::SpeakersPerGroup, &FormState::PrevSpeakersPerGroup, 2, true},
    {&FormState::SpeakerImpedance, &FormState::PrevSpeakerImpedance, 8, false},
    {&FormState::SpeakerSensitivity, &FormState::PrevSpeakerSensitivity, 90, false},
}};

constexpr const EntryTraits& TraitsOf(Entry entry) noexcept {
  return kEntryTraits[static_cast<std::size_t>(entry)];
}

// The three labels that show results.
enum class ResultLabel : std::uint8_t { TotAltop, ImpGruppi, Liv };
inline constexpr std::array<ResultLabel, 3> kResultLabels{ResultLabel::TotAltop, ResultLabel::ImpGruppi,
                                                          ResultLabel::Liv};

}  // namespace zelmar
