#include "zelmar/decimal_separator.hpp"

namespace zelmar {
namespace {

// Bytes that a UTF-8 sequence starting with lead must have, or 0 if lead
// cannot start one.
std::size_t SequenceLength(unsigned char lead) noexcept {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Characters that already mean something inside a number.
bool ClashesWithNumber(char c) noexcept {
  return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E' || c == ' ' || c == '\t' ||
         static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

}  // namespace

DecimalSeparator DecimalSeparator::FromUtf8(std::string_view text) noexcept {
  if (text.empty()) return {};
  const std::size_t length = SequenceLength(static_cast<unsigned char>(text.front()));
  if (length == 0 || length != text.size()) return {};
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) return {};
  }
  if (length == 1 && ClashesWithNumber(text.front())) return {};

  DecimalSeparator separator;
  for (std::size_t i = 0; i < length; ++i) separator.bytes_[i] = text[i];
  separator.size_ = length;
  return separator;
}

}  // namespace zelmar
