// SHA-256 (FIPS 180-4), for the digests a page's security policy names its
// inline script and style by.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zelmar::tools {

std::array<std::uint8_t, 32> Sha256(std::string_view bytes);

}  // namespace zelmar::tools
